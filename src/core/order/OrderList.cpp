#include "OrderList.h"

#include "AddOrderForm.h"
#include "catalogue/Numbers.h"
#include "catalogue/Text1252.h"
#include "catalogue/WideText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace pelmora {

namespace {

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (;;) {
        const size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos)
            return words;
        text.remove_prefix(start);
        const size_t end = std::min(text.find(' '), text.size());
        words.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
}

struct Fields {
    std::string_view Quantity;
    std::string_view PartNumber;
    std::string_view Description;
};

// The quantity, part number and description of a line, or why there are none.
std::optional<Fields> Split(std::string_view text, std::string& problem) {
    const size_t tab = text.find('\t');
    const std::string_view head = TrimControlAndBlank(text.substr(0, tab));
    const std::string_view tail = tab == std::string_view::npos ? "" : text.substr(tab + 1);

    if (tab != std::string_view::npos && head.find(' ') == std::string_view::npos) {
        const size_t next = tail.find('\t');
        const std::string_view after = next == std::string_view::npos ? "" : tail.substr(next + 1);
        return Fields{head, TrimControlAndBlank(tail.substr(0, next)), TrimControlAndBlank(after)};
    }
    const std::vector<std::string_view> words = Words(head);
    if (words.size() < 2) {
        problem = "a quantity and a part number are needed";
        return std::nullopt;
    }
    if (words.size() > 2) {
        problem = "\"" + std::string(words[2]) + "\" follows the part number; a description " +
                  "must follow a TAB";
        return std::nullopt;
    }
    return Fields{words[0], words[1], TrimControlAndBlank(tail)};
}

// The characters a field of the line stands for, from the line as given.
std::u32string_view AsGiven(std::u32string_view unicode, std::string_view line,
                            std::string_view field) {
    // An empty field may lie outside the line.
    if (unicode.empty() || field.empty())
        return {};
    return unicode.substr(static_cast<size_t>(field.data() - line.data()), field.size());
}

// The repeated items of the list, as the Add to Order dialog merges them: the
// first item of a part number keeps the line and its description.
void MarkUpdates(std::deque<OrderListItem>& items) {
    // For each part number, its first item and the quantity its line holds so far,
    // open-addressed in a table at most half full; part numbers are compared in the
    // items themselves, so that a list of a million items holds no copy of them.
    struct Line {
        uint32_t FirstPlusOne = 0;
        int Quantity = 0;
    };
    std::vector<Line> lines(std::bit_ceil(std::max<size_t>(16, 2 * items.size())));
    const size_t mask = lines.size() - 1;
    for (size_t index = 0; index < items.size(); ++index) {
        OrderListItem& item = items[index];
        size_t slot = std::hash<std::string>{}(item.PartNumber) & mask;
        while (lines[slot].FirstPlusOne != 0 &&
               items[lines[slot].FirstPlusOne - 1].PartNumber != item.PartNumber)
            slot = (slot + 1) & mask;
        Line& line = lines[slot];
        if (line.FirstPlusOne == 0) {
            line = {static_cast<uint32_t>(index + 1), item.Quantity};
            continue;
        }
        const OrderListItem& first = items[line.FirstPlusOne - 1];
        const bool differs =
            !item.Description.empty() && (item.Description != first.Description ||
                                          item.WideDescription != first.WideDescription);
        item.Update = OrderLineUpdate{first.Line, line.Quantity, differs};
        line.Quantity = item.Quantity;
    }
}

} // namespace

std::string UpdateMessage(const OrderListItem& item) {
    const OrderLineUpdate& update = item.Update.value();
    return "updates the line of line " + std::to_string(update.FirstLine) + ": quantity " +
           std::to_string(update.OldQuantity) + " -> " + std::to_string(item.Quantity) +
           (update.DescriptionDropped ? "; its description is not used" : "");
}

std::optional<int> ParseQuantity(const std::string& text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const auto value = ParseInteger(text);
    if (!value || *value < AddOrderForm::MinimumQuantity || *value > AddOrderForm::MaximumQuantity)
        return std::nullopt;
    return static_cast<int>(*value);
}

OrderList ReadOrderList(const std::vector<std::string>& lines,
                        const std::vector<std::u32string>& unicode) {
    OrderList list;
    for (size_t number = 1; number <= lines.size(); ++number) {
        const std::string& line = lines[number - 1];
        const std::u32string_view given =
            number <= unicode.size() ? std::u32string_view(unicode[number - 1]) : U"";
        if (!given.empty() && given.size() != line.size())
            throw std::invalid_argument("a line as given must hold one character for each byte");
        const std::string_view text = TrimControlAndBlank(line);
        if (text.empty() || text.front() == '#')
            continue;
        std::string problem;
        auto skip = [&](std::string reason) {
            list.Skipped.push_back({number, std::move(reason)});
        };
        const auto fields = Split(text, problem);
        if (!fields) {
            skip(problem);
            continue;
        }
        const auto quantity = ParseQuantity(std::string(fields->Quantity));
        const std::string beyond =
            CharactersBeyondCodePage(AsGiven(given, line, fields->PartNumber));
        const std::u32string_view description = AsGiven(given, line, fields->Description);
        if (!quantity)
            skip("the quantity must be a whole number from 1 to 99999");
        else if (fields->PartNumber.empty())
            skip("a part number is needed");
        else if (fields->PartNumber.find('|') != std::string::npos ||
                 fields->Description.find('|') != std::string::npos)
            skip("\"|\" cannot stand in an order line");
        else if (!beyond.empty())
            skip("the part number holds " + beyond + ", which an order line cannot hold");
        else
            list.Items.push_back(
                {number, *quantity, std::string(fields->PartNumber),
                 std::string(fields->Description),
                 CharactersBeyondCodePage(description).empty() ? U"" : std::u32string(description),
                 std::nullopt});
    }
    MarkUpdates(list.Items);
    return list;
}

} // namespace pelmora
