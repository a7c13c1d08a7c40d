#include "Cli.h"
#include "Utf8.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/Text1252.h"
#include "catalogue/TxtTable.h"
#include "order/AddOrderForm.h"
#include "order/BillOfMaterials.h"
#include "order/OrderFiles.h"
#include "order/OrderItem.h"
#include "order/OrderList.h"
#include "order/SavedOrder.h"
#include "partnumber/CataloguePart.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

namespace pelmora::cli {

namespace {

using OrderWriter = std::function<void(const TTxtTable&, const std::string&)>;

// The writer the file's extension names; a usage error for any other name.
OrderWriter WriterFor(const std::string& path) {
    const size_t point = path.rfind('.');
    const std::string extension = point == std::string::npos ? "" : path.substr(point);
    if (SameTextNoCase(extension, ".xls"))
        return SaveOrderXls;
    if (SameTextNoCase(extension, ".txt"))
        return SaveOrderText;
    if (SameTextNoCase(extension, ".xml"))
        return SaveOrderXml;
    throw UsageError("--out must end in .xls, .txt or .xml");
}

std::string ReadInput(const std::string& path) {
    try {
        return ReadWholeFile(path);
    } catch (const FileError& error) {
        throw UsageError(error.what());
    }
}

std::vector<std::string> ListLines(const std::string& text) {
    std::vector<std::string> lines = SplitLines(view::WithoutByteOrderMark(text));
    for (std::string& line : lines)
        line = view::FromUtf8(line);
    return lines;
}

// An order the program saved is taken as it stands, prices and all.
std::optional<TTxtTable> SavedOrderIn(const std::string& text, const std::string& path) {
    const auto kind = SavedOrderKind(text);
    if (!kind)
        return std::nullopt;
    TTxtTable lines;
    try {
        lines.Lines = ParseSavedOrder(text, *kind, path);
    } catch (const SavedOrderError& error) {
        throw UsageError(error.what());
    }
    return lines;
}

void PrintOrder(Cli& cli, const TTxtTable& lines, const nlohmann::json& skipped) {
    if (cli.Json)
        return cli.Print(OrderJson(cli, lines, skipped));
    for (const std::string& line : lines.Lines) {
        std::string shown = TabSeparatedField(line);
        std::replace(shown.begin(), shown.end(), '|', '\t');
        cli.Print(shown);
    }
}

// The order into --out and --bom, or printed without --out.
void Write(Cli& cli, const TTxtTable& lines, const OrderFiles& files, const OrderWriter& writer,
           const nlohmann::json& skipped) {
    if (writer)
        writer(lines, *files.Out);
    if (files.Bom)
        WriteBillOfMaterials(lines, *files.Bom, cli.App.Tables(cli.Platform));
    if (!writer)
        PrintOrder(cli, lines, skipped);
}

} // namespace

nlohmann::json OrderJson(const Cli& cli, const TTxtTable& lines, const nlohmann::json& skipped) {
    nlohmann::json order = nlohmann::json::array();
    for (int row = 0; row < lines.RowCount(); ++row)
        order.push_back({{"quantity", Cli::Text(lines.GetField(row, olQuantity))},
                         {"price", Cli::Text(lines.GetField(row, olPrice))},
                         {"delivery", Cli::Text(lines.GetField(row, olDelivery))},
                         {"partNumber", Cli::Text(lines.GetField(row, olPartNumber))},
                         {"description", Cli::Text(lines.GetField(row, olDescription))}});
    return {{"lines", order}, {"skipped", skipped}, {"messages", cli.Messages()}};
}

int MakeOrder(Cli& cli, const std::string& text, const std::string& name, TTxtTable& lines,
              nlohmann::json& skipped) {
    skipped = nlohmann::json::array();
    if (auto saved = SavedOrderIn(text, name)) {
        lines = std::move(*saved);
        return Success;
    }
    const OrderList list = ReadOrderList(ListLines(text));
    int result = Success;
    for (const OrderListProblem& problem : list.Skipped) {
        cli.Platform.Error("line " + std::to_string(problem.Line) + ": " + problem.Reason);
        skipped.push_back({{"line", problem.Line}, {"reason", Cli::Text(problem.Reason)}});
        result = Negative;
    }

    CataloguePartReader catalogue(cli.App, cli.Platform.Seams());
    AddOrderForm dialog(cli.App, cli.Platform.Seams());
    int quantity = 1;
    cli.Platform.AddToOrder = [&] {
        dialog.txtQuantity = std::to_string(quantity);
        dialog.txtQuantityChange();
        dialog.btnAddClick();
        return true;
    };
    std::map<std::string, CataloguePart> examined;
    for (const OrderListItem& item : list.Items) {
        auto [known, added] = examined.try_emplace(item.PartNumber);
        if (added)
            known->second = catalogue.Examine(item.PartNumber);
        const CataloguePart& part = known->second;
        if (!part.Known) {
            cli.Platform.Error("line " + std::to_string(item.Line) + ": " +
                               CataloguePartReader::NotInCatalogueMessage(item.PartNumber));
            result = Negative;
        }
        quantity = item.Quantity;
        dialog.OpenAddToOrder({item.Quantity, item.PartNumber,
                               item.Description.empty() ? part.Description : item.Description,
                               part.Known},
                              lines);
    }
    return result;
}

// Prices a list of items into an order, as the Add to Order dialog adds them. Every
// argument is checked before anything is written.
int Order(Cli& cli, const OrderFiles& files) {
    const OrderWriter writer = files.Out ? WriterFor(*files.Out) : OrderWriter();
    TTxtTable lines;
    nlohmann::json skipped;
    const int result = MakeOrder(cli, ReadInput(files.In), files.In, lines, skipped);
    Write(cli, lines, files, writer, skipped);
    return result;
}

} // namespace pelmora::cli
