#include "Money.h"

#include "catalogue/Numbers.h"
#include "catalogue/PriceCell.h"

#include <cmath>

namespace pelmora {

std::optional<Money> ParseMoney(std::string_view text) {
    const auto value = ParseNumber(text);
    if (!value || std::fabs(*value) >= PriceCellLimit)
        return std::nullopt;
    return ToFixed(*value);
}

std::optional<Money> AddMoney(Money a, Money b) {
    Money sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return std::nullopt;
    return sum;
}

std::optional<Money> MultiplyMoney(Money amount, std::int64_t factor) {
    Money product = 0;
    if (__builtin_mul_overflow(amount, factor, &product))
        return std::nullopt;
    return product;
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

bool IsMoneyText(std::string_view text) {
    // The digits read back as cents, then written again: the same text or not ours.
    Money cents = 0;
    bool digits = false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            continue;
        if (__builtin_mul_overflow(cents, 10, &cents) ||
            __builtin_add_overflow(cents, c - '0', &cents))
            return false;
        digits = true;
    }
    Money amount = 0;
    if (!digits || __builtin_mul_overflow(cents, 100, &amount))
        return false;
    return MoneyText(text.starts_with('-') ? -amount : amount) == text;
}

} // namespace pelmora
