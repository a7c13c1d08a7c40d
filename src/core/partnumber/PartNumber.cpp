#include "PartNumber.h"

#include "catalogue/Numbers.h"
#include "platform/MessageBoxes.h"

#include <algorithm>
#include <array>

namespace pelmora {

namespace {

// 1-based first position and width of a field; width 0 means the family has none.
struct Span {
    size_t first = 0;
    size_t width = 0;
};

enum class Layout { Short, Tapered, Bend, Flex, Straight, Other };

Layout LayoutOf(TProductFamily family) {
    switch (family) {
    case pfCoax:
    case pfRigidTwist:
        return Layout::Short;
    case pfTaperedTransition:
        return Layout::Tapered;
    case pfEBend:
    case pfHBend:
    case pfMiterH:
    case pfMiterE:
        return Layout::Bend;
    case pfFlexTwist:
        return Layout::Flex;
    case pfStraightSection:
        return Layout::Straight;
    default:
        return Layout::Other;
    }
}

Span SpanOf(Layout layout, TPartNumberField field) {
    switch (field) {
    case pnfFamilyLetter:
        return {1, 1};
    case pnfWaveguide:
        return {2, 3};
    case pnfFlangeA:
        return layout == Layout::Short || layout == Layout::Tapered ? Span{5, 1}
               : layout == Layout::Other                            ? Span{}
                                                                    : Span{6, 1};
    case pnfFlangeB:
        switch (layout) {
        case Layout::Short:
        case Layout::Tapered:
            return {6, 1};
        case Layout::Bend:
            return {10, 1};
        case Layout::Flex:
        case Layout::Straight:
            return {11, 1};
        default:
            return {};
        }
    case pnfBand:
        switch (layout) {
        case Layout::Short:
            return {7, 1};
        case Layout::Bend:
            return {14, 1};
        case Layout::Flex:
        case Layout::Straight:
            return {12, 1};
        default:
            return {};
        }
    case pnfFinish:
        switch (layout) {
        case Layout::Short:
            return {8, 1};
        case Layout::Tapered:
            return {7, 1};
        case Layout::Bend:
            return {15, 1};
        case Layout::Straight:
            return {13, 1};
        default:
            return {};
        }
    case pnfLength:
        switch (layout) {
        case Layout::Bend:
            return {7, 3};
        case Layout::Flex:
        case Layout::Straight:
            return {7, 4};
        default:
            return {};
        }
    case pnfLegBLength:
        return layout == Layout::Bend ? Span{11, 3} : Span{};
    case pnfUnits:
        return layout == Layout::Bend || layout == Layout::Flex || layout == Layout::Straight
                   ? Span{5, 1}
                   : Span{};
    case pnfStepTwistWaveguide:
        return {};
    }
    return {};
}

std::string Cut(const std::string& text, Span span) {
    if (span.width == 0 || span.first > text.size())
        return {};
    return text.substr(span.first - 1, span.width);
}

} // namespace

std::string ExtractPartNumberField(const std::string& partNumber, TProductFamily family,
                                   TPartNumberField field) {
    if (field == pnfStepTwistWaveguide) {
        if (partNumber.size() < 4)
            return partNumber.size() > 1 ? partNumber.substr(0, partNumber.size() - 1) : "";
        return partNumber.substr(partNumber.size() - 4, 3);
    }
    const Layout layout = LayoutOf(family);
    if (field == pnfUnits && SpanOf(layout, field).width == 0)
        return "N";
    return Cut(partNumber, SpanOf(layout, field));
}

namespace {

size_t LengthWidth(TProductFamily family) {
    return family == pfFlexTwist || family == pfStraightSection ? 4 : 3;
}

std::string ZeroFilled(std::string digits, size_t width) {
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

} // namespace

std::optional<bool> PlainLengthMatches(std::string_view lengthText, TProductFamily family,
                                       std::string_view digits) {
    // Past this many digits the number may not fit: EncodeLength decides.
    constexpr size_t MostDigits = 18;
    // Run over whole lists, so the digits are gathered without an allocation.
    std::array<char, MostDigits> significant{};
    size_t count = 0;
    bool point = false;
    bool anyDigit = false;
    for (const char c : lengthText) {
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        anyDigit = true;
        if (c == '0' && count == 0)
            continue;
        if (count == MostDigits)
            return std::nullopt;
        significant[count++] = c;
    }
    if (!anyDigit)
        return std::nullopt;
    if (count == 0)
        significant[count++] = '0';
    const std::string_view written(significant.data(), count);
    const size_t width = std::max(count, LengthWidth(family));
    return digits.size() == width &&
           digits.substr(0, width - count).find_first_not_of('0') == std::string_view::npos &&
           digits.substr(width - count) == written;
}

std::string EncodeLength(const std::string& lengthText, TProductFamily family,
                         MessageBoxes& messages) {
    std::string digits = lengthText;
    if (const size_t point = digits.find('.'); point != std::string::npos)
        digits.erase(point, 1);
    const auto value = ParseInteger(digits);
    if (!value) {
        messages.Information("Please enter a valid Length value.");
        return {};
    }
    // Zero-filled to the width, as "%.4d" or "%.3d" writes it.
    const unsigned long long magnitude = *value < 0 ? 0ULL - static_cast<unsigned long long>(*value)
                                                    : static_cast<unsigned long long>(*value);
    const std::string text = ZeroFilled(std::to_string(magnitude), LengthWidth(family));
    return *value < 0 ? "-" + text : text;
}

std::optional<double> DecodeLengthField(const std::string& digits, bool impliedDecimal) {
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const auto value = ParseInteger(digits);
    if (!value)
        return std::nullopt;
    return impliedDecimal ? static_cast<double>(*value) / 10.0 : static_cast<double>(*value);
}

std::string SortFlangePair(std::string partNumber, TProductFamily family) {
    size_t first = 0;
    size_t second = 0;
    if (family == pfFlexTwist || family == pfStraightSection) {
        first = 6;
        second = 11;
    } else if (family == pfEBend || family == pfHBend) {
        first = 6;
        second = 10;
    } else {
        return partNumber;
    }
    if (partNumber.size() < second || static_cast<unsigned char>(partNumber[first - 1]) <=
                                          static_cast<unsigned char>(partNumber[second - 1]))
        return partNumber;
    std::swap(partNumber[first - 1], partNumber[second - 1]);
    // A bend's flange goes with its own leg: each leg field follows its flange
    // (positions 7-9 and 11-13), or the part ordered would put the flanges on
    // the other legs than the ones shown.
    constexpr size_t LegA = 6;
    constexpr size_t LegB = 10;
    constexpr size_t LegWidth = 3;
    if ((family == pfEBend || family == pfHBend) && partNumber.size() >= LegB + LegWidth) {
        const std::string legA = partNumber.substr(LegA, LegWidth);
        partNumber.replace(LegA, LegWidth, partNumber.substr(LegB, LegWidth));
        partNumber.replace(LegB, LegWidth, legA);
    }
    return partNumber;
}

} // namespace pelmora
