// Two catalogues compared through their parts: each kind of change found once,
// with its family's summary.
#include "CatalogueDiff.h"

#include "PartCatalogue.h"

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

class CatalogueDiff : public ::testing::TestWithParam<Change> {
protected:
    CatalogueDiff() {
        WritePartCatalogue(before);
        WritePartCatalogue(after);
        app.SetFolders(before.Path());
        app.Cache = &cache;
    }

    service::DiffSummary Diff(const std::string& oldSide, const std::string& newSide) {
        return service::DiffPriceBooks(
            app, oldSide, newSide, [&](const PartChange& change) { changes.push_back(change); });
    }

    TempFolder before;
    TempFolder after;
    TableCache cache{TableCache::ShortRun};
    AppState app;
    std::vector<PartChange> changes;
};

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

TEST_F(CatalogueDiff, RefusesWhatIsNeitherFolderNorPriceBook) {
    const std::string file = before.Write("notes.txt", "");
    EXPECT_THROW(Diff(file, after.Path()), std::invalid_argument);
    // A line no row could be, as a file of zeros has, is refused, not read on.
    const std::string zeros = before.Write("zeros.tsv", std::string((1 << 20) + 10, '\0'));
    EXPECT_THROW(Diff(zeros, after.Path()), std::runtime_error);
}

} // namespace
} // namespace pelmora::testing
