#include "Cli.h"
#include "Options.h"
#include "Utf8.h"
#include "WizardReport.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/Text1252.h"
#include "catalogue/TxtTable.h"
#include "order/AddOrderForm.h"
#include "order/BillOfMaterials.h"
#include "order/OrderFiles.h"
#include "order/OrderItem.h"
#include "wizard/MainForm.h"

#include <map>

namespace pelmora::cli {

namespace {

struct Item {
    int Quantity = 1;
    std::string PartNumber;
    std::string Description; // empty: the wizard's order description
};

// "quantity part" separated by blanks or a TAB, then optionally a TAB and a
// description; nothing when the line is malformed.
std::optional<Item> ParseItem(const std::string& line, std::string& problem) {
    const std::string_view text = TrimControlAndBlank(line);
    const size_t quantityEnd = text.find_first_of(" \t");
    if (quantityEnd == std::string_view::npos) {
        problem = "a quantity and a part number are needed";
        return std::nullopt;
    }
    const auto quantity = ParseQuantity(std::string(text.substr(0, quantityEnd)));
    if (!quantity) {
        problem = "the quantity must be a whole number from 1 to 99999";
        return std::nullopt;
    }
    std::string_view rest = text.substr(quantityEnd);
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
    const size_t partEnd = rest.find_first_of(" \t");
    Item item{*quantity, std::string(rest.substr(0, partEnd)), ""};
    if (partEnd != std::string_view::npos) {
        std::string_view after = rest.substr(partEnd);
        if (const size_t tab = after.find('\t'); tab != std::string_view::npos)
            item.Description = std::string(TrimControlAndBlank(after.substr(tab + 1)));
        else if (!TrimControlAndBlank(after).empty()) {
            problem = "a description must follow a TAB";
            return std::nullopt;
        }
    }
    if (item.PartNumber.find('|') != std::string::npos ||
        item.Description.find('|') != std::string::npos) {
        problem = "\"|\" cannot stand in an order line";
        return std::nullopt;
    }
    return item;
}

void WriteOrder(const TTxtTable& lines, const std::string& path) {
    const size_t point = path.rfind('.');
    const std::string extension = point == std::string::npos ? "" : path.substr(point);
    if (SameTextNoCase(extension, ".xls"))
        SaveOrderXls(lines, path);
    else if (SameTextNoCase(extension, ".txt"))
        SaveOrderText(lines, path);
    else if (SameTextNoCase(extension, ".xml"))
        SaveOrderXml(lines, path);
    else
        throw UsageError("--out must end in .xls, .txt or .xml");
}

} // namespace

// Prices a list of items into an order, as the Add to Order dialog adds them.
int Order(Cli& cli, const Arguments& arguments) {
    Options options(arguments, {"--in", "--out", "--bom"});
    if (!options.Positional().empty())
        throw UsageError("order takes only --in, --out and --bom");
    const auto input = options.Value("--in");
    if (!input)
        throw UsageError("order needs --in FILE");
    std::string text;
    try {
        text = ReadWholeFile(*input);
    } catch (const FileError& error) {
        throw UsageError(error.what());
    }

    auto wizard = StartWizard(cli);
    AddOrderForm dialog(cli.App, cli.Platform.Seams());
    TTxtTable lines;
    int quantity = 1;
    cli.Platform.AddToOrder = [&] {
        dialog.FormShow();
        dialog.txtQuantity = std::to_string(quantity);
        dialog.txtQuantityChange();
        dialog.btnAddClick();
        return true;
    };

    int result = Success;
    nlohmann::json skipped = nlohmann::json::array();
    std::map<std::string, std::string> descriptions;
    const std::vector<std::string> inputLines = SplitLines(text);
    for (size_t number = 1; number <= inputLines.size(); ++number) {
        const std::string line = FromUtf8(inputLines[number - 1]);
        const std::string_view trimmed = TrimControlAndBlank(line);
        if (trimmed.empty() || trimmed.front() == '#')
            continue;
        std::string problem;
        auto item = ParseItem(line, problem);
        if (!item) {
            cli.Platform.Error("line " + std::to_string(number) + ": " + problem);
            skipped.push_back({{"line", number}, {"reason", problem}});
            result = Negative;
            continue;
        }
        if (item->Description.empty()) {
            // A repeated part number keeps the description of its line.
            auto [known, added] = descriptions.try_emplace(item->PartNumber);
            if (added) {
                QuickBuild(cli, *wizard, item->PartNumber);
                if (wizard->Family() == pfUnknown)
                    result = Negative;
                known->second = wizard->BuildOrderDescription();
            }
            item->Description = known->second;
        }
        quantity = item->Quantity;
        dialog.OpenAddToOrder({item->Quantity, item->PartNumber, item->Description}, lines);
    }

    if (const auto bom = options.Value("--bom"))
        WriteBillOfMaterials(lines, *bom, cli.App.Tables(cli.Platform));
    if (const auto out = options.Value("--out")) {
        WriteOrder(lines, *out);
    } else if (cli.Json) {
        nlohmann::json order = nlohmann::json::array();
        for (int row = 0; row < lines.RowCount(); ++row)
            order.push_back({{"quantity", Cli::Text(lines.GetField(row, olQuantity))},
                             {"price", Cli::Text(lines.GetField(row, olPrice))},
                             {"delivery", Cli::Text(lines.GetField(row, olDelivery))},
                             {"partNumber", Cli::Text(lines.GetField(row, olPartNumber))},
                             {"description", Cli::Text(lines.GetField(row, olDescription))}});
        cli.Print(nlohmann::json{{"lines", order}, {"skipped", skipped}});
    } else {
        for (const std::string& line : lines.Lines) {
            std::string shown = line;
            std::replace(shown.begin(), shown.end(), '|', '\t');
            cli.Print(shown);
        }
    }
    return result;
}

} // namespace pelmora::cli
