#include "order/OrderFiles.h"

#include "catalogue/Errors.h"
#include "catalogue/TableSource.h"
#include "catalogue/TxtTable.h"
#include "order/BillOfMaterials.h"
#include "order/SavedOrder.h"
#include "support/FakeMessageBoxes.h"
#include "support/TestCatalogue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <libxml/parser.h>

namespace pelmora::testing {
namespace {

class OrderFilesTest : public ::testing::Test {
protected:
    OrderFilesTest() {
        WriteTestCatalogue(folder);
        order.Lines = {"2|$2,469.00|Stock|R090PC0120USG|Straight Section, WR90, 90\xB0 & <more>",
                       "1|N/A|Contact Corvane Rep.|ST090ALONGPARTNUMBER12|Step"};
    }
    TempFolder folder;
    TTxtTable order;
    FakeMessageBoxes messages;
};

TEST_F(OrderFilesTest, SpreadsheetIsTabSeparatedUnderItsHeader) {
    SaveOrderXls(order, folder.Path() + "o.xls");
    EXPECT_EQ(folder.Read("o.xls"),
              "QUANTITY\tPRICE\tDELIVERY TIME\tPART NUMBER\tDESCRIPTION\r\n"
              "2\t$2,469.00\tStock\tR090PC0120USG\tStraight Section, WR90, 90\xB0 & <more>\r\n"
              "1\tN/A\tContact Corvane Rep.\tST090ALONGPARTNUMBER12\tStep\r\n");
    SaveOrderXls(TTxtTable(), folder.Path() + "empty.xls");
    EXPECT_EQ(folder.Read("empty.xls"),
              "QUANTITY\tPRICE\tDELIVERY TIME\tPART NUMBER\tDESCRIPTION\r\n");
}

TEST_F(OrderFilesTest, TextFileAlignsItsColumnsAndPushesLongValuesRight) {
    SaveOrderText(order, folder.Path() + "o.txt");
    EXPECT_EQ(folder.Read("o.txt"),
              "  QUANTITY               PRICE    DELIVERY TIME           PART NUMBER         "
              "    DESCRIPTION\r\n"
              "         2           $2,469.00    Stock                   R090PC0120USG       "
              "    Straight Section, WR90, 90\xB0 & <more>\r\n"
              "         1                 N/A    Contact Corvane Rep.    ST090ALONGPARTNUMBER12"
              "    Step\r\n");
}

TEST_F(OrderFilesTest, XmlDeclaresItsEncodingAndEscapesSpecialCharacters) {
    SaveOrderXml(order, folder.Path() + "o.xml");
    const std::string xml = folder.Read("o.xml");
    EXPECT_EQ(xml.substr(0, 62), "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<order>\r\n"
                                 "    <i");
    EXPECT_NE(xml.find("        <quantity>2</quantity>\r\n"
                       "        <price>$2,469.00</price>\r\n"
                       "        <delivery_time>Stock</delivery_time>\r\n"
                       "        <part_number>R090PC0120USG</part_number>\r\n"
                       "        <description>Straight Section, WR90, 90\xB0 &amp; &lt;more&gt;"
                       "</description>\r\n    </item>\r\n"),
              std::string::npos);
    EXPECT_EQ(xml.substr(xml.size() - 10), "</order>\r\n");
    SaveOrderXml(TTxtTable(), folder.Path() + "e.xml");
    EXPECT_EQ(folder.Read("e.xml"),
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<order>\r\n</order>\r\n");
}

// The text of the last element of the first item, as an XML parser reads it.
std::string ParsedDescription(const std::string& bytes) {
    xmlDocPtr document = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "o.xml",
                                       nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR);
    if (!document)
        return "not well-formed";
    xmlNodePtr item = xmlFirstElementChild(xmlDocGetRootElement(document));
    xmlChar* content = xmlNodeGetContent(xmlLastElementChild(item));
    const std::string text(reinterpret_cast<const char*>(content));
    xmlFree(content);
    xmlFreeDoc(document);
    return text;
}

// Only the XML can carry what Windows-1252 lacks; it comes back from the file as it
// was given, and the file is written again byte for byte.
TEST_F(OrderFilesTest, XmlKeepsCharactersBeyondTheCodePageAsReferences) {
    order.Lines[0] = "2|$2,469.00|Stock|R090PC0120USG|90\xB0 ? & ? \"?\"";
    const WideDescriptions wide = {{0, {7, U"90\u00B0 \u03B1 & \U0001F600 \"?\""}}};
    std::string xml;
    for (const std::string& line : OrderFileLines(order, XmlFile, wide))
        xml += line + "\r\n";
    EXPECT_NE(xml.find("<description>90\xB0 &#x3B1; &amp; &#x1F600; &quot;?&quot;</description>"),
              std::string::npos)
        << xml;
    EXPECT_EQ(ParsedDescription(xml), "90\xC2\xB0 \xCE\xB1 & \xF0\x9F\x98\x80 \"?\"");

    WideDescriptions read;
    TTxtTable reopened;
    reopened.Lines = ParseSavedOrder(xml, XmlFile, "o.xml", &read);
    EXPECT_EQ(reopened.Lines, order.Lines);
    EXPECT_EQ(read, (WideDescriptions{{0, {3, wide.at(0).Text}}})) << "the line of its <item>";
    std::string again;
    for (const std::string& line : OrderFileLines(reopened, XmlFile, read))
        again += line + "\r\n";
    EXPECT_EQ(again, xml);

    EXPECT_EQ(LostCharactersMessage(wide.at(0), "the .xls file"),
              "line 7: the description's U+03B1, U+1F600 cannot be written in Windows-1252; the "
              ".xls file holds \"?\" for each");
}

TEST_F(OrderFilesTest, OnlyADescriptionMayHoldCharactersBeyondTheCodePage) {
    std::string xml;
    for (const std::string& line : OrderFileLines(order, XmlFile))
        xml += line + "\r\n";
    const size_t part = xml.find("R090PC0120USG");
    const std::string beyond = xml.replace(part, 1, "&#x3A9;");
    try {
        ParseSavedOrder(beyond, XmlFile, "o.xml");
        FAIL() << "a part number beyond the code page was read";
    } catch (const SavedOrderError& error) {
        EXPECT_STREQ(error.what(),
                     "\"o.xml\", line 7: <part_number> holds U+03A9, which an order line "
                     "cannot hold");
    }
}

// Lines from customers' lists and catalogue cells can hold anything; the files other
// programs open must still be well-formed and safe.
class HostileOrder : public OrderFilesTest {
protected:
    HostileOrder() {
        order.Lines = {"1|-$5.00|Stock|R090PC0120USG|=HYPERLINK(\"x\")",
                       "2|N/A|@once|+R090|-minus\tcol\rline\nbreak",
                       "3|$1.00|'quoted|R090|bell\x07 nul\x01 esc\x1B undefined\x81\x8D end"};
    }
};

TEST_F(HostileOrder, XmlLeavesOutWhatXmlForbidsAndParses) {
    SaveOrderXml(order, folder.Path() + "o.xml");
    const std::string bytes = folder.Read("o.xml");
    xmlDocPtr document = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "o.xml",
                                       nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR);
    ASSERT_NE(document, nullptr) << bytes;
    xmlFreeDoc(document);
    EXPECT_NE(bytes.find("<description>bell nul esc undefined end</description>"),
              std::string::npos);
}

TEST_F(HostileOrder, LineFilesKeepTheirColumnsAndCellsStayText) {
    SaveOrderXls(order, folder.Path() + "o.xls");
    EXPECT_EQ(folder.Read("o.xls"),
              "QUANTITY\tPRICE\tDELIVERY TIME\tPART NUMBER\tDESCRIPTION\r\n"
              "1\t-$5.00\tStock\tR090PC0120USG\t'=HYPERLINK(\"x\")\r\n"
              "2\tN/A\t'@once\t'+R090\t'-minus col line break\r\n"
              "3\t$1.00\t''quoted\tR090\tbell\x07 nul\x01 esc\x1B undefined\x81\x8D end\r\n");
    SaveOrderText(order, folder.Path() + "o.txt");
    const std::string text = folder.Read("o.txt");
    EXPECT_NE(text.find("-minus col line break\r\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_EQ(text.find('\t'), std::string::npos);
}

TEST_F(OrderFilesTest, ExtensionIsAddedUnlessTheNameEndsInIt) {
    EXPECT_EQ(EnsureExtension("order", ".txt"), "order.txt");
    EXPECT_EQ(EnsureExtension("order.TXT", ".txt"), "order.TXT");
    EXPECT_EQ(EnsureExtension("ORDER.XLS", ".xls"), "ORDER.XLS");
    EXPECT_EQ(EnsureExtension("order.txt", ".xls"), "order.txt.xls");
    EXPECT_EQ(EnsureExtension("a.b/order", ".xml"), "a.b/order.xml");
}

TEST_F(OrderFilesTest, FailedWriteKeepsTheOldFileWhole) {
    folder.Write("o.xls", "old");
    EXPECT_THROW(SaveOrderXls(order, folder.Path() + "missing/o.xls"), FileError);
    EXPECT_EQ(folder.Read("o.xls"), "old");
}

TEST_F(OrderFilesTest, BillOfMaterialsListsEveryLineThatConverts) {
    order.Lines = {"2|$1,234.50|Stock|R090PC0120USG|Straight",
                   "x|$1.00|Stock|R090PC0120USG|bad quantity",
                   "3|$37.50|Stock|R090MC0305USG|Metric",
                   "3|$100.00|Stock|C090CNSG|Coax",
                   "1|N/A|Contact Corvane Rep.|ST090S|Step",
                   "1|$10.00|Stock|PW090C|Window",
                   "4|$1,000,000.00|Stock|E090MC051C051SG|Big",
                   "0|$5.00|Stock|D090CKSG|zero quantity",
                   "1|abc|Stock|D090CKSG|bad price"};
    WriteBillOfMaterials(order, folder.Path() + "pelmora38.lom",
                         TableSource{folder.Path() + "Data/", messages});
    EXPECT_EQ(folder.Read("pelmora38.lom"),
              "[HEADER]\r\nCompany Name=\r\nAuthor=\r\nDate=\r\nJob Number=\r\nFile Name=\r\n"
              "File Path=\r\n\r\n[SITE 001 LOM]\r\nSite Name=\r\nSite Number=\r\nShip to City=\r\n"
              "Ship to State/Province=\r\nShip to Country=\r\n"
              "1=2|feet|R-000|R090PC0120USG|Straight|617.25\r\n"
              "3=3|meter|R-000|R090MC0305USG|Metric|12.5\r\n"
              "4=3|feet|C-000|C090CNSG|Coax|33.3333333333333\r\n"
              "5=1|feet|S-000|ST090S|Step|0\r\n"
              "6=1|feet|PW-000|PW090C|Window|10\r\n"
              "7=4|meter|E-000|E090MC051C051SG|Big|250000\r\n");
    EXPECT_TRUE(messages.Log.empty());
}

TEST_F(OrderFilesTest, CleanPriceTextLeavesAPlainNumber) {
    EXPECT_EQ(CleanPriceText("$1,234,567.50"), "1234567.50");
    EXPECT_EQ(CleanPriceText("N/A"), "0");
    EXPECT_EQ(CleanPriceText("$$1"), "$1");
}

} // namespace
} // namespace pelmora::testing
