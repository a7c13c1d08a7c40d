#include "TxtTable.h"

#include "Errors.h"
#include "FileSystem.h"
#include "Text1252.h"
#include "platform/MessageBoxes.h"

#include <algorithm>

namespace pelmora {

TTxtTable::TTxtTable(const std::string& path, MessageBoxes& messages) {
    try {
        LoadFromFile(path);
    } catch (const FileError& error) {
        Lines.clear();
        messages.Error("Error loading \"" + path + "\" with error message, \"" + error.what() +
                       "\".");
    }
}

void TTxtTable::LoadFromFile(const std::string& path) {
    Lines = SplitLines(ReadWholeFile(path));
}

void TTxtTable::Assign(const TTxtTable& source) {
    Separator = source.Separator;
    Lines = source.Lines;
}

void TTxtTable::DeleteHeader() {
    if (!Lines.empty())
        Lines.erase(Lines.begin());
}

const std::string& TTxtTable::Row(int row) const {
    if (row < 0 || row >= RowCount())
        throw ListIndexError(row);
    return Lines[static_cast<size_t>(row)];
}

std::string TTxtTable::GetField(int row, int column) const {
    return std::string(FieldView(row, column));
}

std::string_view TTxtTable::FieldView(int row, int column) const {
    std::string_view rest = Row(row);
    std::string_view field;
    for (int i = 0; i < column; ++i) {
        const size_t separator = rest.find(Separator);
        if (separator == std::string_view::npos) {
            // A column past the row's end reads as its last field again.
            field = rest;
            break;
        }
        field = rest.substr(0, separator);
        rest.remove_prefix(separator + 1);
    }
    return TrimControlAndBlank(field);
}

void TTxtTable::GetColumn(int column, std::vector<std::string>& target) const {
    std::vector<std::string> values;
    values.reserve(Lines.size());
    for (int row = 0; row < RowCount(); ++row)
        values.push_back(GetField(row, column));
    target = std::move(values);
}

void TTxtTable::SetField(int row, int column, const std::string& value) {
    std::vector<std::string> fields;
    std::string_view rest = Row(row);
    for (;;) {
        const size_t separator = rest.find(Separator);
        if (separator == std::string_view::npos) {
            fields.emplace_back(rest);
            break;
        }
        fields.emplace_back(rest.substr(0, separator));
        rest.remove_prefix(separator + 1);
    }
    if (column < 1 || column > static_cast<int>(fields.size()))
        throw ListIndexError(column - 1);
    fields[static_cast<size_t>(column - 1)] = value;

    std::string joined = fields.front();
    for (size_t i = 1; i < fields.size(); ++i) {
        joined += Separator;
        joined += fields[i];
    }
    Lines[static_cast<size_t>(row)] = std::move(joined);
}

bool IsInList(const std::string& text, const std::vector<std::string>& list) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& entry) { return SameTextNoCase(entry, text); });
}

void SortUnique(std::vector<std::string>& list) {
    std::vector<std::string> unique;
    for (auto& entry : list) {
        if (!IsInList(entry, unique))
            unique.push_back(std::move(entry));
    }
    std::stable_sort(unique.begin(), unique.end(), [](const std::string& a, const std::string& b) {
        return CompareTextNoCase(a, b) < 0;
    });
    list = std::move(unique);
}

} // namespace pelmora
