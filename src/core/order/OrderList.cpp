#include "OrderList.h"

#include "AddOrderForm.h"
#include "catalogue/Numbers.h"
#include "catalogue/Text1252.h"

#include <algorithm>
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
    std::string Quantity;
    std::string PartNumber;
    std::string Description;
};

// The quantity, part number and description of a line, or why there are none.
std::optional<Fields> Split(std::string_view text, std::string& problem) {
    const size_t tab = text.find('\t');
    const std::string_view head = TrimControlAndBlank(text.substr(0, tab));
    const std::string_view tail = tab == std::string_view::npos ? "" : text.substr(tab + 1);

    if (tab != std::string_view::npos && head.find(' ') == std::string_view::npos) {
        const size_t next = tail.find('\t');
        const std::string_view after = next == std::string_view::npos ? "" : tail.substr(next + 1);
        return Fields{std::string(head), std::string(TrimControlAndBlank(tail.substr(0, next))),
                      std::string(TrimControlAndBlank(after))};
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
    return Fields{std::string(words[0]), std::string(words[1]),
                  std::string(TrimControlAndBlank(tail))};
}

} // namespace

std::optional<int> ParseQuantity(const std::string& text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const auto value = ParseInteger(text);
    if (!value || *value < AddOrderForm::MinimumQuantity || *value > AddOrderForm::MaximumQuantity)
        return std::nullopt;
    return static_cast<int>(*value);
}

OrderList ReadOrderList(const std::vector<std::string>& lines) {
    OrderList list;
    for (size_t number = 1; number <= lines.size(); ++number) {
        const std::string_view text = TrimControlAndBlank(lines[number - 1]);
        if (text.empty() || text.front() == '#')
            continue;
        std::string problem;
        auto skip = [&](std::string reason) { list.Skipped.push_back({number, std::move(reason)}); };
        const auto fields = Split(text, problem);
        if (!fields) {
            skip(problem);
            continue;
        }
        const auto quantity = ParseQuantity(fields->Quantity);
        if (!quantity)
            skip("the quantity must be a whole number from 1 to 99999");
        else if (fields->PartNumber.empty())
            skip("a part number is needed");
        else if (fields->PartNumber.find('|') != std::string::npos ||
                 fields->Description.find('|') != std::string::npos)
            skip("\"|\" cannot stand in an order line");
        else
            list.Items.push_back({number, *quantity, fields->PartNumber, fields->Description});
    }
    return list;
}

} // namespace pelmora
