#include "CataloguePart.h"
#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/FileSystem.h"
#include "order/AddOrderForm.h"
#include "order/OrderItem.h"
#include "order/OrderList.h"
#include "order/SavedOrder.h"

#include <algorithm>
#include <map>

namespace pelmora::service {

namespace {

std::vector<std::string> ListLines(const std::string& text) {
    std::vector<std::string> lines = SplitLines(WithoutByteOrderMark(text));
    for (std::string& line : lines)
        line = FromUtf8(line);
    return lines;
}

// An order the program saved is taken as it stands, prices and all.
std::optional<TTxtTable> SavedOrderIn(const std::string& text, const std::string& name) {
    const auto kind = SavedOrderKind(text);
    if (!kind)
        return std::nullopt;
    TTxtTable lines;
    try {
        lines.Lines = ParseSavedOrder(text, *kind, name);
    } catch (const SavedOrderError& error) {
        throw RequestError(error.what());
    }
    return lines;
}

} // namespace

Reply OrderReply(const Session& session, const Order& order) {
    Reply reply;
    reply.Status = order.Status;
    nlohmann::json lines = nlohmann::json::array();
    for (int row = 0; row < order.Lines.RowCount(); ++row)
        lines.push_back({{"quantity", Text(order.Lines.GetField(row, olQuantity))},
                         {"price", Text(order.Lines.GetField(row, olPrice))},
                         {"delivery", Text(order.Lines.GetField(row, olDelivery))},
                         {"partNumber", Text(order.Lines.GetField(row, olPartNumber))},
                         {"description", Text(order.Lines.GetField(row, olDescription))}});
    reply.Document = {
        {"lines", std::move(lines)}, {"skipped", order.Skipped}, {"messages", session.Messages()}};
    for (std::string shown : order.Lines.Lines) {
        std::replace(shown.begin(), shown.end(), '|', '\t');
        reply.Lines.push_back(ToUtf8(shown));
    }
    return reply;
}

Order MakeOrder(Session& session, const std::string& text, const std::string& name) {
    Order order;
    if (auto saved = SavedOrderIn(text, name)) {
        order.Lines = std::move(*saved);
        return order;
    }
    const OrderList list = ReadOrderList(ListLines(text));
    for (const OrderListProblem& problem : list.Skipped) {
        session.Platform.Error("line " + std::to_string(problem.Line) + ": " + problem.Reason);
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
    std::map<std::string, CataloguePart> examined;
    for (const OrderListItem& item : list.Items) {
        auto [known, added] = examined.try_emplace(item.PartNumber);
        if (added)
            known->second = catalogue.Examine(item.PartNumber);
        const CataloguePart& part = known->second;
        if (!part.Known) {
            session.Platform.Error("line " + std::to_string(item.Line) + ": " +
                                   CataloguePartReader::NotInCatalogueMessage(item.PartNumber));
            order.Status = Negative;
        }
        quantity = item.Quantity;
        dialog.OpenAddToOrder({item.Quantity, item.PartNumber,
                               item.Description.empty() ? part.Description : item.Description,
                               part.Known},
                              order.Lines);
    }
    return order;
}

} // namespace pelmora::service
