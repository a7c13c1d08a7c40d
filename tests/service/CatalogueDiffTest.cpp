// Two catalogues compared through their parts: each kind of change found once,
// with its family's summary.
#include "CatalogueDiff.h"

#include "PartCatalogue.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

using service::PartChange;

struct Change {
    const char* Name;
    const char* Table;
    const char* Rows;
    const char* Family;
    std::uint64_t Added;
    std::uint64_t Removed;
    std::uint64_t Changed;
    // The largest rise in percent, 0 for none.
    double Rise;
};

class Sides : public ::testing::Test {
protected:
    Sides() {
        WritePartCatalogue(before);
        WritePartCatalogue(after);
        app.SetFolders(before.Path());
        app.Cache = &cache;
    }

    service::DiffSummary Diff(const std::string& oldSide, const std::string& newSide,
                              size_t heldParts = 1 << 16) {
        return service::DiffPriceBooks(
            app, oldSide, newSide, [&](const PartChange& change) { changes.push_back(change); },
            heldParts);
    }

    TempFolder before;
    TempFolder after;
    TableCache cache{TableCache::ShortRun};
    AppState app;
    std::vector<PartChange> changes;
};

class CatalogueDiff : public Sides, public ::testing::WithParamInterface<Change> {};

TEST_P(CatalogueDiff, FindsTheChangeAndSumsItUpForItsFamily) {
    const Change& change = GetParam();
    WriteTable(after, change.Table, change.Rows);
    const auto summary = Diff(before.Path(), after.Path());
    ASSERT_EQ(summary.Families.size(), 1u);
    const service::FamilyDiff& family = summary.Families[0];
    EXPECT_EQ(family.Family, change.Family);
    EXPECT_EQ(family.Added, change.Added);
    EXPECT_EQ(family.Removed, change.Removed);
    EXPECT_EQ(family.Changed, change.Changed);
    EXPECT_EQ(changes.size(), change.Added + change.Removed + change.Changed);
    if (change.Rise > 0) {
        ASSERT_TRUE(family.LargestRise);
        EXPECT_NEAR(*family.LargestRise->Percent, change.Rise, 1e-9);
    }
    EXPECT_FALSE(family.LargestFall);
}

const Change Changes[] = {

    Change{"WindowAdded", "PressureWindows.tbl", R"(Waveguide|Flange|Window|Part Number|VSWR
090|C|Mica|PW090C|1.05:1
090|U|Mica|PW090U|1.07:1
062|U|Kapton|PW062U|1.08:1
062|K|Kapton|PW062K|1.08:1)",
           "Pressure Window", 1, 0, 0, 0},
    Change{"StepTwistRemoved", "StepTwist.tbl",
           R"(Waveguide|Band|Range|VSWR|Part Number|Length
090|S|8.20 - 12.40 GHz|1.20:1|ST090S|1.5
090|A|8.50 - 9.60 GHz|1.15:1|ST090A|1.5
062|S|12.40 - 18.00 GHz|1.20:1|ST062S|1.0)",
           "Step Twist", 0, 1, 0, 0},
    // Every twist is delivered later, none costs more.
    Change{"DeliveryChanged", "RigidTwistPrice.tbl", R"(W|Band|D|Price|Delivery|Limit|Paint
090|S|twist|200.00|3 weeks|10|20.00
090|X|twist|210.00|2 weeks|0|20.00)",
           "90 Rigid Twist", 0, 0, 18, 0},
    // 220.00 to 242.00 painted, 200.00 to 220.00 unpainted: 10% each.
    Change{"PriceRaised", "RigidTwistPrice.tbl", R"(W|Band|D|Price|Delivery|Limit|Paint
090|S|twist|220.00|2 weeks|10|22.00
090|X|twist|210.00|2 weeks|0|20.00)",
           "90 Rigid Twist", 0, 0, 18, 10.0}};

