#include "Text1252.h"

#include <algorithm>
#include <array>

namespace pelmora {

namespace {

// Code points of bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
// Bytes the code page leaves undefined keep their C1 control code point.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char32_t CodePoint1252(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? HighControlRange[byte - 0x80] : byte;
}

char Byte1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

char UpperCase1252(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z')
        return static_cast<char>(byte - 32);
    // Latin letters with accents: 0xE0-0xFE map to 0xC0-0xDE, except the division sign.
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
        return static_cast<char>(byte - 32);
    switch (byte) {
    case 0x9A: // s caron
    case 0x9C: // oe ligature
    case 0x9E: // z caron
        return static_cast<char>(byte - 16);
    case 0xFF: // y diaeresis
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

std::string UpperCase1252(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = UpperCase1252(c);
    return upper;
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(UpperCase1252(a[i]));
        const auto cb = static_cast<unsigned char>(UpperCase1252(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameTextNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareTextNoCase(a, b) == 0;
}


} // namespace pelmora
