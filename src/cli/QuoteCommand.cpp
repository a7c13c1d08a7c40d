#include "Cli.h"
#include "Utf8.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/TxtTable.h"
#include "order/AddOrderForm.h"
#include "order/OrderList.h"
#include "partnumber/CataloguePart.h"

namespace pelmora::cli {

namespace {

std::string FamilyName(Cli& cli, TProductFamily family) {
    const TableRef families = cli.App.Tables(cli.Platform).Load("Family.tbl");
    if (family == pfUnknown || family >= families->RowCount())
        return "Unknown";
    return families->GetField(family, 2);
}

} // namespace

// The price and delivery the Add to Order dialog shows for each part number; a
// part number the catalogue does not make has none.
int Quote(Cli& cli, const Arguments& parts, const std::optional<std::string>& quantityText) {
    const auto quantity = quantityText ? ParseQuantity(*quantityText) : 1;
    if (!quantity)
        throw UsageError("--qty takes a whole number from 1 to 99999, not " + *quantityText);

    CataloguePartReader catalogue(cli.App, cli.Platform.Seams());
    AddOrderForm dialog(cli.App, cli.Platform.Seams());
    TTxtTable unused;
    cli.Platform.AddToOrder = [&] {
        dialog.txtQuantity = std::to_string(*quantity);
        dialog.txtQuantityChange();
        return false;
    };

    int result = Success;
    nlohmann::json quotes = nlohmann::json::array();
    for (const std::string& argument : parts) {
        const std::string part = view::FromUtf8(argument);
        const CataloguePart examined = catalogue.Examine(part);
        if (!examined.Known) {
            cli.Platform.Error(CataloguePartReader::NotInCatalogueMessage(part));
            result = Negative;
        }
        dialog.OpenAddToOrder({*quantity, part, "", examined.Known}, unused);
        const std::string name = FamilyName(cli, examined.Family);
        if (cli.Json)
            quotes.push_back(
                {{"partNumber", Cli::Text(part)},
                 {"family", Cli::Text(name)},
                 {"quantity", *quantity},
                 {"total", Cli::Text(dialog.txtPrice)},
                 {"unitPrice", dialog.UnitPrice == 0 ? nlohmann::json()
                                                     : Cli::Text(MoneyText(dialog.UnitPrice))},
                 {"delivery", Cli::Text(dialog.txtDelivery)}});
        else
            cli.Print(TabSeparatedLine(
                {part, name, std::to_string(*quantity), dialog.txtPrice, dialog.txtDelivery}));
    }
    if (cli.Json)
        cli.Print(nlohmann::json{{"quotes", std::move(quotes)}, {"messages", cli.Messages()}});
    return result;
}

} // namespace pelmora::cli
