// Orders saved yesterday come back exactly as saved, in every format the program
// writes; anything else is refused with the file and line, never half-read.
#include "order/SavedOrder.h"

#include "catalogue/Errors.h"
#include "catalogue/TxtTable.h"
#include "order/OrderFiles.h"
#include "support/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

using Writer = std::function<void(const TTxtTable&, const std::string&)>;

struct Format {
    const char* name;
    Writer write;
};

class SavedOrderRoundTrip : public ::testing::TestWithParam<Format> {};

TEST_P(SavedOrderRoundTrip, ReopenedAndSavedAgainGivesTheSameBytes) {
    TempFolder folder;
    TTxtTable order;
    order.Lines = {"2|$2,469.00|Stock|R090PC0120USG|Straight Section, WR90, 90\xB0 & <more>",
                   "1|N/A|Contact Corvane Rep.|ST090ALONGPARTNUMBER12|Step",
                   "99999|$922,337,203,685,477.58|A delivery text longer than twenty|P N|",
                   "3|-$5.00||=SUM(A1)|@user +plus 'quote"};
    const std::string first = folder.Path() + "first." + GetParam().name;
    const std::string again = folder.Path() + "again." + GetParam().name;
    GetParam().write(order, first);

    TTxtTable reopened;
    reopened.Lines = ReadSavedOrder(first);
    EXPECT_EQ(reopened.Lines, order.Lines);
    GetParam().write(reopened, again);
    EXPECT_EQ(folder.Read("again." + std::string(GetParam().name)),
              folder.Read("first." + std::string(GetParam().name)));

    GetParam().write(TTxtTable(), first);
    EXPECT_TRUE(ReadSavedOrder(first).empty()) << "an empty order";
}

INSTANTIATE_TEST_SUITE_P(Formats, SavedOrderRoundTrip,
                         ::testing::Values(Format{"xls", SaveOrderXls},
                                           Format{"txt", SaveOrderText},
                                           Format{"xml", SaveOrderXml}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SavedOrder, OlderXmlWithRawTextIsReadAsFarAsItCanBe) {
    const std::string older = "<?xml version=\"1.0\"?>\r\n<order>\r\n    <item>\r\n"
                              "        <quantity>2</quantity>\r\n"
                              "        <price>$10.00</price>\r\n"
                              "        <delivery_time>Stock</delivery_time>\r\n"
                              "        <part_number>R090PC0120USG</part_number>\r\n"
                              "        <description>Tom & Jerry <90\xB0> &amp;</description>\r\n"
                              "    </item>\r\n</order>\r\n";
    EXPECT_EQ(ParseSavedOrder(older, XmlFile, "old.xml"),
              std::vector<std::string>{"2|$10.00|Stock|R090PC0120USG|Tom & Jerry <90\xB0> &amp;"});
}

TEST(SavedOrder, WhatIsNoOrderLineIsRefusedWithFileAndLine) {
    const std::string header = "QUANTITY\tPRICE\tDELIVERY TIME\tPART NUMBER\tDESCRIPTION\r\n";
    const struct {
        std::string text;
        OrderFileKind kind;
        const char* message;
    } cases[] = {
        {header + "1\t$1.00\tStock\tR090\tok\r\nabc\t$1.00\tStock\tR090\td\r\n", SpreadsheetFile,
         "\"f\", line 3: the quantity \"abc\" is not a whole number from 1 to 99999"},
        {header + "1\t$1.00\tStock\tR090\r\n", SpreadsheetFile,
         "\"f\", line 2: this is not an order line"},
        {header + "1\tfree\tStock\tR090\td\r\n", SpreadsheetFile,
         "\"f\", line 2: the price \"free\" is neither an amount nor N/A"},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<order>\r\n<item>\r\n"
         "<quantity>1</quantity>\r\n<price>N/A</price>\r\n</item>\r\n</order>\r\n",
         XmlFile, "\"f\", line 6: <delivery_time> was expected"},
        {"<?xml version=\"1.0\"?>\r\n<order>\r\n", XmlFile,
         "\"f\", line 3: <item> or </order> was expected"},
        {"  QUANTITY               PRICE    DELIVERY TIME           PART NUMBER             "
         "DESCRIPTION\r\nnot a line\r\n",
         TextFile, "\"f\", line 2: this is not an order line"},
        {"a letter\r\n", SpreadsheetFile, "\"f\", line 1: this is no order the program saved"},
    };
    for (const auto& c : cases) {
        try {
            ParseSavedOrder(c.text, c.kind, "f");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const SavedOrderError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
    TempFolder folder;
    EXPECT_THROW(ReadSavedOrder(folder.Path() + "gone.xml"), FileError);
}

TEST(SavedOrder, EntitiesAreReadAndAStrayAmpersandIsText) {
    const std::string xml = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<order>\r\n"
                            "<item>\r\n<quantity>1</quantity>\r\n<price>N/A</price>\r\n"
                            "<delivery_time>&#176;&#xB0;&amp;</delivery_time>\r\n"
                            "<part_number>P</part_number>\r\n<description>a & b &</description>\r\n"
                            "</item>\r\n</order>\r\n";
    EXPECT_EQ(ParseSavedOrder(xml, XmlFile, "f"),
              std::vector<std::string>{"1|N/A|\xB0\xB0&|P|a & b &"});
}

TEST(SavedOrder, KindIsToldByTheFirstLine) {
    EXPECT_EQ(SavedOrderKind("QUANTITY\tPRICE\tDELIVERY TIME\tPART NUMBER\tDESCRIPTION\r\n"),
              SpreadsheetFile);
    EXPECT_EQ(SavedOrderKind("<?xml version=\"1.0\"?>"), XmlFile);
    EXPECT_EQ(SavedOrderKind("2 R090PC0120USG\n"), std::nullopt);
}

} // namespace
} // namespace pelmora::testing
