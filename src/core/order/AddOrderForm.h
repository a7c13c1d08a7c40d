#pragma once

#include "Money.h"
#include "OrderItem.h"
#include "OrderLineIndex.h"

#include <string>

namespace pelmora {

struct AppState;
struct Platform;
class TTxtTable;
class PriceSheet;

struct Rgb {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The "Add to Order" dialog: prices a part for a quantity and adds it to the
// order, or changes the quantity of the line that already holds it.
class AddOrderForm {
public:
    static constexpr int MinimumQuantity = 1;
    static constexpr int MaximumQuantity = 99999;
    static constexpr const char* Caption = "Add to Order";
    static constexpr const char* NoteBehind = "Enter your new quantity value.";
    static constexpr const char* QuantityRefused =
        "The quantity is a whole number from 1 to 99999.";

    AddOrderForm(AppState& app, Platform& platform);

    // Shows the dialog for the item over the order; true when it closed with OK.
    bool OpenAddToOrder(const OrderItem& item, TTxtTable& orderLines);
    // The same with the note label hidden, so the text behind it shows.
    bool OpenAddToOrderWithoutNote(const OrderItem& item, TTxtTable& orderLines);

    void FormShow();
    void txtQuantityChange();
    void btnAddClick();
    void btnCancelClick();

    // The quantity the box text stands for: its integer kept within 1..99999, or 1
    // for text that is no integer.
    static int QuantityOf(const std::string& text);
    // A whole number above 99999: Add refuses it rather than store less.
    static bool QuantityTooLarge(const std::string& text);

    // Prices the parts the sheet covers from it instead of reading their rows
    // afresh, for one who prices many parts of a size from tables that stay as they
    // are; nullptr reads them for each quote again.
    void UsePriceSheet(PriceSheet* sheet) { sheet_ = sheet; }

    std::string lblNote;
    Rgb lblNoteColour;
    bool lblNoteVisible = true;
    std::string txtQuantity = "1";
    std::string txtPrice;
    std::string txtDelivery;
    std::string txtPartNumber;
    std::string memDescription;
    std::string btnAddCaption = "&Add";
    // The unit price behind the price box; 0 while it shows "N/A".
    Money UnitPrice = 0;
    bool Closed = false;

private:
    int FindOrderLine();
    void QuotePrice();

    AppState& app_;
    Platform& platform_;
    OrderItem item_;
    TTxtTable* lines_ = nullptr;
    OrderLineIndex lineOf_;
    PriceSheet* sheet_ = nullptr;
};

} // namespace pelmora
