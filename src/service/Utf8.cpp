#include "Utf8.h"

#include "catalogue/Text1252.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace pelmora::service {

void AppendUtf8(char32_t point, std::string& out) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

std::optional<std::u32string> Utf8Characters(const std::string& text) {
    std::u32string points;
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
        // The shortest form only (C0 80 is no NUL), and no surrogates or points
        // beyond Unicode.
        constexpr char32_t Smallest[] = {0, 0x80, 0x800, 0x10000};
        if (point < Smallest[extra] || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
            return std::nullopt;
        points.push_back(point);
        i += static_cast<size_t>(extra) + 1;
    }
    return points;
}

std::string ToUtf8(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    AppendAsUtf8(bytes, text);
    return text;
}

void AppendAsUtf8(std::string_view bytes, std::string& out) {
    // Runs of ASCII are the same bytes in UTF-8 and go over whole.
    auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    for (auto at = bytes.begin(); at != bytes.end();) {
        const auto run = std::find_if_not(at, bytes.end(), isAscii);
        out.append(at, run);
        if (run == bytes.end())
            break;
        AppendUtf8(CodePoint1252(static_cast<unsigned char>(*run)), out);
        at = run + 1;
    }
}

std::string ToUtf8(std::u32string_view text) {
    std::string utf8;
    for (const char32_t point : text)
        AppendUtf8(point, utf8);
    return utf8;
}

std::string FromUtf8(const std::string& text) {
    const auto points = Utf8Characters(text);
    if (!points)
        return text;
    std::string bytes;
    for (const char32_t point : *points)
        bytes += Byte1252(point);
    return bytes;
}

std::string AsUtf8(const std::string& text) {
    return Utf8Characters(text) ? text : ToUtf8(text);
}

std::string WithoutByteOrderMark(const std::string& text) {
    return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

} // namespace pelmora::service
