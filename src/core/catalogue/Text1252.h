#pragma once

#include <string>
#include <string_view>

// Texts in the core are 8-bit Windows-1252 bytes. Comparisons that Windows makes
// "without regard to letter case" must fold the accented letters of that code
// page too, not only ASCII.
namespace pelmora {

char UpperCase1252(char c);
std::string UpperCase1252(std::string_view text);

// Negative, zero or positive as a is ordered before, equal to or after b when
// letter case is ignored.
int CompareTextNoCase(std::string_view a, std::string_view b);
bool SameTextNoCase(std::string_view a, std::string_view b);

// The Unicode code point of a byte of the code page, and the byte of a code point
// ('?' for one the code page lacks).
char32_t CodePoint1252(unsigned char byte);
char Byte1252(char32_t codePoint);

// Leading and trailing characters with codes 0 to 32 removed. Inline: every field
// the table reader gives goes through it.
inline std::string_view TrimControlAndBlank(std::string_view text) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    size_t first = 0;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

} // namespace pelmora
