#include "Numbers.h"

#include "Text1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace pelmora {

std::optional<double> ParseNumber(std::string_view text) {
    text = TrimControlAndBlank(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text == ".")
        return std::nullopt;
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool IsNumericText(std::string_view text) {
    return ParseNumber(text).has_value();
}

std::optional<long long> ParseInteger(std::string_view text) {
    text = TrimControlAndBlank(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

long long RoundHalfEven(double value) {
    // Far outside any length or amount; clamped so that the conversion stays defined.
    constexpr double Limit = 9.0e18;
    if (std::isnan(value))
        return 0;
    return std::llrint(std::clamp(value, -Limit, Limit));
}

Fixed ToFixed(double value) {
    return RoundHalfEven(value * static_cast<double>(FixedOne));
}

double FromFixed(Fixed value) {
    return static_cast<double>(value) / static_cast<double>(FixedOne);
}

std::string FormatOneDecimal(double value) {
    // Room for the 309 integer digits of the largest double, its sign and a decimal.
    std::array<char, 320> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 1);
    if (result.ec != std::errc())
        throw std::logic_error("FormatOneDecimal: no room for the digits");
    return std::string(buffer.data(), result.ptr);
}

double InchesToMm(double inches) {
    return inches * 25.4;
}

double MmToInches(double mm) {
    return mm * .03937;
}

} // namespace pelmora
