#pragma once

#include "catalogue/AppState.h"
#include "catalogue/CatalogueCheck.h"

#include <vector>

namespace pelmora::service {

// The catalogue checked through the parts it makes: part numbers composed by two
// configurations, part numbers that do not come back to their configuration when
// applied, parts without a price (errors), without a delivery or whose price falls
// as a length grows (warnings). Each is told once per family and size with a count
// and the first examples.
std::vector<CatalogueFinding> CheckParts(const AppState& app);

} // namespace pelmora::service
