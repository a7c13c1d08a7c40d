#pragma once

#include <string>
#include <string_view>

// Text with characters beyond Windows-1252, for the few outputs that can carry any
// character (UTF-8, XML character references); the core's own text stays 8-bit.
namespace pelmora {

bool BeyondCodePage(char32_t point);
// The text in Windows-1252, "?" for each character the code page lacks: one byte
// for each character, so that positions stay the same.
std::string CodePageText(std::u32string_view text);
std::u32string CodePoints(std::string_view bytes);
// The code point in upper-case hexadecimal digits, without leading zeros.
std::string UpperHex(char32_t point);
// The characters of the text the code page lacks, each named once in the order
// they first stand: "U+03B1, U+1F600". Empty when there are none.
std::string CharactersBeyondCodePage(std::u32string_view text);

} // namespace pelmora
