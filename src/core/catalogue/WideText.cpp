#include "WideText.h"

#include "Text1252.h"

#include <algorithm>
#include <charconv>

namespace pelmora {

bool BeyondCodePage(char32_t point) {
    return point != U'?' && Byte1252(point) == '?';
}

std::string CodePageText(std::u32string_view text) {
    std::string bytes;
    for (const char32_t point : text)
        bytes += Byte1252(point);
    return bytes;
}

std::u32string CodePoints(std::string_view bytes) {
    std::u32string text;
    for (const char c : bytes)
        text += CodePoint1252(static_cast<unsigned char>(c));
    return text;
}

std::string UpperHex(char32_t point) {
    char digits[8] = {};
    std::string hex(digits, std::to_chars(digits, digits + sizeof digits, point, 16).ptr);
    for (char& c : hex)
        c = c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
    return hex;
}

std::string CharactersBeyondCodePage(std::u32string_view text) {
    std::u32string named;
    std::string names;
    for (const char32_t point : text) {
        if (!BeyondCodePage(point) || named.find(point) != std::u32string::npos)
            continue;
        named += point;
        const std::string hex = UpperHex(point);
        names += (names.empty() ? "U+" : ", U+") +
                 std::string(4 - std::min<size_t>(hex.size(), 4), '0') + hex;
    }
    return names;
}

} // namespace pelmora
