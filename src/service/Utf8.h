#pragma once

#include <optional>
#include <string>
#include <string_view>

// The one place where the core's Windows-1252 bytes meet the UTF-8 of the
// terminal, the JSON output and the input files of the command line.
namespace pelmora::service {

std::string ToUtf8(const std::string& bytes);
// The same, appended to out.
void AppendAsUtf8(std::string_view bytes, std::string& out);
// One character appended in UTF-8.
void AppendUtf8(char32_t point, std::string& out);
std::string ToUtf8(std::u32string_view text);
// The characters of valid UTF-8 (by the rule of FromUtf8); nothing for other input.
std::optional<std::u32string> Utf8Characters(const std::string& text);
// Valid UTF-8 becomes Windows-1252 ('?' for what the code page lacks); other
// input, overlong forms and surrogates included, is taken to be Windows-1252 already.
std::string FromUtf8(const std::string& text);
// Text a user gave, for output: valid UTF-8 as it is, other input read as
// Windows-1252 by the same rule as FromUtf8.
std::string AsUtf8(const std::string& text);

// The text without the UTF-8 byte-order mark some editors put first.
std::string WithoutByteOrderMark(const std::string& text);

} // namespace pelmora::service
