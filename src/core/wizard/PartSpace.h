#pragma once

#include "MainForm.h"
#include "catalogue/AppState.h"
#include "catalogue/Family.h"
#include "platform/Platform.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pelmora {

// Narrows the parts to one family and one size, each named by its code or its
// name (letter case ignored); an empty text takes every one.
struct PartFilter {
    std::string Family;
    std::string Waveguide;
};

// One subtree of the parts the wizard offers: the choices of screen 1 down to the
// units, given as entries of the wizard's lists.
struct PartBranch {
    int Family = -1;
    int Size = -1;
    // -1 where the family has no such list or the wizard chooses itself.
    int FlangeA = -1;
    // Flange B, or the coax type of a coax transition.
    int FlangeB = -1;
    bool Imperial = true;
    // The code of a size sold by special quote: the branch is that single listing.
    std::string SpecialQuoteSize;
    // The parts under each entry of the first length box; one count where the
    // family has no length box.
    std::vector<std::uint64_t> PartsPerLength;

    std::uint64_t Parts() const;
};

// A part the wizard offers, as Create composes its number and Add to Order
// describes it. A special-quote size has no part number.
struct OfferedPart {
    TProductFamily Family = pfUnknown;
    std::string PartNumber;
    std::string Description;
    bool SpecialQuote = false;
    // Where the part lies in its branch: entries of the first and second length
    // box (-1 where there is none), band button and finish.
    int LengthA = -1;
    int LengthB = -1;
    int Band = 0;
    int Finish = 0;
};

// The parts the wizard makes, walked once down the tree of its choices (family,
// size, flanges, units, lengths, band, finish) through the wizard's own handlers:
// each subtree starts from a copy of the wizard as its parent left it, so nothing
// is composed or priced by a rule of its own.
//
// Both unit systems are walked for families with lengths (the metric part numbers
// are other part numbers). A flange pair that Create turns round (with its legs)
// is left out: its parts are those of the pair picked the other way. Step twists
// are listed with the flanges the wizard picks for them, as their part number
// names no flange; the flange adaptor adds no part, since it only picks the
// 4.0 in (102 mm) entry.
//
// Confirmations of Create must be answered Continue by the platform.
class PartSpace {
public:
    PartSpace(const AppState& app, Platform& platform);
    PartSpace(const PartSpace&) = delete;
    PartSpace& operator=(const PartSpace&) = delete;

    // Every branch in the order the parts are listed, with its counts.
    std::vector<PartBranch> Branches(const PartFilter& filter);
    // The parts under entries [first, last) of the branch's first length box.
    void Enumerate(const PartBranch& branch, size_t first, size_t last,
                   const std::function<void(const OfferedPart&)>& visit);

    // The families' names, as the product-type list shows them.
    std::string FamilyName(TProductFamily family) const;
    AppState& App() { return app_; }

private:
    MainForm OpenBranch(const PartBranch& branch);
    void AddUnitBranches(const MainForm& flanges, PartBranch branch,
                         std::vector<PartBranch>& branches);
    void EnumerateBands(MainForm& wizard, OfferedPart& part,
                        const std::function<void(const OfferedPart&)>& visit);

    AppState app_;
    Platform& platform_;
    MainForm started_;
    // The units the wizard started in. The units are the program's, not a copy's:
    // every walk from a copy of the started wizard begins in them again.
    bool startedImperial_ = true;
};

} // namespace pelmora
