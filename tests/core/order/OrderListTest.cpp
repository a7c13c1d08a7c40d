// An order list as customers write it: each repeated part is told, and what a
// line holds beyond Windows-1252 is kept or refused, never turned into "?" unseen.
#include "order/OrderList.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace pelmora::testing {
namespace {

struct RepeatRow {
    const char* Name;
    std::vector<std::string> Lines;
    // One for each item that updates an earlier item's line.
    std::vector<std::string> Told;
};

void PrintTo(const RepeatRow& row, std::ostream* out) {
    *out << row.Name;
}

class RepeatedPart : public ::testing::TestWithParam<RepeatRow> {};

TEST_P(RepeatedPart, UpdatesTheFirstLineAndSaysSo) {
    std::vector<std::string> told;
    for (const OrderListItem& item : ReadOrderList(GetParam().Lines).Items) {
        if (item.Update)
            told.push_back("line " + std::to_string(item.Line) + " " + UpdateMessage(item));
    }
    EXPECT_EQ(told, GetParam().Told);
}

INSTANTIATE_TEST_SUITE_P(
    OrderList, RepeatedPart,
    ::testing::Values(
        RepeatRow{"OtherDescriptionIsNotUsed",
                  {"2 R090PC0120USG\tsite A", "3 R090PC0120USG\tsite B"},
                  {"line 2 updates the line of line 1: quantity 2 -> 3; its description is not "
                   "used"}},
        RepeatRow{"SameDescription",
                  {"2\tR090PC0120USG\tsite A", "3 R090PC0120USG\tsite A"},
                  {"line 2 updates the line of line 1: quantity 2 -> 3"}},
        RepeatRow{"NoDescriptionAsksForNone",
                  {"2 R090PC0120USG\tsite A", "3 R090PC0120USG"},
                  {"line 2 updates the line of line 1: quantity 2 -> 3"}},
        RepeatRow{"DescriptionWhereTheWizardDescribes",
                  {"2 R090PC0120USG", "3 R090PC0120USG\tsite B"},
                  {"line 2 updates the line of line 1: quantity 2 -> 3; its description is not "
                   "used"}},
        RepeatRow{"QuantityTheLineHoldsThen",
                  {"2 A", "# comment", "3 B", "4 A", "", "5 A"},
                  {"line 4 updates the line of line 1: quantity 2 -> 4",
                   "line 6 updates the line of line 1: quantity 4 -> 5"}},
        RepeatRow{"SkippedLineIsNoItem", {"x A\tsite", "3 A\tother"}, {}},
        RepeatRow{"LetterCaseMakesAnotherPart", {"1 a", "1 A"}, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Enough parts that many share the start of their probe in the index of first
// items: each repeat still finds its own part's first line and quantity.
TEST(OrderList, EveryRepeatAmongManyPartsFindsItsOwnFirstLine) {
    constexpr int Parts = 2000;
    std::vector<std::string> lines;
    for (int round = 1; round <= 3; ++round) {
        for (int part = 0; part < Parts; ++part)
            lines.push_back(std::to_string(round) + " P" + std::to_string(part));
    }
    const OrderList list = ReadOrderList(lines);
    ASSERT_EQ(list.Items.size(), 3u * Parts);
    for (size_t index = 0; index < list.Items.size(); ++index) {
        const OrderListItem& item = list.Items[index];
        const size_t part = index % Parts;
        if (index < Parts) {
            EXPECT_FALSE(item.Update) << item.PartNumber;
            continue;
        }
        ASSERT_TRUE(item.Update) << item.PartNumber;
        EXPECT_EQ(item.Update->FirstLine, part + 1) << item.PartNumber;
        EXPECT_EQ(item.Update->OldQuantity, static_cast<int>(index / Parts)) << item.PartNumber;
    }
}

TEST(OrderList, DescriptionBeyondTheCodePageIsKeptAsGiven) {
    const OrderList list = ReadOrderList({"1 R090PC0120USG\tsite ?  ", "2 C090CNSG\tplain ?"},
                                         {U"1 R090PC0120USG\tsite \u03B1  ", U""});
    ASSERT_EQ(list.Items.size(), 2u);
    EXPECT_EQ(list.Items[0].Description, "site ?");
    EXPECT_EQ(list.Items[0].WideDescription, U"site \u03B1");
    EXPECT_EQ(list.Items[1].WideDescription, U"");
}

TEST(OrderList, RepeatWithDescriptionsToldApartOnlyBeyondTheCodePageDiffers) {
    const OrderList list =
        ReadOrderList({"1 A\tsite ?", "2 A\tsite ?", "3 B\tsite ?", "4 B\tsite ?"},
                      {U"1 A\tsite \u03B1", U"2 A\tsite \u03B2", U"", U"4 B\tsite \U0001F600"});
    ASSERT_EQ(list.Items.size(), 4u);
    EXPECT_TRUE(list.Items[1].Update->DescriptionDropped);
    EXPECT_TRUE(list.Items[3].Update->DescriptionDropped) << "a real \"?\" is no emoji";
}

TEST(OrderList, PartNumberBeyondTheCodePageIsSkipped) {
    const OrderList list = ReadOrderList({"1 A?", "1 A?"}, {U"1 A\u03B1", U"1 A\u03B2"});
    EXPECT_TRUE(list.Items.empty());
    ASSERT_EQ(list.Skipped.size(), 2u);
    EXPECT_EQ(list.Skipped[0].Reason,
              "the part number holds U+03B1, which an order line cannot hold");
    EXPECT_THROW(ReadOrderList({"1 A"}, {U"1 AB"}), std::invalid_argument);
}

} // namespace
} // namespace pelmora::testing
