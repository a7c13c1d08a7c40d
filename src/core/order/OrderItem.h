#pragma once

#include <string>

namespace pelmora {

// A part handed to the Add to Order dialog.
struct OrderItem {
    int Quantity = 1;
    std::string PartNumber;
    std::string Description;
    // False for a part number the catalogue does not make (it came from outside
    // the wizard): it has no price.
    bool InCatalogue = true;
};

// The fields of an order line: quantity|price|delivery|part number|description.
enum OrderLineField {
    olQuantity = 1,
    olPrice = 2,
    olDelivery = 3,
    olPartNumber = 4,
    olDescription = 5,
};

} // namespace pelmora
