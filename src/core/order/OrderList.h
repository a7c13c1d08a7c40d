#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace pelmora {

// One item of an order list: a quantity and a part number, and the description
// the list gives it (empty: the wizard describes the part).
struct OrderListItem {
    size_t Line = 0; // counted from 1
    int Quantity = 1;
    std::string PartNumber;
    std::string Description;
};

struct OrderListProblem {
    size_t Line = 0;
    std::string Reason;
};

struct OrderList {
    std::vector<OrderListItem> Items;
    std::vector<OrderListProblem> Skipped;
};

// An order list as a script or a customer writes it, one item a line: "quantity
// part" separated by blanks, or "quantity<TAB>part<TAB>description", or "quantity
// part<TAB>description". With a TAB after the quantity the part number is the
// whole field up to the next TAB. Blank lines and lines starting with "#" are
// skipped silently; every other line that is not an item is skipped with its
// reason. Lines are Windows-1252 text.
OrderList ReadOrderList(const std::vector<std::string>& lines);

// A quantity as the Add to Order dialog keeps it: a whole number from 1 to 99999
// written in decimal digits only.
std::optional<int> ParseQuantity(const std::string& text);

} // namespace pelmora
