#include "PartsCheck.h"

#include "CataloguePart.h"
#include "PriceBook.h"
#include "order/PriceQuote.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <unordered_set>

namespace pelmora::service {

namespace {

constexpr size_t MaxExamples = 3;

// A kind of finding, counted over the parts of one family and size.
struct Tally {
    CatalogueFinding::Level Severity;
    std::string File;
    std::string What;
    std::uint64_t Count = 0;
    std::vector<std::string> Examples;

    void Add(const std::string& example) {
        ++Count;
        if (Examples.size() < MaxExamples)
            Examples.push_back(example);
    }
};

// The table to fix for a family's price, where it has one.
const char* PriceTableOf(TProductFamily family) {
    const char* table = PriceTable(family);
    return table ? table : "";
}

// Parts applied back through the wizard: every part of a family without lengths
// and of flexible twists, whose bands follow the length; of the others, every band
// and finish at the first lengths, and every entry of each length box with the
// first entry of the other. Each length field is composed and read by one code
// path whatever the band, the finish and the other leg, so every field value the
// part numbers of a configuration hold is read back at least once.
bool ReadBack(const OfferedPart& part) {
    if (part.Family == pfFlexTwist)
        return true;
    const bool firstLengths = part.LengthA <= 0 && part.LengthB <= 0;
    const bool firstLeaf = part.Band == 0 && part.Finish == 0;
    return firstLengths || (firstLeaf && (part.LengthA == 0 || part.LengthB <= 0));
}

bool SameGroup(const PartBranch& a, const PartBranch& b) {
    return a.Family == b.Family && a.Size == b.Size;
}

class PartsChecker {
public:
    explicit PartsChecker(const AppState& app) : walker_(app, 1), reader_(app, walker_.Seams()) {}

    std::vector<CatalogueFinding> Run() {
        const std::vector<PartBranch> branches = walker_.Space().Branches({});
        for (auto first = branches.begin(); first != branches.end();) {
            const auto last = std::find_if(
                first, branches.end(), [&](const PartBranch& b) { return !SameGroup(b, *first); });
            CheckGroup({first, last});
            first = last;
        }
        return std::move(findings_);
    }

private:
    using Group = std::span<const PartBranch>;

    // One family and size: part numbers are told apart by their hashes alone, and
    // only the few whose hashes meet are walked again to be compared whole, so that
    // memory holds eight bytes a part.
    void CheckGroup(Group group) {
        family_ = group.front().Family;
        size_ = group.front().Size;
        hashes_.clear();
        for (const PartBranch& branch : group) {
            lastPrices_.clear();
            Walk(branch, [&](const OfferedPart& part) { Check(part); });
        }
        FindDuplicates(group);
        CloseGroup();
    }

    void Walk(const PartBranch& branch, const std::function<void(const OfferedPart&)>& visit) {
        walker_.Space().Enumerate(branch, 0, branch.PartsPerLength.size(), visit);
    }

    void FindDuplicates(Group group) {
        std::sort(hashes_.begin(), hashes_.end());
        std::unordered_set<std::uint64_t> shared;
        for (size_t i = 1; i < hashes_.size(); ++i) {
            if (hashes_[i] == hashes_[i - 1])
                shared.insert(hashes_[i]);
        }
        if (shared.empty())
            return;
        std::unordered_set<std::string> seen;
        for (const PartBranch& branch : group) {
            Walk(branch, [&](const OfferedPart& part) {
                if (part.SpecialQuote || !shared.contains(Hash(part.PartNumber)) ||
                    seen.insert(part.PartNumber).second)
                    return;
                Open(duplicates_, CatalogueFinding::Error, "",
                     "part numbers composed by more than one configuration")
                    .Add(part.PartNumber + " (" + part.Description + ")");
            });
        }
    }

    static std::uint64_t Hash(const std::string& partNumber) {
        return std::hash<std::string>{}(partNumber);
    }

