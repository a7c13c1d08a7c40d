#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelmora {

// An amount of money as a count of ten-thousandths of a dollar.
using Money = std::int64_t;
constexpr Money MoneyOne = 10000;

// A price cell as a decimal number, to the nearest ten-thousandth (halves to
// even); nothing when the text is no number or the amount does not fit in Money.
std::optional<Money> ParseMoney(std::string_view text);

// Sums and products that would not fit in Money give nothing, never a wrapped amount.
std::optional<Money> AddMoney(Money a, Money b);
std::optional<Money> MultiplyMoney(Money amount, std::int64_t factor);

// "$" directly before the amount, "," between groups of three digits, "." and two
// decimals (rounded to the nearest cent, halves to even): $1,234.50.
std::string MoneyText(Money amount);
// Whether the text has the form MoneyText writes.
bool IsMoneyText(std::string_view text);

} // namespace pelmora
