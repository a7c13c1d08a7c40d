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
// number in a streaming merge: a part is held only until the other side shows it,
// and past a fixed number of such parts they are set aside in sorted runs on disk
// and matched at the end, so that memory stays bounded however many parts are
// added, removed or moved. Changes are handed to the visitor as they are found;
// the parts matched at the end (added, removed, moved) follow in part-number order.
//
// heldParts is how many unmatched parts are held in memory before they are set
// aside.
DiffSummary DiffPriceBooks(const AppState& app, const std::string& oldSide,
                           const std::string& newSide,
                           const std::function<void(const PartChange&)>& visit,
                           size_t heldParts = size_t{1} << 16);

} // namespace pelmora::service
