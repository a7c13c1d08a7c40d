#include "PartSpace.h"

#include "SpecialQuote.h"
#include "catalogue/Text1252.h"
#include "partnumber/PartNumber.h"

#include <algorithm>
#include <numeric>

namespace pelmora {

namespace {

bool Matches(const ComboState& list, int index, const std::string& wanted) {
    if (wanted.empty())
        return true;
    const auto& entry = list.Items[static_cast<size_t>(index)];
    return (entry.size() > 0 && SameTextNoCase(entry[0], wanted)) ||
           (entry.size() > 1 && SameTextNoCase(entry[1], wanted));
}

int Entries(const ComboState& list) {
    return static_cast<int>(list.Items.size());
}

bool HasLegs(TProductFamily family) {
    return family == pfEBend || family == pfHBend || family == pfMiterH || family == pfMiterE;
}

bool HasSingleLength(TProductFamily family) {
    return family == pfFlexTwist || family == pfStraightSection;
}

// The finishes a part may take: both entries where the user chooses, else the one
// the wizard set.
std::uint64_t FinishChoices(const MainForm& wizard) {
    return wizard.cbxFinish.Enabled ? wizard.cbxFinish.Items.size() : 1;
}

std::uint64_t LeafParts(const MainForm& wizard) {
    return wizard.rgFrequency.BandButtons.size() * FinishChoices(wizard);
}

// Whether Create puts the two flanges of the pair the other way round (with their
// legs), as it does to keep part numbers in one order: the pair is then the mirror
// image of the pair picked the other way, and makes the same parts. Found by
// composing one part of the pair.
bool ComposedTheOtherWayRound(const MainForm& flanges) {
    const std::string a =
        flanges.cbxFlangeA.Items[static_cast<size_t>(flanges.cbxFlangeA.ItemIndex)][0];
    const std::string b =
        flanges.cbxFlangeB.Items[static_cast<size_t>(flanges.cbxFlangeB.ItemIndex)][0];
    if (a == b)
        return false;
    MainForm probe(flanges);
    for (TPelmoraComboBox* box : {&probe.cbxLength, &probe.cbxLegALength, &probe.cbxLegBLength}) {
        if (!box->Items.empty())
            probe.PickLength(*box, 0);
    }
    if (probe.rgFrequency.BandButtons.empty())
        return false;
    probe.btnCreateClick();
    const TProductFamily family = probe.Family();
    return probe.btnAddOrderEnabled &&
           ExtractPartNumberField(probe.txtPartNumber, family, pnfFlangeA) == b &&
           ExtractPartNumberField(probe.txtPartNumber, family, pnfFlangeB) == a;
}

} // namespace

std::uint64_t PartBranch::Parts() const {
    return std::accumulate(PartsPerLength.begin(), PartsPerLength.end(), std::uint64_t{0});
}

PartSpace::PartSpace(const AppState& app, Platform& platform)
    : app_(app), platform_(platform), started_(app_, platform_) {
    app_.BuildingFromPartNumber = false;
    started_.FormCreate();
    startedImperial_ = app_.ImperialUnits;
}

std::string PartSpace::FamilyName(TProductFamily family) const {
    const auto& items = started_.cbxProductType.Items;
    return family < static_cast<int>(items.size()) ? items[static_cast<size_t>(family)][1] : "";
}

std::vector<PartBranch> PartSpace::Branches(const PartFilter& filter) {
    std::vector<PartBranch> branches;
    const int families = std::min(Entries(started_.cbxProductType), int(pfTaperedTransition) + 1);
    for (int f = 0; f < families; ++f) {
        if (!Matches(started_.cbxProductType, f, filter.Family))
            continue;
        MainForm family(started_);
        family.PickProductType(f);
        const auto kind = TProductFamily(f);
        for (int s = 0; s < Entries(family.cbxWaveguide); ++s) {
            if (!Matches(family.cbxWaveguide, s, filter.Waveguide))
                continue;
            PartBranch branch;
            branch.Family = f;
            branch.Size = s;
            const std::string& code = family.cbxWaveguide.Items[static_cast<size_t>(s)][0];
            if (IsSpecialQuote(code, kind)) {
                branch.SpecialQuoteSize = code;
                branch.PartsPerLength = {1};
                branches.push_back(branch);
                continue;
            }
            MainForm size(family);
            size.PickWaveguide(s);
            if (kind == pfStepTwist) {
                AddUnitBranches(size, branch, branches);
                continue;
            }
            for (int a = 0; a < Entries(size.cbxFlangeA); ++a) {
                MainForm flangeA(size);
                flangeA.PickFlangeA(a);
                branch.FlangeA = a;
                if (kind == pfPressureWindow) {
                    AddUnitBranches(flangeA, branch, branches);
                    continue;
                }
                const ComboState& second = kind == pfCoax ? flangeA.cbxCoax : flangeA.cbxFlangeB;
                for (int b = 0; b < Entries(second); ++b) {
                    MainForm flanges(flangeA);
                    if (kind == pfCoax)
                        flanges.PickCoax(b);
                    else
                        flanges.PickFlangeB(b);
                    if (kind != pfCoax && ComposedTheOtherWayRound(flanges))
                        continue;
                    branch.FlangeB = b;
                    AddUnitBranches(flanges, branch, branches);
                }
            }
        }
    }
    return branches;
}

void PartSpace::AddUnitBranches(const MainForm& flanges, PartBranch branch,
                                std::vector<PartBranch>& branches) {
    const TProductFamily family = flanges.Family();
    if (!HasLegs(family) && !HasSingleLength(family)) {
        branch.PartsPerLength = {LeafParts(flanges)};
        branches.push_back(branch);
        return;
    }
    for (const bool imperial : {true, false}) {
        MainForm units(flanges);
        if (imperial)
            units.mnuImperialClick();
        else
            units.mnuMetricClick();
        branch.Imperial = imperial;
        branch.PartsPerLength.clear();
        if (family == pfFlexTwist) {
            // A flexible twist's bands follow its length class.
            for (int i = 0; i < static_cast<int>(units.cbxLength.Items.size()); ++i) {
                units.PickLength(units.cbxLength, i);
                branch.PartsPerLength.push_back(LeafParts(units));
            }
        } else {
            const TPelmoraComboBox& first = HasLegs(family) ? units.cbxLegALength : units.cbxLength;
            const std::uint64_t each =
                LeafParts(units) * (HasLegs(family) ? units.cbxLegBLength.Items.size() : 1);
            branch.PartsPerLength.assign(first.Items.size(), each);
        }
        branches.push_back(branch);
    }
    app_.ImperialUnits = startedImperial_;
}

MainForm PartSpace::OpenBranch(const PartBranch& branch) {
    app_.ImperialUnits = startedImperial_;
    MainForm wizard(started_);
    wizard.PickProductType(branch.Family);
    wizard.PickWaveguide(branch.Size);
    if (branch.FlangeA >= 0)
        wizard.PickFlangeA(branch.FlangeA);
    if (branch.FlangeB >= 0 && wizard.Family() == pfCoax)
        wizard.PickCoax(branch.FlangeB);
    else if (branch.FlangeB >= 0)
        wizard.PickFlangeB(branch.FlangeB);
    if (branch.Imperial)
        wizard.mnuImperialClick();
    else
        wizard.mnuMetricClick();
    return wizard;
}

void PartSpace::Enumerate(const PartBranch& branch, size_t first, size_t last,
                          const std::function<void(const OfferedPart&)>& visit) {
    const auto family = TProductFamily(branch.Family);
    if (!branch.SpecialQuoteSize.empty()) {
        std::string message = SpecialQuoteMessage(branch.SpecialQuoteSize);
        std::replace(message.begin(), message.end(), '\r', ' ');
        OfferedPart part;
        part.Family = family;
        part.Description = message;
        part.SpecialQuote = true;
        visit(part);
        return;
    }
    MainForm wizard = OpenBranch(branch);
    OfferedPart part;
    part.Family = family;
    if (!HasLegs(family) && !HasSingleLength(family)) {
        EnumerateBands(wizard, part, visit);
        return;
    }
    TPelmoraComboBox& box = HasLegs(family) ? wizard.cbxLegALength : wizard.cbxLength;
    for (size_t i = first; i < last && i < box.Items.size(); ++i) {
        wizard.PickLength(box, static_cast<int>(i));
        part.LengthA = static_cast<int>(i);
        if (!HasLegs(family)) {
            EnumerateBands(wizard, part, visit);
            continue;
        }
        for (size_t b = 0; b < wizard.cbxLegBLength.Items.size(); ++b) {
            wizard.PickLength(wizard.cbxLegBLength, static_cast<int>(b));
            part.LengthB = static_cast<int>(b);
            EnumerateBands(wizard, part, visit);
        }
    }
}

void PartSpace::EnumerateBands(MainForm& wizard, OfferedPart& part,
                               const std::function<void(const OfferedPart&)>& visit) {
    const int finishes = static_cast<int>(FinishChoices(wizard));
    const bool chooseFinish = wizard.cbxFinish.Enabled;
    // The band and the finish are set as their handlers set them, without the
    // description grid the handlers refresh for the window: nothing here reads it,
    // and refreshing it for every part would cost more than composing the part.
    for (size_t band = 0; band < wizard.rgFrequency.BandButtons.size(); ++band) {
        wizard.rgFrequency.Check(static_cast<int>(band));
        part.Band = static_cast<int>(band);
        for (int finish = 0; finish < finishes; ++finish) {
            if (chooseFinish)
                wizard.cbxFinish.ItemIndex = finish;
            wizard.btnCreateClick();
            if (!wizard.btnAddOrderEnabled)
                continue;
            part.Finish = finish;
            part.PartNumber = wizard.txtPartNumber;
            part.Description.clear();
            wizard.AppendOrderDescription(part.Description);
            visit(part);
        }
    }
}

} // namespace pelmora
