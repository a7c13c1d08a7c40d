// The first line of each part number, as the Add to Order dialog finds it in an
// order that grows a line at a time or is changed behind its back.
#include "order/OrderLineIndex.h"

#include "catalogue/TxtTable.h"

#include <functional>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

std::string Line(const std::string& partNumber) {
    return "1|$1.00|Stock|" + partNumber + "|a part";
}

struct IndexRow {
    const char* Name;
    // Lines of the order before the first look-up.
    std::vector<std::string> Parts;
    // What happens to the order after it (lines added through the index or not).
    std::function<void(TTxtTable&, OrderLineIndex&)> Change;
    // Part number and the row expected for it afterwards.
    std::vector<std::pair<std::string, int>> Found;
};

void PrintTo(const IndexRow& row, std::ostream* out) {
    *out << row.Name;
}

class FirstLine : public ::testing::TestWithParam<IndexRow> {};

TEST_P(FirstLine, IsFoundByItsPartNumber) {
    const IndexRow& row = GetParam();
    TTxtTable order;
    for (const auto& part : row.Parts)
        order.Lines.push_back(Line(part));
    OrderLineIndex index;
    EXPECT_EQ(index.Find(order, "nothing"), -1);
    row.Change(order, index);
    for (const auto& [part, expected] : row.Found)
        EXPECT_EQ(index.Find(order, part), expected) << part;
}

void AddThroughTheIndex(TTxtTable& order, OrderLineIndex& index, const std::string& part) {
    order.Lines.push_back(Line(part));
    index.Added(order);
}

INSTANTIATE_TEST_SUITE_P(
    Order, FirstLine,
    ::testing::Values(
        IndexRow{"FirstOfRepeatedLines",
                 {"A", "B", "A"},
                 [](TTxtTable&, OrderLineIndex&) {},
                 {{"A", 0}, {"B", 1}, {"C", -1}}},
        IndexRow{"FieldTrimmedAndLetterCaseKept",
                 {" A ", "a"},
                 [](TTxtTable&, OrderLineIndex&) {},
                 {{"A", 0}, {"a", 1}, {" A ", -1}}},
        IndexRow{"LinesAddedThroughTheIndexPastItsFirstSize",
                 {"A"},
                 [](TTxtTable& order, OrderLineIndex& index) {
                     for (int part = 0; part < 1000; ++part)
                         AddThroughTheIndex(order, index, "P" + std::to_string(part));
                     AddThroughTheIndex(order, index, "A");
                 },
                 {{"A", 0}, {"P0", 1}, {"P511", 512}, {"P999", 1000}, {"P1000", -1}}},
        IndexRow{"LineAddedBehindItsBack",
                 {"A"},
                 [](TTxtTable& order, OrderLineIndex&) { order.Lines.push_back(Line("B")); },
                 {{"B", 1}}},
        IndexRow{"LineDeletedBehindItsBack",
                 {"A", "B", "C"},
                 [](TTxtTable& order, OrderLineIndex&) { order.Lines.erase(order.Lines.begin()); },
                 {{"A", -1}, {"B", 0}, {"C", 1}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FirstLine, AnotherOrderIsReadAfresh) {
    TTxtTable first;
    first.Lines = {Line("A")};
    TTxtTable second;
    second.Lines = {Line("B")};
    OrderLineIndex index;
    EXPECT_EQ(index.Find(first, "A"), 0);
    EXPECT_EQ(index.Find(second, "A"), -1);
    EXPECT_EQ(index.Find(second, "B"), 0);
}

} // namespace
} // namespace pelmora::testing
