#include "wizard/LengthLists.h"

#include "catalogue/Numbers.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

using List = std::vector<std::string>;

TEST(LengthLists, StepsFromMinimumToMaximumIncludingTheEnd) {
    const LengthEntries entries = RangeLengths("0.5", "10", "2.0", "4.0", "102");
    EXPECT_EQ(entries.Imperial, (List{"2.0", "2.5", "3.0", "3.5", "4.0"}));
    EXPECT_EQ(entries.Metric, (List{"51", "61", "71", "81", "91", "101"}));
}

TEST(LengthLists, EndsAreTakenAtOneDecimalFirst) {
    const LengthEntries entries = RangeLengths("0.5", "5", "1.24", "2.26", "40");
    EXPECT_EQ(entries.Imperial, (List{"1.2", "1.7", "2.2"}));
    EXPECT_EQ(entries.Metric.front(), "30") << "1.2 in = 30.48 mm";
}

TEST(LengthLists, TenthStepsAccumulateNoError) {
    const LengthEntries entries = RangeLengths("0.1", "1", "0.1", "30.0", "1");
    ASSERT_EQ(entries.Imperial.size(), 300u);
    EXPECT_EQ(entries.Imperial.back(), "30.0");
}

TEST(LengthLists, FractionalMetricStepsStayExactButShowWholeMillimetres) {
    const LengthEntries entries = RangeLengths("1", "2.5", "1.0", "1.0", "33");
    EXPECT_EQ(entries.Metric, (List{"25", "28", "30", "32"})) << "27.5 and 32.5 go to even";
}

TEST(LengthLists, BadTablesGiveQuietSmallResults) {
    EXPECT_EQ(RangeLengths("0", "0", "2.0", "4.0", "102").Imperial, List{"2.0"});
    EXPECT_EQ(RangeLengths("-1", "-5", "2.0", "4.0", "102").Metric, List{"51"});
    EXPECT_TRUE(RangeLengths("x", "y", "2.0", "4.0", "102").Imperial.empty());
    EXPECT_TRUE(RangeLengths("0.5", "10", "abc", "4.0", "102").Metric.empty());
    EXPECT_TRUE(RangeLengths("0.5", "10", "", "", "").Imperial.empty());
    EXPECT_EQ(RangeLengths("0.0001", "1", "0", "1e12", "1e15").Imperial.size(), MaxLengthEntries);
    EXPECT_EQ(RangeLengths("1e300", "1", "1e300", "1e300", "1").Imperial.size(), 1u);
}

// The list builder writes its entries without a double in between; every one
// must be the text ImperialEntry and MetricEntry give for the same length.
TEST(LengthLists, EntriesAreTheTextsOfTheEntryFormatters) {
    const LengthEntries fine = RangeLengths("0.0001", "0.0001", "0", "0.9", "1");
    ASSERT_EQ(fine.Imperial.size(), 9001u);
    for (size_t i = 0; i < fine.Imperial.size(); ++i)
        ASSERT_EQ(fine.Imperial[i], ImperialEntry(static_cast<double>(i) / 10000)) << i;
    const LengthEntries metric = RangeLengths("0.5", "0.25", "0", "1", "40");
    for (size_t i = 0; i < metric.Metric.size(); ++i)
        ASSERT_EQ(metric.Metric[i], MetricEntry(static_cast<double>(i) * 0.25)) << i;
}

TEST(LengthLists, FirstIndexNotBelowMovesUpToTheNextEntry) {
    const List entries{"2.0", "2.5", "3.0"};
    EXPECT_EQ(FirstIndexNotBelow("2.3", entries), 1);
    EXPECT_EQ(FirstIndexNotBelow("2.5", entries), 1);
    EXPECT_EQ(FirstIndexNotBelow("2.50006", entries), 2);
    EXPECT_EQ(FirstIndexNotBelow("2.500049", entries), 1) << "four decimals, to nearest";
}

TEST(Units, OneDecimalIsWrittenInFullForAnyMagnitude) {
    EXPECT_EQ(FormatOneDecimal(1e62).substr(0, 17), "10000000000000000");
    EXPECT_EQ(FormatOneDecimal(1e62).size(), 65u);
    const std::string largest = FormatOneDecimal(1.7976931348623157e308);
    EXPECT_EQ(largest.size(), 311u);
    EXPECT_EQ(largest.find('\0'), std::string::npos);
    EXPECT_EQ(largest.substr(largest.size() - 2), ".0");
}

TEST(Units, ConversionsUseTheCatalogueFactorsAndRoundHalvesToEven) {
    EXPECT_EQ(MetricEntry(InchesToMm(12.5)), "318");
    EXPECT_EQ(MetricEntry(InchesToMm(12.0)), "305");
    EXPECT_EQ(ImperialEntry(MmToInches(305)), "12.0");
    EXPECT_EQ(MetricEntry(316.5), "316");
    EXPECT_EQ(MetricEntry(317.5), "318");
    EXPECT_EQ(ImperialEntry(4), "4.0");
}

} // namespace
} // namespace pelmora
