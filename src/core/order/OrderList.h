#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace pelmora {

// An item whose part number an earlier item holds: as in the Add to Order dialog,
// it updates the order line of the first such item, replacing its quantity, and
// its own description is not used.
struct OrderLineUpdate {
    size_t FirstLine = 0;
    int OldQuantity = 0;
    // The item gives a description other than the one the line keeps: the list is
    // not taken as written.
    bool DescriptionDropped = false;
};

// One item of an order list: a quantity and a part number, and the description
// the list gives it (empty: the wizard describes the part).
struct OrderListItem {
    size_t Line = 0; // counted from 1
    int Quantity = 1;
    std::string PartNumber;
    std::string Description;
    // The description as given when it holds characters Windows-1252 lacks; the
    // Description holds "?" for each.
    std::u32string WideDescription;
    std::optional<OrderLineUpdate> Update;
};

// "updates the line of line 1: quantity 2 -> 3; its description is not used", told
// at the item's own line.
std::string UpdateMessage(const OrderListItem& item);

struct OrderListProblem {
    size_t Line = 0;
    std::string Reason;
};

struct OrderList {
    // A reader that takes each item from the front lets its memory go as it goes.
    std::deque<OrderListItem> Items;
    std::vector<OrderListProblem> Skipped;
};

// An order list as a script or a customer writes it, one item a line: "quantity
// part" separated by blanks, or "quantity<TAB>part<TAB>description", or "quantity
// part<TAB>description". With a TAB after the quantity the part number is the
// whole field up to the next TAB. Blank lines and lines starting with "#" are
// skipped silently; every other line that is not an item is skipped with its
// reason. Lines are Windows-1252 text; where a line held characters the code page
// lacks, unicode holds it as given, one character for each byte of the line (at
// the same index as the line; empty for the other lines). A part number must be
// Windows-1252 text: two part numbers told apart only by such characters would
// otherwise share one order line.
OrderList ReadOrderList(const std::vector<std::string>& lines,
                        const std::vector<std::u32string>& unicode = {});

// A quantity as the Add to Order dialog keeps it: a whole number from 1 to 99999
// written in decimal digits only.
std::optional<int> ParseQuantity(const std::string& text);

} // namespace pelmora
