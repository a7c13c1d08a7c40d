#include "wizard/FrequencyGroup.h"

#include "catalogue/TxtTable.h"
#include "wizard/BandLoaders.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TTxtTable Candidates(std::vector<std::string> rows) {
    TTxtTable table;
    table.Lines = std::move(rows);
    return table;
}

std::vector<std::string> Layout(const FrequencyGroup& group) {
    std::vector<std::string> lines;
    size_t heading = 0;
    for (const auto& button : group.BandButtons) {
        while (heading < group.Headings.size() && group.Headings[heading].Top < button.Top) {
            lines.push_back(std::to_string(group.Headings[heading].Top) + " " +
                            group.Headings[heading].Text);
            ++heading;
        }
        lines.push_back(std::to_string(button.Top) + (button.Checked ? " [x] " : " [ ] ") +
                        button.Caption());
    }
    return lines;
}

TEST(BuildBandList, WideBandFirstThenNarrowBands16PixelsApart) {
    FrequencyGroup group;
    TTxtTable rows =
        Candidates({"090|X|8.5 - 9.6|1.05", "090|S|8.2 - 12.4|1.10", "090|Y|9 - 10|1.06"});
    EXPECT_TRUE(group.BuildBandList(rows, 3, 4, 2));
    EXPECT_EQ(Layout(group), (std::vector<std::string>{
                                 "16 Wide Band", "32 [x] 8.2 - 12.4 / VSWR: 1.10", "48 Narrow Band",
                                 "64 [ ] 8.5 - 9.6 / VSWR: 1.05", "80 [ ] 9 - 10 / VSWR: 1.06"}));
    EXPECT_EQ(rows.RowCount(), 2) << "the wide-band row is consumed";
}

TEST(BuildBandList, WithoutAWideBandTheNarrowBandsStartAtTheTop) {
    FrequencyGroup group;
    TTxtTable rows = Candidates({"090|X|a|1", "090|Y|b|2"});
    group.BuildBandList(rows, 3, 4, 2);
    EXPECT_EQ(Layout(group), (std::vector<std::string>{"16 Narrow Band", "32 [x] a / VSWR: 1",
                                                       "48 [ ] b / VSWR: 2"}));
}

TEST(BuildBandList, LowerCaseSIsWideAndOnlyTheFirstSIsTreatedSo) {
    FrequencyGroup group;
    TTxtTable rows = Candidates({"090|s|a|1", "090|S|b|2"});
    group.BuildBandList(rows, 3, 4, 2);
    EXPECT_EQ(Layout(group), (std::vector<std::string>{"16 Wide Band", "32 [x] a / VSWR: 1",
                                                       "48 Narrow Band", "64 [ ] b / VSWR: 2"}));
}

TEST(BuildBandList, RemembersTheCheckedCodeAcrossRebuilds) {
    FrequencyGroup group;
    TTxtTable first = Candidates({"090|S|a|1", "090|X|b|2"});
    group.BuildBandList(first, 3, 4, 2);
    group.Check(1);
    TTxtTable second = Candidates({"090|Y|c|3", "090|X|b|4"});
    group.BuildBandList(second, 3, 4, 2);
    EXPECT_EQ(group.SelectedBandIndex(), 1);
    TTxtTable third = Candidates({"090|S|a|1", "090|Z|d|5"});
    group.BuildBandList(third, 3, 4, 2);
    EXPECT_EQ(group.SelectedBandIndex(), 0);
}

TEST(BuildBandList, NoCandidatesLeaveAnEmptyGroup) {
    FrequencyGroup group;
    TTxtTable rows;
    EXPECT_FALSE(group.BuildBandList(rows, 3, 4, 2));
    EXPECT_TRUE(group.Headings.empty());
    EXPECT_EQ(group.SelectedBandIndex(), -1);
    EXPECT_EQ(group.SelectedBand(), nullptr);
}

TEST(SortNumeric, AscendingAndStableForEqualValues) {
    std::vector<std::string> list{"24", "6", "12.0", "18", "12"};
    SortNumeric(list);
    EXPECT_EQ(list, (std::vector<std::string>{"6", "12.0", "12", "18", "24"}));
}

} // namespace
} // namespace pelmora
