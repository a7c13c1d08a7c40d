#pragma once

#include "Controls.h"
#include "catalogue/TxtTable.h"

#include <initializer_list>
#include <string>

// The drop-down lists of the selection cascade and the rows behind them.
namespace pelmora {

// The first row whose code (column 1) is that code; -1 when none is.
int FirstRowWithCode(const TTxtTable& table, const std::string& code);

// The list's entries become the rows' fields in those columns.
void Refill(ComboState& list, const TTxtTable& rows, std::initializer_list<int> columns);

} // namespace pelmora
