// Numbers, money and dates from any text, and from any bit pattern of a double,
// an amount or a day count: parsing never faults, and each text written reads
// back to the value it stands for.
#include "Require.h"
#include "catalogue/Numbers.h"
#include "order/Money.h"
#include "update/DateText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <regex>
#include <string>

namespace pelmora::fuzzing {
namespace {

const std::regex OneDecimal("-?[0-9]+\\.[0-9]");
const std::regex Dollars("-?\\$(0|[1-9][0-9]{0,2})(,[0-9]{3})*\\.[0-9]{2}");
const std::regex IsoDate("[0-9]{4}-[0-9]{2}-[0-9]{2}");

void CheckRounding(double value) {
    const long long rounded = RoundHalfEven(value);
    if (!std::isfinite(value) || std::abs(value) > 9.0e18)
        return;
    const double away = std::abs(static_cast<double>(rounded) - value);
    Require(away <= 0.5, "RoundHalfEven gives a nearest integer");
    if (away == 0.5)
        Require(rounded % 2 == 0, "RoundHalfEven sends an exact half to the even neighbour");

    const Fixed fixed = ToFixed(value);
    if (std::abs(value) < 9.0e14)
        Require(std::abs(FromFixed(fixed) - value) <= 0.00005 + std::abs(value) * 1e-15,
                "ToFixed keeps a value to the nearest ten-thousandth");
}

void CheckOneDecimal(double value) {
    const std::string text = FormatOneDecimal(value);
    if (!std::isfinite(value))
        return;
    Require(text.find('\0') == std::string::npos, "FormatOneDecimal writes no NUL byte");
    Require(std::regex_match(text, OneDecimal), "FormatOneDecimal writes digits and one decimal");
    const auto back = ParseNumber(text);
    Require(back.has_value(), "FormatOneDecimal's text is a number");
    Require(std::abs(*back - value) <= 0.05 + std::abs(value) * 1e-15,
            "FormatOneDecimal's text reads back to the nearest tenth");
}

void CheckMoney(Money amount) {
    const std::string text = MoneyText(amount);
    Require(std::regex_match(text, Dollars), "MoneyText writes $d,ddd.dd");
    Require(text.starts_with('-') == (amount < 0), "MoneyText marks exactly the negative amounts");

    std::string plain;
    for (char c : text) {
        if (c != '$' && c != ',')
            plain += c;
    }
    unsigned long long cents = 0;
    for (char c : plain) {
        if (c >= '0' && c <= '9')
            cents = cents * 10 + static_cast<unsigned>(c - '0');
    }
    const unsigned long long magnitude = amount < 0 ? 0ULL - static_cast<unsigned long long>(amount)
                                                    : static_cast<unsigned long long>(amount);
    const unsigned long long shown = cents * 100;
    Require((shown > magnitude ? shown - magnitude : magnitude - shown) <= 50,
            "MoneyText shows the amount to the nearest cent");
    // Where a double still holds every cent of the amount.
    if (magnitude < 1'000'000'000'000'000ULL) {
        const auto back = ParseMoney(plain);
        Require(back.has_value(), "MoneyText's digits are a price");
        Require(*back == (amount < 0 ? -1 : 1) * static_cast<Money>(shown),
                "MoneyText's digits read back as the amount in cents");
    }
}

void CheckText(const std::string& text) {
    const auto number = ParseNumber(text);
    Require(IsNumericText(text) == number.has_value(), "IsNumericText agrees with ParseNumber");
    if (number) {
        Require(std::isfinite(*number), "ParseNumber gives finite numbers only");
        CheckRounding(*number);
        CheckOneDecimal(*number);
    }
    if (const auto integer = ParseInteger(text)) {
        Require(number.has_value() && *number == static_cast<double>(*integer),
                "an integer text is the same number");
        Require(ParseInteger(std::to_string(*integer)) == integer, "an integer reads back");
    }
    const auto money = ParseMoney(text);
    // Beyond 2^63 ten-thousandths an amount cannot be held; it is refused, not clamped.
    Require(money.has_value() == (number.has_value() && std::fabs(*number) < 9.2e14),
            "a price is any number an amount can hold");
    if (money)
        CheckMoney(*money);
}

void CheckDate(const Date& date) {
    const std::string text = DateText(date);
    if (const auto back = ParseDate(text))
        Require(*back == date, "a date written reads back as the same day");
}

void CheckDateText(const std::string& text, int days) {
    CheckDate(
        AddDays(Date{std::chrono::year(2026), std::chrono::December, std::chrono::day(7)}, days));
    const auto date = ParseDate(text);
    if (!date)
        return;
    Require(date->ok(), "ParseDate gives real days only");
    Require(std::regex_match(DateText(*date), IsoDate), "DateText writes ISO 8601");
    CheckDate(*date);
    const Date later = AddDays(*date, days);
    CheckDate(later);
    // Within eight thousand years either way the calendar holds every day.
    if (std::abs(static_cast<long long>(days)) <= 3'000'000) {
        Require(later.ok(), "a day count moves to a real day");
        Require(AddDays(later, -days) == *date, "days counted back return to the day");
    }
}

template <typename T> T FirstBytesAs(const uint8_t* data, size_t size) {
    T value{};
    std::memcpy(&value, data, std::min(size, sizeof value));
    return value;
}

} // namespace
} // namespace pelmora::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pelmora::fuzzing;
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckText(text);

    // The same bytes as bit patterns, to reach values no text in the catalogue holds.
    const auto value = FirstBytesAs<double>(data, size);
    CheckRounding(value);
    CheckOneDecimal(value);
    CheckMoney(FirstBytesAs<pelmora::Money>(data, size));
    CheckDateText(text, FirstBytesAs<int>(data, size));
    return 0;
}
