#pragma once

#include "PriceBook.h"
#include "PriceRow.h"
#include "catalogue/AppState.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pelmora::service {

struct PartChange {
    enum Kind { Added, Removed, Changed };
    Kind What = Changed;
    // The row of each side; the side a part is missing from is empty.
    PriceRow Old;
    PriceRow New;
    // The price change in percent, where both sides have a price.
    std::optional<double> Percent;
};

struct FamilyDiff {
    std::string Family;
    std::uint64_t Added = 0;
    std::uint64_t Removed = 0;
    std::uint64_t Changed = 0;
    std::optional<PartChange> LargestRise;
    std::optional<PartChange> LargestFall;
};

struct DiffSummary {
    std::vector<FamilyDiff> Families;
    Messages Shown;
    bool Differs() const { return !Families.empty(); }
};

// A side of the diff: a catalogue folder (holding Data/, or the tables themselves)
// or a price book written by the parts command (.tsv, .csv or .jsonl); a side that
// is neither throws std::invalid_argument.
//
// Both sides are read at once, each on a thread of its own, and matched by part
// number in a streaming merge: parts are held only until the other side shows
// them, so memory follows the parts added, removed or moved, not the catalogue's
// size. Changes are handed to the visitor as they are found, added and removed
// parts at the end.
DiffSummary DiffPriceBooks(const AppState& app, const std::string& oldSide,
                           const std::string& newSide,
                           const std::function<void(const PartChange&)>& visit);

} // namespace pelmora::service
