// The catalogue that ships with the program: every table loads, the keys that tie
// the tables together point somewhere, and none of the rows that make the
// program misbehave is present.
#include "catalogue/FileSystem.h"
#include "catalogue/Text1252.h"
#include "catalogue/TxtTable.h"
#include "support/FakeMessageBoxes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <tuple>

namespace pelmora {
namespace {

using testing::FakeMessageBoxes;

const std::string Shipped = PELMORA_SHIPPED_DIR;

TTxtTable Load(const std::string& name) {
    FakeMessageBoxes messages;
    TTxtTable table(Shipped + "Data/" + name, messages);
    EXPECT_TRUE(messages.Log.empty()) << name;
    EXPECT_GT(table.RowCount(), 1) << name;
    table.DeleteHeader();
    return table;
}

std::set<std::string> Column(const TTxtTable& table, int column) {
    std::vector<std::string> values;
    table.GetColumn(column, values);
    return {values.begin(), values.end()};
}

TEST(ShippedCatalogue, EveryTableOfTheInventoryLoads) {
    for (const char* table : {"CoaxType.tbl", "StepFlange.tbl", "Dimensions.tbl", "FlexSpecs.tbl",
                              "FlexImperialLengths.tbl", "FlexMetricLengths.tbl", "Conversion.tbl"})
        Load(table);
}

TEST(ShippedCatalogue, FamiliesAreTheElevenInTheirFixedOrderWithTheirPictures) {
    const TTxtTable families = Load("Family.tbl");
    ASSERT_EQ(families.RowCount(), 11);
    std::string letters;
    for (int row = 0; row < families.RowCount(); ++row) {
        letters += families.GetField(row, 1);
        EXPECT_TRUE(FileExists(Shipped + "Images/" + families.GetField(row, 5)));
        EXPECT_TRUE(FileExists(Shipped + "Images/" + families.GetField(row, 6)));
        EXPECT_GT(std::stod(families.GetField(row, 3)), 0);
        EXPECT_GT(std::stod(families.GetField(row, 4)), 0);
    }
    EXPECT_EQ(letters, "CDEFHMNWRST");
    for (const char* picture : {"WG.gif", "NA.gif", "splashimage.gif", "corvane.bmp"})
        EXPECT_TRUE(FileExists(Shipped + "Images/" + picture)) << picture;
    EXPECT_TRUE(FileExists(Shipped + "Pelmora38.hlp"));
}

// The window stretches a photo into 119 x 87 and a drawing into 128 x 150; a picture
// drawn at another size comes out distorted, and two families sharing one picture
// cannot be told apart.
TEST(ShippedCatalogue, EachFamilyHasItsOwnPhotoAndDrawingAtTheSizeShown) {
    const TTxtTable families = Load("Family.tbl");
    std::set<std::string> drawings, photos;
    for (int row = 0; row < families.RowCount(); ++row) {
        for (const auto& [column, width, height, seen] :
             {std::tuple{5, 128, 150, &drawings}, {6, 119, 87, &photos}}) {
            const std::string file = families.GetField(row, column);
            const std::string gif = ReadWholeFile(Shipped + "Images/" + file);
            ASSERT_GE(gif.size(), 10u) << file;
            EXPECT_EQ(gif.substr(0, 4), "GIF8") << file;
            // A GIF opens with its width and height as little-endian words.
            const auto byte = [&gif](size_t at) { return static_cast<unsigned char>(gif[at]); };
            EXPECT_EQ(byte(6) + 256 * byte(7), width) << file;
            EXPECT_EQ(byte(8) + 256 * byte(9), height) << file;
            EXPECT_TRUE(seen->insert(gif).second) << file << " is the picture of another family";
        }
    }
}

TEST(ShippedCatalogue, EveryFlangeFitsAKnownSizeAndHasItsPicture) {
    const auto sizes = Column(Load("WGSize.tbl"), 1);
    const TTxtTable flanges = Load("Flange.tbl");
    for (int row = 0; row < flanges.RowCount(); ++row) {
        EXPECT_EQ(flanges.GetField(row, 1).size(), 1u);
        EXPECT_TRUE(sizes.count(flanges.GetField(row, 2))) << flanges.Lines[row];
        EXPECT_TRUE(FileExists(Shipped + "Images/" + flanges.GetField(row, 5)));
    }
}

TEST(ShippedCatalogue, EveryBandOfAVswrTableHasItsRangeText) {
    std::set<std::string> ranges;
    const TTxtTable frequency = Load("Frequency.tbl");
    for (int row = 0; row < frequency.RowCount(); ++row)
        ranges.insert(frequency.GetField(row, 1) + "|" + frequency.GetField(row, 2));
    for (const auto& [table, sizeColumn, bandColumn] :
         {std::tuple{"WGVSWR.tbl", 2, 3}, {"CoaxVSWR.tbl", 1, 2}, {"FlexVSWR.tbl", 1, 2}}) {
        const TTxtTable vswr = Load(table);
        for (int row = 0; row < vswr.RowCount(); ++row)
            EXPECT_TRUE(
                ranges.count(vswr.GetField(row, sizeColumn) + "|" + vswr.GetField(row, bandColumn)))
                << table << ": " << vswr.Lines[row];
    }
}

TEST(ShippedCatalogue, HBendSizesAllHaveHBandsAndSpecialQuoteSizesAreOffered) {
    const TTxtTable vswr = Load("WGVSWR.tbl");
    std::set<std::string> eSizes, hSizes, straightSizes;
    for (int row = 0; row < vswr.RowCount(); ++row) {
        const std::string letter = vswr.GetField(row, 1);
        const std::string size = vswr.GetField(row, 2);
        (letter == "E" ? eSizes : letter == "H" ? hSizes : straightSizes).insert(size);
    }
    for (const auto& size : eSizes)
        EXPECT_TRUE(hSizes.count(size)) << size;
    EXPECT_GT(hSizes.size(), eSizes.size()) << "a size listed under H only";
    for (const char* special : {"028", "051", "284", "340", "430"})
        EXPECT_TRUE(straightSizes.count(special)) << special;
    EXPECT_TRUE(Column(Load("Taper.tbl"), 1).count("042"));
}

TEST(ShippedCatalogue, TablePartNumbersDoNotLookLikeAnotherFamily) {
    const std::string familyLetters = "CDEFHMNRT";
    const TTxtTable windows = Load("PressureWindows.tbl");
    for (int row = 0; row < windows.RowCount(); ++row)
        EXPECT_EQ(familyLetters.find(windows.GetField(row, 4).front()), std::string::npos);
    const TTxtTable twists = Load("StepTwist.tbl");
    std::set<std::string> sizeAndRange;
    for (int row = 0; row < twists.RowCount(); ++row) {
        EXPECT_EQ(familyLetters.find(twists.GetField(row, 5).front()), std::string::npos);
        EXPECT_TRUE(
            sizeAndRange.insert(twists.GetField(row, 1) + "|" + twists.GetField(row, 3)).second)
            << "second row for one size and range: " << twists.Lines[row];
    }
}

TEST(ShippedCatalogue, ConvertedPartNumbersAreUpperCase) {
    const TTxtTable conversions = Load("Conversion.tbl");
    for (int row = 0; row < conversions.RowCount(); ++row) {
        const std::string next = conversions.GetField(row, 2);
        EXPECT_FALSE(next.empty());
        EXPECT_EQ(UpperCase1252(next), next);
    }
}

TEST(ShippedCatalogue, PriceTablesHaveTheColumnsTheirLookupsRead) {
    for (const auto& [table, columns] : {std::pair{"StraightSectionPrice.tbl", 6},
                                         {"RigidTwistPrice.tbl", 7},
                                         {"TaperedTransitionPrice.tbl", 6},
                                         {"CoaxPrice.tbl", 6},
                                         {"FlexTwistPrice.tbl", 8},
                                         {"MiterBendPrice.tbl", 9},
                                         {"EBendPrice.tbl", 5},
                                         {"HBendPrice.tbl", 5},
                                         {"StepTwistPrice.tbl", 2}}) {
        const TTxtTable prices = Load(table);
        for (const auto& line : prices.Lines)
            EXPECT_EQ(std::count(line.begin(), line.end(), '|'), columns - 1)
                << table << ": " << line;
    }
}

} // namespace
} // namespace pelmora
