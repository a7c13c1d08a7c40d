#include "SelectionLists.h"

#include <algorithm>

namespace pelmora {

int FirstRowWithCode(const TTxtTable& table, const std::string& code) {
    for (int row = 0; row < table.RowCount(); ++row) {
        if (table.FieldView(row, 1) == code)
            return row;
    }
    return -1;
}

void Refill(ComboState& list, const TTxtTable& rows, std::initializer_list<int> columns) {
    list.Clear();
    list.Items.reserve(static_cast<size_t>(rows.RowCount()));
    for (int row = 0; row < rows.RowCount(); ++row) {
        const std::vector<std::string_view> fields = rows.Fields(row);
        std::vector<std::string>& entry = list.Items.emplace_back();
        entry.reserve(columns.size());
        // A column past the row's end reads as its last field, as GetField reads it.
        for (const int column : columns)
            entry.emplace_back(fields[std::min(static_cast<size_t>(column), fields.size()) - 1]);
    }
}

} // namespace pelmora
