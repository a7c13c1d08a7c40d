#include "AddOrderForm.h"

#include "PriceQuote.h"
#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "catalogue/Family.h"
#include "catalogue/Numbers.h"
#include "catalogue/TableSource.h"
#include "catalogue/TxtTable.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalWindows.h"
#include "platform/Platform.h"

#include <algorithm>
#include <optional>

namespace pelmora {

namespace {

constexpr const char* NoPrice = "N/A";
constexpr const char* AskTheRep = "Contact Corvane Rep.";

} // namespace

AddOrderForm::AddOrderForm(AppState& app, Platform& platform) : app_(app), platform_(platform) {}

bool AddOrderForm::OpenAddToOrder(const OrderItem& item, TTxtTable& orderLines) {
    txtPartNumber = item.PartNumber;
    memDescription = item.Description;
    item_ = item;
    lines_ = &orderLines;
    Closed = false;
    return platform_.Windows.ShowAddToOrder();
}

bool AddOrderForm::OpenAddToOrderWithoutNote(const OrderItem& item, TTxtTable& orderLines) {
    lblNoteVisible = false;
    const bool added = OpenAddToOrder(item, orderLines);
    lblNoteVisible = true;
    return added;
}

int AddOrderForm::FindOrderLine() {
    return lines_ ? lineOf_.Find(*lines_, item_.PartNumber) : -1;
}

void AddOrderForm::FormShow() {
    const int line = FindOrderLine();
    if (line < 0) {
        lblNoteColour = {0, 0, 128};
        lblNote = "To add this item to your order, specify the quantity desired and press OK.";
        txtQuantity = "1";
        btnAddCaption = "&Add";
    } else {
        lblNoteColour = {255, 0, 0};
        lblNote = "This item is already in your order. You can change the quantity desired and "
                  "press OK, or press Cancel to leave the order unchanged.";
        txtQuantity = std::to_string(QuantityOf(lines_->GetField(line, olQuantity)));
        btnAddCaption = "&Continue";
    }
    txtQuantityChange();
}

int AddOrderForm::QuantityOf(const std::string& text) {
    const auto value = ParseInteger(text);
    if (!value)
        return MinimumQuantity;
    return static_cast<int>(std::clamp<long long>(*value, MinimumQuantity, MaximumQuantity));
}

bool AddOrderForm::QuantityTooLarge(const std::string& text) {
    const auto value = ParseInteger(text);
    return value && *value > MaximumQuantity;
}

void AddOrderForm::txtQuantityChange() {
    QuotePrice();
}

void AddOrderForm::QuotePrice() {
    const std::string& partNumber = txtPartNumber;
    const TableSource tables = app_.Tables(platform_.Messages);
    const TProductFamily family = ClassifyFamily(partNumber, tables);
    const int quantity = QuantityOf(txtQuantity);
    PriceQuote quote;
    std::optional<Money> total;
    try {
        if (item_.InCatalogue && sheet_ && sheet_->Covers(family, partNumber))
            quote = sheet_->Quote(partNumber);
        else if (item_.InCatalogue)
            quote = QuoteFamily(tables, partNumber, family);
        total = MultiplyMoney(quote.Price, quantity);
        if (!total)
            throw ConversionError::PriceTooLarge();
    } catch (const ConversionError& error) {
        // The boxes must never go on showing the price of the part priced before.
        platform_.Messages.Error(error.what());
        quote = {};
    }
    UnitPrice = family == pfUnknown || QuantityTooLarge(txtQuantity) ? 0 : quote.Price;
    if (UnitPrice == 0) {
        txtPrice = NoPrice;
        txtDelivery = AskTheRep;
        return;
    }
    txtPrice = MoneyText(*total);
    const bool deliveryApplies =
        quote.DeliveryQuantityLimit != 0 && quote.DeliveryQuantityLimit >= quantity;
    txtDelivery = deliveryApplies ? quote.DeliveryText : AskTheRep;
}

void AddOrderForm::btnAddClick() {
    if (QuantityTooLarge(txtQuantity)) {
        platform_.Messages.Error(QuantityRefused);
        return;
    }
    Closed = true;
    if (!lines_)
        return;
    // The stored quantity is the one the price was computed for.
    const std::string quantity = std::to_string(QuantityOf(txtQuantity));
    const int line = FindOrderLine();
    if (line < 0) {
        // Sized exactly: an order of a million lines would otherwise carry the slack
        // of each line's growth.
        std::string text;
        text.reserve(quantity.size() + txtPrice.size() + txtDelivery.size() +
                     item_.PartNumber.size() + item_.Description.size() + 4);
        const std::initializer_list<const std::string*> fields{&quantity, &txtPrice, &txtDelivery,
                                                               &item_.PartNumber};
        for (const std::string* field : fields)
            text.append(*field).append(1, '|');
        lines_->Lines.push_back(std::move(text.append(item_.Description)));
        lineOf_.Added(*lines_);
    } else {
        lines_->SetField(line, olQuantity, quantity);
        lines_->SetField(line, olPrice, txtPrice);
        lines_->SetField(line, olDelivery, txtDelivery);
    }
}

void AddOrderForm::btnCancelClick() {
    Closed = true;
}

} // namespace pelmora
