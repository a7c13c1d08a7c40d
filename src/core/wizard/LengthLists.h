#pragma once

#include "Controls.h"

#include <string>
#include <vector>

namespace pelmora {

struct LengthEntries {
    SharedEntries Imperial;
    SharedEntries Metric;
};

// No list ever grows past this many entries, whatever range and step a table gives.
constexpr size_t MaxLengthEntries = 10000;

// The lengths from the minimum to the maximum in the family's steps: imperial
// entries with one decimal, metric entries in whole millimetres starting at the
// minimum's equivalent. Texts that are no numbers give no entries; a step that is
// not positive gives the first entry only.
LengthEntries RangeLengths(const std::string& imperialStep, const std::string& metricStep,
                           const std::string& minimumInches, const std::string& maximumInches,
                           const std::string& maximumMm);

// A length as the entry text of the units: "%.1f" inches, or whole millimetres.
std::string ImperialEntry(double inches);
std::string MetricEntry(double mm);

// The index of the first entry not below the typed value; the caller makes sure
// there is one.
int FirstIndexNotBelow(const std::string& text, const std::vector<std::string>& list);

} // namespace pelmora