    void Check(const OfferedPart& part) {
        if (part.SpecialQuote)
            return;
        const PriceRow& row = walker_.Row(part);
        const std::string example = part.PartNumber + " (" + part.Description + ")";
        hashes_.push_back(Hash(part.PartNumber));
        if (ReadBack(part)) {
            const CataloguePart applied = reader_.Examine(part.PartNumber);
            if (!applied.Known || applied.Description != part.Description)
                Open(roundTrips_, CatalogueFinding::Error, "",
                     "part numbers that do not come back to their configuration when applied")
                    .Add(example + " reads back as " + applied.Description);
        }
        // Pressure windows are sold by quote and step twists delivered by quote,
        // whatever the tables say.
        const Money price = walker_.UnitPrice();
        if (price == 0 && part.Family != pfPressureWindow)
            Open(noPrice_, CatalogueFinding::Error, PriceTableOf(part.Family),
                 "parts offered without a price")
                .Add(example);
        if (price != 0 && part.Family != pfStepTwist && row.Delivery == "Contact Corvane Rep.")
            Open(noDelivery_, CatalogueFinding::Warning, PriceTableOf(part.Family),
                 "parts offered without a delivery time")
                .Add(example);
        if (price != 0 && part.LengthA >= 0)
            CompareWithShorter(part, price);
    }

    // The same configuration one entry shorter in either length must not cost more.
    void CompareWithShorter(const OfferedPart& part, Money price) {
        const std::array<std::array<int, 4>, 2> keys{
            std::array<int, 4>{0, part.LengthB, part.Band, part.Finish},
            std::array<int, 4>{1, part.LengthA, part.Band, part.Finish}};
        const std::array<int, 2> lengths{part.LengthA, part.LengthB};
        for (size_t k = 0; k < keys.size(); ++k) {
            if (lengths[k] < 0)
                continue;
            const auto found = lastPrices_.find(keys[k]);
            if (found != lastPrices_.end() && found->second.first > price)
                Open(falling_, CatalogueFinding::Warning, PriceTableOf(part.Family),
                     "parts cheaper than the same configuration with a shorter length")
                    .Add(part.PartNumber + " at " + MoneyText(price) + " after " +
                         found->second.second + " at " + MoneyText(found->second.first));
            lastPrices_[keys[k]] = {price, part.PartNumber};
        }
    }

    static Tally& Open(std::optional<Tally>& tally, CatalogueFinding::Level severity,
                       const std::string& file, const std::string& what) {
        if (!tally)
            tally = Tally{severity, file, what, 0, {}};
        return *tally;
    }

    void CloseGroup() {
        for (auto* tally : {&duplicates_, &roundTrips_, &noPrice_, &noDelivery_, &falling_}) {
            if (*tally)
                Report(**tally);
            tally->reset();
        }
    }

    void Report(const Tally& tally) {
        std::string text = walker_.Space().FamilyName(TProductFamily(family_)) + ", size entry " +
                           std::to_string(size_ + 1) + ": " + std::to_string(tally.Count) + " " +
                           tally.What + ", first ";
        for (size_t i = 0; i < tally.Examples.size(); ++i)
            text += (i ? "; " : "") + tally.Examples[i];
        findings_.push_back({tally.Severity, tally.File, 0, 0, text});
    }

    PartWalker walker_;
    CataloguePartReader reader_;
    int family_ = -1;
    int size_ = -1;
    std::vector<std::uint64_t> hashes_;
    std::map<std::array<int, 4>, std::pair<Money, std::string>> lastPrices_;
    std::optional<Tally> duplicates_, roundTrips_, noPrice_, noDelivery_, falling_;
    std::vector<CatalogueFinding> findings_;
};

} // namespace

std::vector<CatalogueFinding> CheckParts(const AppState& app) {
    return PartsChecker(app).Run();
}

} // namespace pelmora::service
