#pragma once

#include <string>
#include <vector>

namespace pelmora {

// A field fit for a TAB-separated line: a TAB, CR or LF inside it would shift the
// columns or start a new line, so each stands as a blank. Works on Windows-1252 and
// on UTF-8 alike, where these bytes are never part of another character.
std::string TabSeparatedField(std::string field);

// The fields, each made fit, joined by TABs.
std::string TabSeparatedLine(const std::vector<std::string>& fields);

} // namespace pelmora
