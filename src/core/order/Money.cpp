#include "Money.h"

#include "catalogue/Numbers.h"

namespace pelmora {

std::optional<Money> ParseMoney(std::string_view text) {
    const auto value = ParseNumber(text);
    if (!value)
        return std::nullopt;
    return ToFixed(*value);
}

std::string MoneyText(Money amount) {
    const bool negative = amount < 0;
    // In cents, rounded half to even from the four decimals held.
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(amount)
                                                  : static_cast<unsigned long long>(amount);
    unsigned long long cents = magnitude / 100;
    const unsigned long long rest = magnitude % 100;
    if (rest > 50 || (rest == 50 && cents % 2 == 1))
        ++cents;

    std::string whole = std::to_string(cents / 100);
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3)
        whole.insert(static_cast<size_t>(i), ",");
    const unsigned long long fraction = cents % 100;
    return std::string(negative ? "-$" : "$") + whole + "." + (fraction < 10 ? "0" : "") +
           std::to_string(fraction);
}

} // namespace pelmora
