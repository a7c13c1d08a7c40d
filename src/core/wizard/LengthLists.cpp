#include "LengthLists.h"

#include "catalogue/Numbers.h"

namespace pelmora {

namespace {

// Entries from start to end inclusive, in fixed-point steps so that no rounding
// error accumulates.
std::vector<std::string> Stepped(Fixed start, Fixed end, Fixed step,
                                 std::string (*format)(double)) {
    std::vector<std::string> entries;
    for (Fixed value = start; value <= end && entries.size() < MaxLengthEntries;) {
        entries.push_back(format(FromFixed(value)));
        if (step <= 0 || __builtin_add_overflow(value, step, &value))
            break;
    }
    return entries;
}

} // namespace

std::string ImperialEntry(double inches) {
    return FormatOneDecimal(inches);
}

std::string MetricEntry(double mm) {
    return std::to_string(RoundHalfEven(mm));
}

LengthEntries RangeLengths(const std::string& imperialStep, const std::string& metricStep,
                           const std::string& minimumInches, const std::string& maximumInches,
                           const std::string& maximumMm) {
    const auto stepIn = ParseNumber(imperialStep);
    const auto stepMm = ParseNumber(metricStep);
    const auto minimum = ParseNumber(minimumInches);
    const auto maximum = ParseNumber(maximumInches);
    const auto maximumMetric = ParseNumber(maximumMm);
    LengthEntries entries;
    if (!minimum)
        return entries;

    // Both ends are taken at one decimal first, as the entries show them.
    const double first = ParseNumber(ImperialEntry(*minimum)).value_or(0);
    if (stepIn && maximum) {
        const double last = ParseNumber(ImperialEntry(*maximum)).value_or(0);
        entries.Imperial = Stepped(ToFixed(first), ToFixed(last), ToFixed(*stepIn), ImperialEntry);
    }
    if (stepMm && maximumMetric) {
        const Fixed start = ToFixed(static_cast<double>(RoundHalfEven(InchesToMm(first))));
        const Fixed end = ToFixed(static_cast<double>(RoundHalfEven(*maximumMetric)));
        entries.Metric = Stepped(start, end, ToFixed(*stepMm), MetricEntry);
    }
    return entries;
}

int FirstIndexNotBelow(const std::string& text, const std::vector<std::string>& list) {
    const Fixed typed = ToFixed(ParseNumber(text).value_or(0));
    for (size_t i = 0; i < list.size(); ++i) {
        if (ToFixed(ParseNumber(list[i]).value_or(0)) >= typed)
            return static_cast<int>(i);
    }
    return static_cast<int>(list.size()) - 1;
}

} // namespace pelmora