INSTANTIATE_TEST_SUITE_P(TestCatalogue, CatalogueDiff, ::testing::ValuesIn(Changes),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CatalogueDiff, SameCatalogueAsFolderAndPriceBookDiffersInNothing) {
    for (const auto format :
         {service::BookFormat::Tsv, service::BookFormat::Csv, service::BookFormat::Jsonl}) {
        service::PriceBookRequest request;
        request.Format = format;
        std::string book;
        service::WritePriceBook(app, request, [&](std::string_view bytes) { book.append(bytes); });
        const char* name = format == service::BookFormat::Tsv   ? "book.tsv"
                           : format == service::BookFormat::Csv ? "book.csv"
                                                                : "book.jsonl";
        const std::string file = before.Write(name, book);
        EXPECT_FALSE(Diff(file, after.Path()).Differs()) << name;
        EXPECT_FALSE(Diff(before.Path(), file).Differs()) << name;
    }
    EXPECT_TRUE(changes.empty());
}

// Two price books of the same parts listed in other orders, with parts added,
// removed and repriced: more moved parts than the merge holds are set aside on disk.
struct Moves {
    const char* Name;
    int OldParts;
    int NewParts;
    bool Reversed;
    // Every so many parts of the new book cost more; 0 for none.
    int RepricedEvery;
    std::uint64_t Added;
    std::uint64_t Removed;
    std::uint64_t Changed;
};

// The merge holds this many unmatched parts in these cases; "many" is more.
constexpr size_t HeldParts = 100;

class MovedParts : public Sides, public ::testing::WithParamInterface<Moves> {
protected:
    std::string Book(const char* name, int parts, bool reversed, int repricedEvery) {
        std::string book = "Part Number\tFamily\tDescription\tUnit Price\tTotal\tDelivery\n";
        for (int i = 0; i < parts; ++i) {
            const int part = reversed ? parts - 1 - i : i;
            char number[16];
            std::snprintf(number, sizeof number, "P%07d", part);
            const char* price = repricedEvery && part % repricedEvery == 0 ? "$2.00" : "$1.00";
            book +=
                std::string(number) + "\tPlate\tA plate\t" + price + "\t" + price + "\t2 weeks\n";
        }
        return before.Write(name, book);
    }
};

TEST_P(MovedParts, AreMatchedWhereverTheyStand) {
    const Moves& moves = GetParam();
    const auto summary =
        Diff(Book("old.tsv", moves.OldParts, false, 0),
             Book("new.tsv", moves.NewParts, moves.Reversed, moves.RepricedEvery), HeldParts);
    std::uint64_t added = 0, removed = 0, changed = 0;
    std::string last;
    for (const PartChange& change : changes) {
        added += change.What == PartChange::Added;
        removed += change.What == PartChange::Removed;
        changed += change.What == PartChange::Changed;
        // Parts matched at the end come in part-number order.
        if (change.What != PartChange::Changed) {
            const std::string& number =
                change.What == PartChange::Added ? change.New.PartNumber : change.Old.PartNumber;
            EXPECT_LT(last, number);
            last = number;
        }
    }
    EXPECT_EQ(added, moves.Added);
    EXPECT_EQ(removed, moves.Removed);
    EXPECT_EQ(changed, moves.Changed);
    EXPECT_EQ(summary.Differs(), added + removed + changed > 0);
}

const Moves MovedCases[] = {
    {"FewReversedUnchanged", 90, 90, true, 0, 0, 0, 0},
    {"FewReversedRepriced", 90, 90, true, 10, 0, 0, 9},
    {"ManyReversedRepriced", 3000, 3000, true, 100, 0, 0, 30},
    {"ManyAdded", 0, 3000, false, 0, 3000, 0, 0},
    {"ManyRemoved", 3000, 0, false, 0, 0, 3000, 0},
    {"ManyReversedSomeRemoved", 3000, 2900, true, 0, 0, 100, 0},
    // Set aside in more runs than files are kept open at once.
    {"ManyMoreReversed", 20000, 20000, true, 1000, 0, 0, 20},
};

INSTANTIATE_TEST_SUITE_P(PriceBooks, MovedParts, ::testing::ValuesIn(MovedCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CatalogueDiff, RefusesWhatIsNeitherFolderNorPriceBook) {
    const std::string file = before.Write("notes.txt", "");
    EXPECT_THROW(Diff(file, after.Path()), std::invalid_argument);
    // A line no row could be, as a file of zeros has, is refused, not read on.
    const std::string zeros = before.Write("zeros.tsv", std::string((1 << 20) + 10, '\0'));
    EXPECT_THROW(Diff(zeros, after.Path()), std::runtime_error);
}

} // namespace
} // namespace pelmora::testing
