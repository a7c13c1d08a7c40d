#include "CataloguePart.h"
#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/TabSeparated.h"
#include "order/AddOrderForm.h"
#include "order/OrderList.h"

namespace pelmora::service {

namespace {

std::string FamilyName(Session& session, TProductFamily family) {
    const TableRef families = session.App.Tables(session.Platform).Load("Family.tbl");
    if (family == pfUnknown || family >= families->RowCount())
        return "Unknown";
    return families->GetField(family, 2);
}

} // namespace

// A part number the catalogue does not make has no price.
Reply Quote(Session& session, const std::vector<std::string>& parts,
            const std::optional<std::string>& quantityText) {
    const auto quantity = quantityText ? ParseQuantity(*quantityText) : 1;
    if (!quantity)
        throw RequestError("--qty takes a whole number from 1 to 99999, not " + *quantityText);

    CataloguePartReader catalogue(session.App, session.Platform.Seams());
    AddOrderForm dialog(session.App, session.Platform.Seams());
    TTxtTable unused;
    session.Platform.AddToOrder = [&] {
        dialog.txtQuantity = std::to_string(*quantity);
        dialog.txtQuantityChange();
        return false;
    };

    Reply reply;
    nlohmann::json quotes = nlohmann::json::array();
    for (const std::string& argument : parts) {
        const std::string part = FromUtf8(argument);
        const CataloguePart examined = catalogue.Examine(part);
        if (!examined.Known) {
            session.Platform.Error(CataloguePartReader::NotInCatalogueMessage(part));
            reply.Status = Negative;
        }
        dialog.OpenAddToOrder({*quantity, part, "", examined.Known}, unused);
        const std::string name = FamilyName(session, examined.Family);
        quotes.push_back({{"partNumber", Text(part)},
                          {"family", Text(name)},
                          {"quantity", *quantity},
                          {"total", Text(dialog.txtPrice)},
                          {"unitPrice", dialog.UnitPrice == 0 ? nlohmann::json()
                                                              : Text(MoneyText(dialog.UnitPrice))},
                          {"delivery", Text(dialog.txtDelivery)}});
        reply.Lines.push_back(ToUtf8(TabSeparatedLine(
            {part, name, std::to_string(*quantity), dialog.txtPrice, dialog.txtDelivery})));
    }
    reply.Document = {{"quotes", std::move(quotes)}, {"messages", session.Messages()}};
    return reply;
}

} // namespace pelmora::service
