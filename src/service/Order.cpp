#include "CataloguePart.h"
#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/WideText.h"
#include "order/AddOrderForm.h"
#include "order/Money.h"
#include "order/OrderItem.h"
#include "order/OrderList.h"
#include "order/SavedOrder.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace pelmora::service {

namespace {

// The lines of a list in Windows-1252, and each line that holds characters the code
// page lacks as given (none at all when no line does).
struct ListText {
    std::vector<std::string> Lines;
    std::vector<std::u32string> Unicode;
};

ListText ListLines(const std::string& text) {
    ListText list;
    list.Lines = SplitLines(WithoutByteOrderMark(text));
    for (size_t i = 0; i < list.Lines.size(); ++i) {
        // A line of ASCII is already the same text in Windows-1252.
        if (std::all_of(list.Lines[i].begin(), list.Lines[i].end(),
                        [](unsigned char c) { return c < 0x80; }))
            continue;
        const auto characters = Utf8Characters(list.Lines[i]);
        if (!characters)
            continue;
        list.Lines[i] = CodePageText(*characters);
        // Most lists hold no such line, and then no second copy of their lines.
        if (!CharactersBeyondCodePage(*characters).empty()) {
            list.Unicode.resize(list.Lines.size());
            list.Unicode[i] = *characters;
        }
    }
    return list;
}

// An order the program saved is taken as it stands, prices and all.
bool ReadSavedOrder(const std::string& text, const std::string& name, Order& order) {
    const auto kind = SavedOrderKind(text);
    if (!kind)
        return false;
    try {
        order.Lines.Lines = ParseSavedOrder(text, *kind, name, &order.Wide);
    } catch (const SavedOrderError& error) {
        throw RequestError(error.File + ":" + std::to_string(error.Line) + ": " + error.Reason);
    }
    return true;
}

// The line as printed, in UTF-8, with the description as given.
std::string ShownLine(const Order& order, int row) {
    const std::string& line = order.Lines.Lines[static_cast<size_t>(row)];
    const auto wide = order.Wide.find(row);
    std::string shown =
        TabSeparatedField(wide == order.Wide.end() ? ToUtf8(line)
                                                   : ToUtf8(line.substr(0, line.rfind('|') + 1)) +
                                                         ToUtf8(wide->second.Text));
    std::replace(shown.begin(), shown.end(), '|', '\t');
    return shown;
}

// The sum of the lines that carry a price, and how many do not (priced on request).
// An order too large to add up has no total.
nlohmann::json TotalJson(const TTxtTable& table) {
    Money sum = 0;
    int unpriced = 0;
    bool fits = true;
    for (int row = 0; row < table.RowCount(); ++row) {
        std::string price = table.GetField(row, olPrice);
        if (!IsMoneyText(price)) {
            ++unpriced;
            continue;
        }
        std::erase_if(price, [](char c) { return c == '$' || c == ','; });
        const std::optional<Money> amount = ParseMoney(price);
        const std::optional<Money> added = amount ? AddMoney(sum, *amount) : std::nullopt;
        fits = fits && added.has_value();
        sum = added.value_or(sum);
    }
    return {{"total", fits ? nlohmann::json(MoneyText(sum)) : nlohmann::json()},
            {"unpriced", unpriced}};
}

} // namespace

Reply OrderReply(const Session& session, const Order& order) {
    Reply reply;
    reply.Status = order.Status;
    nlohmann::json lines = nlohmann::json::array();
    const TTxtTable& table = order.Lines;
    for (int row = 0; row < table.RowCount(); ++row) {
        const auto wide = order.Wide.find(row);
        lines.push_back({{"quantity", Text(table.GetField(row, olQuantity))},
                         {"price", Text(table.GetField(row, olPrice))},
                         {"delivery", Text(table.GetField(row, olDelivery))},
                         {"partNumber", Text(table.GetField(row, olPartNumber))},
                         {"description", wide == order.Wide.end()
                                             ? Text(table.GetField(row, olDescription))
                                             : nlohmann::json(ToUtf8(wide->second.Text))}});
        reply.Lines.push_back(ShownLine(order, row));
    }
    const nlohmann::json total = TotalJson(table);
    reply.Document = {{"lines", std::move(lines)},
                      {"total", total["total"]},
                      {"unpriced", total["unpriced"]},
                      {"skipped", order.Skipped},
                      {"messages", session.Messages()}};
    return reply;
}

Order MakeOrder(Session& session, std::string text, const std::string& name) {
    Order order;
    if (ReadSavedOrder(text, name, order))
        return order;
    // The text once cut into lines, and the lines once read, are let go: only the
    // items are needed after.
    OrderList list = [&text] {
        const ListText given = ListLines(std::exchange(text, {}));
        return ReadOrderList(given.Lines, given.Unicode);
    }();
    for (const OrderListProblem& problem : list.Skipped) {
        session.Platform.ShowAt("error", problem.Line, problem.Reason);
        order.Skipped.push_back({{"line", problem.Line}, {"reason", Text(problem.Reason)}});
        order.Status = Negative;
    }

    CataloguePartReader catalogue(session.App, session.Platform.Seams());
    AddOrderForm dialog(session.App, session.Platform.Seams());
    int quantity = 1;
    session.Platform.AddToOrder = [&] {
        dialog.txtQuantity = std::to_string(quantity);
        dialog.txtQuantityChange();
        dialog.btnAddClick();
        return true;
    };
    // Each part number is examined once, at its first item. A later item with the
    // same part number updates that item's line, which keeps its description: only
    // whether the part is the catalogue's is kept, a bit for each line of the list.
    std::vector<bool> inCatalogue(list.Items.empty() ? 0 : list.Items.back().Line + 1);
    // A line for each item that repeats no earlier part number.
    order.Lines.Lines.reserve(static_cast<size_t>(std::count_if(
        list.Items.begin(), list.Items.end(), [](const auto& item) { return !item.Update; })));
    // Each item is let go once its line is made: the items and the order's lines are
    // never both held whole.
    while (!list.Items.empty()) {
        const OrderListItem item = std::move(list.Items.front());
        list.Items.pop_front();
        CataloguePart part;
        if (item.Update)
            part.Known = inCatalogue[item.Update->FirstLine];
        else
            part = catalogue.Examine(item.PartNumber);
        inCatalogue[item.Line] = part.Known;
        if (!part.Known) {
            session.Platform.ShowAt("error", item.Line,
                                    CataloguePartReader::NotInCatalogueMessage(item.PartNumber));
            order.Status = Negative;
        }
        if (item.Update && item.Update->DescriptionDropped) {
            session.Platform.ShowAt("error", item.Line, UpdateMessage(item));
            order.Status = Negative;
        } else if (item.Update) {
            session.Platform.ShowAt("info", item.Line, UpdateMessage(item));
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
    return order;
}

int TellLostCharacters(Session& session, const Order& order, const std::string& format) {
    if (format == "xml" || order.Wide.empty())
        return Success;
    const std::string file = format == "bom" ? "the bill of materials" : "the ." + format + " file";
    for (const auto& [row, description] : order.Wide)
        session.Platform.ShowAt("error", description.Line, LostCharacters(description, file));
    return Negative;
}

} // namespace pelmora::service
