#include "LengthLists.h"

#include "catalogue/Numbers.h"

#include <array>
#include <map>

namespace pelmora {

namespace {

// Nearest multiple of the unit, an exact half going to the even neighbour, as
// llrint does for the double of a fixed-point value.
Fixed RoundToUnit(Fixed value, Fixed unit) {
    Fixed quotient = value / unit;
    const Fixed rest = value % unit;
    const Fixed twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > unit || (twice == unit && quotient % 2 != 0))
        quotient += rest < 0 ? -1 : 1;
    return quotient;
}

// The entry texts of fixed-point lengths, written without going through a double:
// the same texts as ImperialEntry and MetricEntry give, many times faster.
std::string ImperialText(Fixed value) {
    // An exact half of a tenth rounds as "%.1f" rounds the double nearest to it,
    // which may lie on either side; those few are written the slow way.
    if (value % 1000 == 500 || value % 1000 == -500)
        return ImperialEntry(FromFixed(value));
    const Fixed tenths = RoundToUnit(value, 1000);
    const Fixed magnitude = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
           std::to_string(magnitude % 10);
}

std::string MetricText(Fixed value) {
    return std::to_string(RoundToUnit(value, FixedOne));
}

// Entries from start to end inclusive, in fixed-point steps so that no rounding
// error accumulates.
std::vector<std::string> Stepped(Fixed start, Fixed end, Fixed step, std::string (*format)(Fixed)) {
    std::vector<std::string> entries;
    for (Fixed value = start; value <= end && entries.size() < MaxLengthEntries;) {
        entries.push_back(format(value));
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

namespace {

LengthEntries BuildRangeLengths(const std::string& imperialStep, const std::string& metricStep,
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
        entries.Imperial = Stepped(ToFixed(first), ToFixed(last), ToFixed(*stepIn), ImperialText);
    }
    if (stepMm && maximumMetric) {
        const Fixed start = ToFixed(static_cast<double>(RoundHalfEven(InchesToMm(first))));
        const Fixed end = ToFixed(static_cast<double>(RoundHalfEven(*maximumMetric)));
        entries.Metric = Stepped(start, end, ToFixed(*stepMm), MetricText);
    }
    return entries;
}

} // namespace

LengthEntries RangeLengths(const std::string& imperialStep, const std::string& metricStep,
                           const std::string& minimumInches, const std::string& maximumInches,
                           const std::string& maximumMm) {
    // Every choice of a size builds its lists again from the same few table rows;
    // the lists of the last rows seen are kept, per thread, and shared by the boxes
    // that show them.
    using Key = std::array<std::string, 5>;
    constexpr size_t Kept = 512;
    thread_local std::map<Key, LengthEntries> built;
    Key key{imperialStep, metricStep, minimumInches, maximumInches, maximumMm};
    if (const auto found = built.find(key); found != built.end())
        return found->second;
    if (built.size() >= Kept)
        built.clear();
    LengthEntries entries =
        BuildRangeLengths(imperialStep, metricStep, minimumInches, maximumInches, maximumMm);
    built.emplace(std::move(key), entries);
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
