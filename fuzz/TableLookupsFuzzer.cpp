// A table file of any bytes read both ways: loaded into lines, and kept as one
// block for lookups with its column index. Both hold the same rows and fields,
// and the index finds the rows a scan finds, before and after the header goes,
// in a subset of rows and once a field is written.
#include "Require.h"
#include "catalogue/TxtTable.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pelmora::fuzzing {
namespace {

// Enough rows and columns to meet every kind of line while each input stays quick.
constexpr int RowsChecked = 48;
constexpr int ColumnsPastEnd = 3;
constexpr int ColumnsLookedUp = 4;

void CheckSameRows(const TTxtTable& loaded, const TTxtTable& lookup) {
    Require(loaded.RowCount() == lookup.RowCount(), "both ways read the same number of rows");
    for (int row = 0; row < std::min(loaded.RowCount(), RowsChecked); ++row) {
        Require(loaded.Line(row) == lookup.Line(row), "both ways read the same row");
        const std::vector<std::string_view> fields = lookup.Fields(row);
        Require(fields == loaded.Fields(row), "both ways cut a row into the same fields");
        const int count = static_cast<int>(fields.size());
        for (int column = 0; column <= count + ColumnsPastEnd; ++column) {
            const std::string field = lookup.GetField(row, column);
            Require(field == loaded.GetField(row, column) && field == lookup.FieldView(row, column),
                    "both ways read the same field");
            if (column >= 1)
                Require(field == fields[static_cast<size_t>(std::min(column, count) - 1)],
                        "a field is the row's field of that column; past the end the last one");
        }
    }
}

std::vector<int> Scan(const TTxtTable& table, int column, std::string_view key) {
    std::vector<int> rows;
    for (int row = 0; row < table.RowCount(); ++row) {
        if (table.GetField(row, column) == key)
            rows.push_back(row);
    }
    return rows;
}

// Keys of every kind: fields of the first, a middle and the last row, nothing, and
// a text no field holds.
std::vector<std::string> KeysOf(const TTxtTable& table, int column) {
    std::vector<std::string> keys{"", "\x01 held by no field"};
    const int count = table.RowCount();
    for (const int row : {0, count / 2, count - 1}) {
        if (row >= 0 && row < count)
            keys.push_back(table.GetField(row, column));
    }
    return keys;
}

void CheckSameLookups(const TTxtTable& loaded, const TTxtTable& lookup) {
    for (int column = 0; column <= ColumnsLookedUp; ++column) {
        std::vector<std::string> values;
        std::vector<std::string> lookupValues{"left over"};
        loaded.GetColumn(column, values);
        lookup.GetColumn(column, lookupValues);
        Require(values == lookupValues, "both ways read the same column");
        for (const std::string& key : KeysOf(loaded, column)) {
            const std::vector<int> scanned = Scan(loaded, column, key);
            Require(loaded.RowsWhere(column, key) == scanned,
                    "a lookup finds the rows a scan finds, in file order");
            Require(lookup.RowsWhere(column, key) == scanned,
                    "the column index finds the rows a scan finds, in file order");
        }
    }
}

void CheckBothWays(const TTxtTable& loaded, const TTxtTable& lookup) {
    CheckSameRows(loaded, lookup);
    CheckSameLookups(loaded, lookup);
}

// Every other row from the last back, so that a subset reorders the rows.
std::vector<int> EveryOtherRowBackwards(const TTxtTable& table) {
    std::vector<int> rows;
    for (int row = table.RowCount() - 1; row >= 0; row -= 2)
        rows.push_back(row);
    return rows;
}

void CheckWrite(const TTxtTable& loaded, const TTxtTable& lookup) {
    if (loaded.RowCount() == 0)
        return;
    TTxtTable written;
    written.Assign(loaded);
    TTxtTable writtenLookup;
    writtenLookup.Assign(lookup);
    // The last row's first field, so that a lookup of it now finds one row more.
    const int row = loaded.RowCount() / 2;
    const std::string value = loaded.GetField(loaded.RowCount() - 1, 1);
    written.SetField(row, 1, value);
    writtenLookup.SetField(row, 1, value);
    CheckBothWays(written, writtenLookup);
    CheckBothWays(loaded, lookup);
}

} // namespace
} // namespace pelmora::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pelmora;
    using namespace pelmora::fuzzing;
    static const testing::TempFolder folder;
    const std::string path =
        folder.Write("table.tbl", std::string(reinterpret_cast<const char*>(data), size));
    TTxtTable loaded;
    loaded.LoadFromFile(path);
    TTxtTable lookup = TTxtTable::ForLookupsOrThrow(path);
    CheckBothWays(loaded, lookup);
    // Looked up before the header goes, so that an index made then must not last.
    loaded.DeleteHeader();
    lookup.DeleteHeader();
    CheckBothWays(loaded, lookup);

    const std::vector<int> rows = EveryOtherRowBackwards(loaded);
    const TTxtTable subset = loaded.Rows(rows);
    const TTxtTable lookupSubset = lookup.Rows(rows);
    CheckBothWays(subset, lookupSubset);
    // The rows of one key, as the wizard narrows a table, taken from the subset.
    if (subset.RowCount() > 0) {
        const std::vector<int> found = subset.RowsWhere(2, subset.GetField(0, 2));
        CheckBothWays(subset.Rows(found), lookupSubset.Rows(found));
    }
    CheckWrite(loaded, lookup);
    return 0;
}
