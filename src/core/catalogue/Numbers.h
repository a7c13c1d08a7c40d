#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers as the catalogue and the part numbers write them: "." is the decimal
// separator whatever the locale.
namespace pelmora {

// A fixed-point decimal: a count of ten-thousandths.
using Fixed = std::int64_t;
constexpr Fixed FixedOne = 10000;

// The text as a number: blanks around it are allowed, an exponent too; a lone
// "." or an empty text is no number.
std::optional<double> ParseNumber(std::string_view text);
bool IsNumericText(std::string_view text);
// A whole decimal number, nothing else.
std::optional<long long> ParseInteger(std::string_view text);

// Nearest integer, an exact half going to the even neighbour.
long long RoundHalfEven(double value);
Fixed ToFixed(double value);
double FromFixed(Fixed value);

// "%.1f": one decimal, "." as separator.
std::string FormatOneDecimal(double value);

// The exact factors of the catalogue: x 25.4 and x .03937 (not 1/25.4).
double InchesToMm(double inches);
double MmToInches(double mm);

} // namespace pelmora
