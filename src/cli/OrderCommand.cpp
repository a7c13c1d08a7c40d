#include "Cli.h"
#include "Utf8.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/Text1252.h"
#include "catalogue/TxtTable.h"
#include "catalogue/WideText.h"
#include "order/AddOrderForm.h"
#include "order/BillOfMaterials.h"
#include "order/OrderFiles.h"
#include "order/OrderItem.h"
#include "order/OrderList.h"
#include "order/SavedOrder.h"
#include "partnumber/CataloguePart.h"

#include <algorithm>
#include <map>
#include <optional>

namespace pelmora::cli {

namespace {

// The kind of order file the name's extension names; a usage error for any other name.
OrderFileKind KindFor(const std::string& path) {
    const size_t point = path.rfind('.');
    const std::string extension = point == std::string::npos ? "" : path.substr(point);
    if (SameTextNoCase(extension, ".xls"))
        return SpreadsheetFile;
    if (SameTextNoCase(extension, ".txt"))
        return TextFile;
    if (SameTextNoCase(extension, ".xml"))
        return XmlFile;
    throw UsageError("--out must end in .xls, .txt or .xml");
}

std::string ReadInput(const std::string& path) {
    try {
        return ReadInputFile(path);
    } catch (const FileError& error) {
        throw UsageError(error.what());
    }
}

// The lines of a list in Windows-1252, and each line that holds characters the code
// page lacks as given.
struct ListText {
    std::vector<std::string> Lines;
    std::vector<std::u32string> Unicode;
};

ListText ListLines(const std::string& text) {
    ListText list;
    list.Lines = SplitLines(view::WithoutByteOrderMark(text));
    list.Unicode.resize(list.Lines.size());
    for (size_t i = 0; i < list.Lines.size(); ++i) {
        const auto characters = view::Utf8Characters(list.Lines[i]);
        if (!characters)
            continue;
        list.Lines[i] = CodePageText(*characters);
        if (!CharactersBeyondCodePage(*characters).empty())
            list.Unicode[i] = *characters;
    }
    return list;
}

// An order the program saved is taken as it stands, prices and all.
bool ReadSavedOrder(const std::string& text, const std::string& path, MadeOrder& order) {
    const auto kind = SavedOrderKind(text);
    if (!kind)
        return false;
    try {
        order.Lines.Lines = ParseSavedOrder(text, *kind, path, &order.Wide);
    } catch (const SavedOrderError& error) {
        throw UsageError(error.what());
    }
    return true;
}

// The line as printed, in UTF-8, with the description as given.
std::string ShownLine(const MadeOrder& order, int row) {
    const std::string& line = order.Lines.Lines[static_cast<size_t>(row)];
    const auto wide = order.Wide.find(row);
    std::string shown = TabSeparatedField(wide == order.Wide.end()
                                              ? view::ToUtf8(line)
                                              : view::ToUtf8(line.substr(0, line.rfind('|') + 1)) +
                                                    view::ToUtf8(wide->second.Text));
    std::replace(shown.begin(), shown.end(), '|', '\t');
    return shown;
}

void PrintOrder(Cli& cli, const MadeOrder& order) {
    if (cli.Json)
        return cli.Print(OrderJson(cli, order));
    for (int row = 0; row < order.Lines.RowCount(); ++row)
        cli.Out << ShownLine(order, row) << '\n';
}

// The order into --out and --bom, or printed without --out.
void Write(Cli& cli, const MadeOrder& order, const OrderFiles& files,
           std::optional<OrderFileKind> kind) {
    if (kind)
        WriteLines(*files.Out, OrderFileLines(order.Lines, *kind, order.Wide));
    if (files.Bom)
        WriteBillOfMaterials(order.Lines, *files.Bom, cli.App.Tables(cli.Platform));
    if (!kind)
        PrintOrder(cli, order);
}

} // namespace

nlohmann::json OrderJson(const Cli& cli, const MadeOrder& order) {
    nlohmann::json lines = nlohmann::json::array();
    const TTxtTable& table = order.Lines;
    for (int row = 0; row < table.RowCount(); ++row) {
        const auto wide = order.Wide.find(row);
        lines.push_back({{"quantity", Cli::Text(table.GetField(row, olQuantity))},
                         {"price", Cli::Text(table.GetField(row, olPrice))},
                         {"delivery", Cli::Text(table.GetField(row, olDelivery))},
                         {"partNumber", Cli::Text(table.GetField(row, olPartNumber))},
                         {"description", wide == order.Wide.end()
                                             ? Cli::Text(table.GetField(row, olDescription))
                                             : nlohmann::json(view::ToUtf8(wide->second.Text))}});
    }
    return {{"lines", lines}, {"skipped", order.Skipped}, {"messages", cli.Messages()}};
}

int MakeOrder(Cli& cli, const std::string& text, const std::string& name, MadeOrder& order) {
    if (ReadSavedOrder(text, name, order))
        return Success;
    const ListText given = ListLines(text);
    const OrderList list = ReadOrderList(given.Lines, given.Unicode);
    int result = Success;
    for (const OrderListProblem& problem : list.Skipped) {
        cli.Platform.Error("line " + std::to_string(problem.Line) + ": " + problem.Reason);
        order.Skipped.push_back({{"line", problem.Line}, {"reason", Cli::Text(problem.Reason)}});
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
        if (item.Update && item.Update->DescriptionDropped) {
            cli.Platform.Error(UpdateMessage(item));
            result = Negative;
        } else if (item.Update) {
            cli.Platform.Information(UpdateMessage(item));
        }
        quantity = item.Quantity;
        const int rows = order.Lines.RowCount();
        dialog.OpenAddToOrder({item.Quantity, item.PartNumber,
                               item.Description.empty() ? part.Description : item.Description,
                               part.Known},
                              order.Lines);
        if (!item.WideDescription.empty() && order.Lines.RowCount() > rows)
            order.Wide[rows] = {item.Line, item.WideDescription};
    }
    return result;
}

int TellLostCharacters(Cli& cli, const MadeOrder& order, const std::string& format) {
    if (format == "xml" || order.Wide.empty())
        return Success;
    const std::string file = format == "bom" ? "the bill of materials" : "the ." + format + " file";
    for (const auto& [row, description] : order.Wide)
        cli.Platform.Error(LostCharactersMessage(description, file));
    return Negative;
}

// Prices a list of items into an order, as the Add to Order dialog adds them. Every
// argument is checked before anything is written.
int Order(Cli& cli, const OrderFiles& files) {
    const std::optional<OrderFileKind> kind =
        files.Out ? std::optional(KindFor(*files.Out)) : std::nullopt;
    MadeOrder order;
    int result = MakeOrder(cli, ReadInput(files.In), files.In, order);
    if (kind) {
        const char* format = *kind == XmlFile ? "xml" : *kind == TextFile ? "txt" : "xls";
        result = std::max(result, TellLostCharacters(cli, order, format));
    }
    if (files.Bom)
        result = std::max(result, TellLostCharacters(cli, order, "bom"));
    Write(cli, order, files, kind);
    return result;
}

} // namespace pelmora::cli
