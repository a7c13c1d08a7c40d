#include "SelectionLists.h"

#include <algorithm>
#include <unordered_set>

namespace pelmora {

int FirstRowWithCode(const TTxtTable& table, const std::string& code) {
    for (int row = 0; row < table.RowCount(); ++row) {
        if (table.FieldView(row, 1) == code)
            return row;
    }
    return -1;
}

std::vector<std::vector<std::string>> ListEntries(const TTxtTable& rows,
                                                  std::initializer_list<int> columns) {
    std::vector<std::vector<std::string>> entries;
    entries.reserve(static_cast<size_t>(rows.RowCount()));
    for (int row = 0; row < rows.RowCount(); ++row) {
        const std::vector<std::string_view> fields = rows.Fields(row);
        std::vector<std::string>& entry = entries.emplace_back();
        entry.reserve(columns.size());
        // A column past the row's end reads as its last field, as GetField reads it.
        for (const int column : columns)
            entry.emplace_back(fields[std::min(static_cast<size_t>(column), fields.size()) - 1]);
    }
    return entries;
}

void Refill(ComboState& list, const TTxtTable& rows, std::initializer_list<int> columns) {
    list.Items = ListEntries(rows, columns);
    list.ItemIndex = -1;
}

OfferedSizes OfferSizes(const TTxtTable& sizes, const char* vswrLetter, const TTxtTable* codes,
                        std::initializer_list<int> columns) {
    // One pass over each table: the codes go into a hash set (folded to upper case
    // where letter case does not count), and each size is then one lookup.
    std::unordered_set<std::string_view> exactCodes;
    std::vector<std::string> memberCodes;
    if (codes && vswrLetter) {
        for (const int v : codes->RowsWhere(1, vswrLetter))
            exactCodes.insert(codes->FieldView(v, 2));
    } else if (codes) {
        codes->GetColumn(1, memberCodes);
    }
    const CaseInsensitiveSet members(memberCodes);
    std::vector<int> offered;
    for (int row = 0; row < sizes.RowCount(); ++row) {
        const std::string_view code = sizes.FieldView(row, 1);
        if (exactCodes.count(code) || members.Contains(code))
            offered.push_back(row);
    }
    OfferedSizes result;
    result.Rows.Assign(sizes.Rows(offered));
    result.Entries = ListEntries(result.Rows, columns);
    return result;
}

} // namespace pelmora
