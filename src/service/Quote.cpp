#include "CataloguePart.h"
#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/TabSeparated.h"
#include "order/AddOrderForm.h"
#include "order/OrderList.h"

namespace pelmora::service {

namespace {

// The family of a part the catalogue makes; a part number that only begins with a
// family's letter belongs to none.
std::string FamilyName(Session& session, const CataloguePart& part) {
    if (!part.Known)
        return "";
    const TableRef families = session.App.Tables(session.Platform).Load("Family.tbl");
    if (part.Family == pfUnknown || part.Family >= families->RowCount())
        return "Unknown";
    return families->GetField(part.Family, 2);
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
        const std::string name = FamilyName(session, examined);
        quotes.push_back({{"partNumber", Text(part)},
                          {"family", examined.Known ? Text(name) : nlohmann::json()},
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
