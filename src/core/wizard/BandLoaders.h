#pragma once

#include "FrequencyGroup.h"
#include "catalogue/TableSource.h"
#include "catalogue/TxtTable.h"

#include <memory>
#include <string>
#include <vector>

// The candidate bands of a part, one loader per kind of VSWR table. Each reads its
// tables afresh and returns rows of waveguide code | band code | range | VSWR.
namespace pelmora {

// The bands of the size for the family letter, laid out once for the tables as they
// are and shared by every later choice of the size until one of them changes.
std::shared_ptr<const BandList> WaveguideBands(const TableSource& source,
                                               const std::string& waveguide,
                                               const std::string& familyLetter);
// lengthInches is the length as the user sees it, in inches; a length above every
// tabulated length class gives no candidates.
TTxtTable FlexTwistBandCandidates(const TableSource& source, const std::string& waveguide,
                                  const std::string& lengthInches);
TTxtTable StepTwistBandCandidates(const TableSource& source, const std::string& waveguide);
TTxtTable CoaxBandCandidates(const TableSource& source, const std::string& waveguide,
                             const std::string& coaxType);
TTxtTable PressureWindowBandCandidates(const TableSource& source, const std::string& waveguide,
                                       const std::string& flange);

// Ascending by numeric value, equal values keeping their order.
void SortNumeric(std::vector<std::string>& list);

} // namespace pelmora
