#pragma once

#include "catalogue/Family.h"

#include <string>

namespace pelmora {

// Sizes sold to some families only by special quote.
bool IsSpecialQuote(const std::string& waveguide, TProductFamily family);
std::string SpecialQuoteMessage(const std::string& waveguide);

} // namespace pelmora
