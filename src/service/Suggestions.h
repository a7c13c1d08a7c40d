#pragma once

#include <string>
#include <vector>

namespace pelmora::service {

// The names a mistyped word most likely meant, the closest only: those a letter or
// two away (a swap of neighbours counts as one; letter case and the dashes of an
// option count for nothing), or those it begins. Nothing when no name is near
// enough to be worth offering.
std::vector<std::string> Similar(const std::string& word, const std::vector<std::string>& names);

// "no WHAT WORD", with "; did you mean X?" (or "X or Y", "X, Y or Z") when a name
// is near enough.
std::string NoSuch(const std::string& what, const std::string& word,
                   const std::vector<std::string>& names);

} // namespace pelmora::service
