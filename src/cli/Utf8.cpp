#include "Utf8.h"

#include <array>
#include <optional>
#include <vector>

namespace pelmora::cli {

namespace {

// Code points of bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(char32_t point, std::string& out) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

std::optional<std::vector<char32_t>> DecodeUtf8(const std::string& text) {
    std::vector<char32_t> points;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80         ? 0
                          : (lead >> 5) == 6  ? 1
                          : (lead >> 4) == 14 ? 2
                          : (lead >> 3) == 30 ? 3
                                              : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size())
            return std::nullopt;
        char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((next >> 6) != 2)
                return std::nullopt;
            point = (point << 6) | (next & 0x3F);
        }
        points.push_back(point);
        i += static_cast<size_t>(extra) + 1;
    }
    return points;
}

char ByteFor(char32_t point) {
    if (point < 0x80 || (point >= 0xA0 && point <= 0xFF))
        return static_cast<char>(point);
    for (size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == point)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

std::string ToUtf8(const std::string& bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(byte >= 0x80 && byte <= 0x9F ? HighControlRange[byte - 0x80] : byte, text);
    }
    return text;
}

std::string FromUtf8(const std::string& text) {
    const auto points = DecodeUtf8(text);
    if (!points)
        return text;
    std::string bytes;
    for (const char32_t point : *points)
        bytes += ByteFor(point);
    return bytes;
}

} // namespace pelmora::cli
