#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

// A field fit for a TAB-separated line: a TAB, CR or LF inside it would shift the
// columns or start a new line, so each stands as a blank. Works on Windows-1252 and
// on UTF-8 alike, where these bytes are never part of another character.
std::string TabSeparatedField(std::string field);

// The fields, each made fit, joined by TABs.
std::string TabSeparatedLine(const std::vector<std::string>& fields);

// A text cell that a spreadsheet would take for a formula (starting with = + - @,
// or with the apostrophe that marks one) gets an apostrophe in front; reading the
// cell back takes it off, so that the text comes back exactly.
std::string FormulaGuarded(std::string cell);
std::string FormulaUnguarded(std::string_view cell);

} // namespace pelmora
