#pragma once

#include "Controls.h"
#include "catalogue/TxtTable.h"

#include <initializer_list>
#include <string>
#include <vector>

// The drop-down lists of the selection cascade and the rows behind them.
namespace pelmora {

// The first row whose code (column 1) is that code; -1 when none is.
int FirstRowWithCode(const TTxtTable& table, const std::string& code);

// A list's entries: the rows' fields in those columns.
std::vector<std::vector<std::string>> ListEntries(const TTxtTable& rows,
                                                  std::initializer_list<int> columns);

// The list's entries become the rows' fields in those columns.
void Refill(ComboState& list, const TTxtTable& rows, std::initializer_list<int> columns);

// The sizes a family offers: the rows of the size table, and the list's entries
// made of them.
struct OfferedSizes {
    TTxtTable Rows;
    std::vector<std::vector<std::string>> Entries;
};

// The size table's rows whose code (column 1) the family's table lists: with a
// WGVSWR letter, the codes (column 2) of that letter's rows in codes, exactly as
// written; without, the codes in column 1 of codes, letter case ignored. Without
// codes, none.
OfferedSizes OfferSizes(const TTxtTable& sizes, const char* vswrLetter, const TTxtTable* codes,
                        std::initializer_list<int> columns);

} // namespace pelmora
