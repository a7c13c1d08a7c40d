// A table file of any bytes: every field reads without a fault, writing a field
// changes that field alone, and the list utilities keep their promises.
#include "Require.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/Text1252.h"
#include "catalogue/TxtTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::fuzzing {
namespace {

// Enough rows and entries to meet every kind of line while each input stays quick.
constexpr int RowsChecked = 48;
constexpr size_t EntriesSorted = 256;
constexpr int ColumnsPastEnd = 3;

std::vector<std::string> Fields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    for (size_t at; (at = line.find(separator)) != std::string_view::npos;) {
        fields.emplace_back(line.substr(0, at));
        line.remove_prefix(at + 1);
    }
    fields.emplace_back(line);
    return fields;
}

std::string WithoutAny(std::string text, std::string_view unwanted) {
    std::erase_if(text, [&](char c) { return unwanted.find(c) != std::string_view::npos; });
    return text;
}

template <typename Action> bool ThrowsListIndexError(Action action) {
    try {
        action();
    } catch (const ListIndexError&) {
        return true;
    }
    return false;
}

void CheckLines(const std::string& bytes, const TTxtTable& table) {
    std::string joined;
    for (const std::string& line : table.Lines) {
        Require(line.find_first_of("\r\n") == std::string::npos, "no line holds a line break");
        joined += line;
    }
    Require(joined == WithoutAny(bytes, "\r\n"), "the lines hold every byte but the breaks");
}

void CheckFields(const TTxtTable& table, int row) {
    const std::vector<std::string> fields =
        Fields(table.Lines[static_cast<size_t>(row)], table.Separator);
    const int count = static_cast<int>(fields.size());
    for (int column = 1; column <= count + ColumnsPastEnd; ++column) {
        const std::string field = table.GetField(row, column);
        Require(field == table.FieldView(row, column), "GetField and FieldView agree");
        const std::string& written = fields[static_cast<size_t>(std::min(column, count) - 1)];
        Require(field == TrimControlAndBlank(written),
                "a field is its text between separators, trimmed; past the end the last one");
    }
}

// Writes the value into the row and column, checks, and puts the row back.
void CheckSetField(TTxtTable& table, int row, int column, const std::string& value) {
    const std::string line = table.Lines[static_cast<size_t>(row)];
    const std::vector<std::string> before = Fields(line, table.Separator);
    const int count = static_cast<int>(before.size());
    if (column < 1 || column > count) {
        Require(ThrowsListIndexError([&] { table.SetField(row, column, value); }),
                "a column outside the row cannot be written");
        Require(table.Lines[static_cast<size_t>(row)] == line, "a refused write changes nothing");
        return;
    }
    table.SetField(row, column, value);
    Require(table.GetField(row, column) == TrimControlAndBlank(value),
            "a written field reads back trimmed");
    const std::vector<std::string> after =
        Fields(table.Lines[static_cast<size_t>(row)], table.Separator);
    Require(after.size() == before.size(), "a write keeps the row's field count");
    for (size_t other = 0; other < before.size(); ++other) {
        if (other != static_cast<size_t>(column - 1))
            Require(after[other] == before[other],
                    "a write leaves the row's other fields as they were");
    }
    table.Lines[static_cast<size_t>(row)] = line;
}

void CheckWrites(TTxtTable& table, int row) {
    const std::vector<std::string> original = table.Lines;
    const int count =
        static_cast<int>(Fields(table.Lines[static_cast<size_t>(row)], table.Separator).size());
    // A value from the next row, bare and padded with blanks and control codes.
    const std::string value =
        WithoutAny(table.Lines[static_cast<size_t>((row + 1) % table.RowCount())],
                   std::string("\r\n") + table.Separator);
    for (int column : {0, 1, (count + 1) / 2, count, count + 1}) {
        CheckSetField(table, row, column, value);
        CheckSetField(table, row, column, " \t" + value + std::string(1, '\0') + "\x1f ");
    }
    Require(table.Lines == original, "a write leaves the other rows as they were");
}

void CheckDeleteHeader(const TTxtTable& original) {
    TTxtTable table;
    table.Assign(original);
    table.DeleteHeader();
    const std::vector<std::string> rest(original.Lines.begin() + (original.Lines.empty() ? 0 : 1),
                                        original.Lines.end());
    Require(table.Lines == rest, "DeleteHeader removes the first line alone");
}

void CheckColumn(const TTxtTable& table, int column) {
    std::vector<std::string> values{"left over"};
    table.GetColumn(column, values);
    Require(values.size() == table.Lines.size(), "a column has a value for every row");
    for (int row = 0; row < std::min(table.RowCount(), RowsChecked); ++row)
        Require(values[static_cast<size_t>(row)] == table.GetField(row, column),
                "a column holds the rows' fields");

    if (values.size() > EntriesSorted)
        values.resize(EntriesSorted);
    for (const std::string& value : values) {
        Require(IsInList(value, values), "every entry is in its list");
        Require(IsInList(UpperCase1252(value), values), "the list is searched without case");
        Require(!IsInList(value + '|', values), "a text no entry holds is not in the list");
    }

    std::vector<std::string> sorted = values;
    SortUnique(sorted);
    for (size_t i = 1; i < sorted.size(); ++i)
        Require(CompareTextNoCase(sorted[i - 1], sorted[i]) < 0,
                "SortUnique orders without case and keeps no two equal entries");
    for (const std::string& value : values)
        Require(IsInList(value, sorted), "SortUnique keeps a spelling of every entry");
    for (const std::string& kept : sorted) {
        const auto first = std::find_if(values.begin(), values.end(), [&](const std::string& v) {
            return SameTextNoCase(v, kept);
        });
        Require(first != values.end() && *first == kept,
                "SortUnique keeps the first spelling of equal entries");
    }
}

} // namespace
} // namespace pelmora::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pelmora;
    using namespace pelmora::fuzzing;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Split as LoadFromFile splits a file; the disk adds nothing worth the time.
    TTxtTable table;
    table.Lines = SplitLines(bytes);
    CheckLines(bytes, table);

    Require(ThrowsListIndexError([&] { table.GetField(-1, 1); }), "row -1 does not exist");
    Require(ThrowsListIndexError([&] { table.GetField(table.RowCount(), 1); }),
            "the row after the last does not exist");
    for (int row = 0; row < std::min(table.RowCount(), RowsChecked); ++row) {
        CheckFields(table, row);
        CheckWrites(table, row);
    }
    CheckDeleteHeader(table);
    for (int column = 1; column <= 3; ++column)
        CheckColumn(table, column);
    return 0;
}
