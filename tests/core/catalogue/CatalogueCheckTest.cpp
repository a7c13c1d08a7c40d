// Each finding of the catalogue check, proved on the test catalogue broken in
// one place.
#include "catalogue/CatalogueCheck.h"

#include "support/BestSeconds.h"
#include "support/TestCatalogue.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

using Level = CatalogueFinding::Level;

struct Break {
    const char* name;
    std::function<void(const TempFolder&)> apply;
    Level level;
    const char* file;
    int line;
    int column;
    const char* words;
    friend void PrintTo(const Break& b, std::ostream* os) { *os << b.name; }
};

void Append(const TempFolder& folder, const std::string& table, const std::string& row) {
    folder.Write("Data/" + table, folder.Read("Data/" + table) + row + "\r\n");
}

std::vector<CatalogueFinding> Findings(const TempFolder& folder) {
    std::vector<CatalogueFinding> findings;
    CheckCatalogue(folder.Path() + "Data/", folder.Path() + "Images/",
                   [&](const CatalogueFinding& finding) { findings.push_back(finding); });
    return findings;
}

class CatalogueCheck : public ::testing::TestWithParam<Break> {};

TEST_P(CatalogueCheck, FindsTheBreakWithItsPlace) {
    const Break& b = GetParam();
    TempFolder folder;
    WriteTestCatalogue(folder);
    b.apply(folder);
    const auto findings = Findings(folder);
    EXPECT_TRUE(std::is_partitioned(findings.begin(), findings.end(), [](const auto& f) {
        return f.Severity == Level::Error;
    })) << "errors first";
    bool found = false;
    for (const auto& f : findings) {
        if (f.Severity == b.level && f.File == b.file && f.Line == b.line && f.Column == b.column &&
            f.Text.find(b.words) != std::string::npos)
            found = true;
    }
    std::string all;
    for (const auto& f : findings)
        all += f.File + ":" + std::to_string(f.Line) + ":" + std::to_string(f.Column) + " " +
               f.Text + "\n";
    EXPECT_TRUE(found) << all;
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, CatalogueCheck,
    ::testing::Values(
        Break{"MissingTable",
              [](auto& f) { std::filesystem::remove(f.Path() + "Data/CoaxType.tbl"); },
              Level::Error, "CoaxType.tbl", 0, 0, "cannot be read"},
        Break{"ShortRow", [](auto& f) { Append(f, "Flange.tbl", "K|062|Choke"); }, Level::Error,
              "Flange.tbl", 10, 3, "has 3 field(s); the program reads 5"},
        Break{"NotANumber",
              [](auto& f) { Append(f, "Dimensions.tbl", "R|051|1.0|abc|610|12.0|305"); },
              Level::Error, "Dimensions.tbl", 10, 4, "\"abc\" is not a number"},
        Break{"NotAWholeNumber",
              [](auto& f) { WriteTable(f, "CoaxPrice.tbl", "h\n090|S|c|1.00|week|5.5"); },
              Level::Error, "CoaxPrice.tbl", 2, 6, "not a whole number"},
        Break{"FrequencyWithAFourthField",
              [](auto& f) { Append(f, "Frequency.tbl", "051|A|x|1.1"); }, Level::Error,
              "Frequency.tbl", 9, 4, "more than three fields"},
        Break{"FlangeForNoSize", [](auto& f) { Append(f, "Flange.tbl", "U|999|Cover|M|x.gif"); },
              Level::Warning, "Flange.tbl", 10, 2, "is no size"},
        Break{"VswrForNoSize", [](auto& f) { Append(f, "FlexVSWR.tbl", "999|S|12|1.1:1"); },
              Level::Warning, "FlexVSWR.tbl", 7, 1, "is no size"},
        Break{"BandWithoutRange", [](auto& f) { Append(f, "WGVSWR.tbl", "R|090|Q|1.1:1"); },
              Level::Error, "WGVSWR.tbl", 19, 3, "has no range in Frequency.tbl"},
        Break{"CoaxTypeNeverOffered", [](auto& f) { Append(f, "CoaxType.tbl", "Z|Zed"); },
              Level::Warning, "CoaxType.tbl", 4, 1, "never offered"},
        Break{"StepFlangeWithoutFlange", [](auto& f) { Append(f, "StepFlange.tbl", "Q|090"); },
              Level::Warning, "StepFlange.tbl", 5, 1, "has no Flange.tbl row"},
        Break{"FamiliesOutOfOrder",
              [](auto& f) {
                  std::string text = f.Read("Data/Family.tbl");
                  text.replace(text.find("\r\nC|"), 3, "\r\nX|");
                  f.Write("Data/Family.tbl", text);
              },
              Level::Error, "Family.tbl", 2, 1, "must be the family with letter C"},
        Break{"PictureMissing", [](auto&) {}, Level::Warning, "Family.tbl", 2, 5,
              "c_dwg.gif is missing"},
        Break{"PictureOutsideImages",
              [](auto& f) {
                  f.Write("secret.gif", "GIF89a");
                  Append(f, "Flange.tbl", "K|062|Choke|M|../secret.gif");
              },
              Level::Error, "Flange.tbl", 10, 5, "../secret.gif lies outside Images"},
        Break{"PictureLinkLeadingOut",
              [](auto& f) {
                  f.Write("secret.gif", "GIF89a");
                  std::filesystem::create_symlink(f.Path() + "secret.gif",
                                                  f.Path() + "Images/out.gif");
                  Append(f, "Flange.tbl", "K|062|Choke|M|OUT.GIF");
              },
              Level::Error, "Flange.tbl", 10, 5, "OUT.GIF lies outside Images"},
        Break{"PictureThatIsAFolder",
              [](auto& f) {
                  std::filesystem::create_directory(f.Path() + "Images/folder.gif");
                  Append(f, "Flange.tbl", "K|062|Choke|M|folder.gif");
              },
              Level::Warning, "Flange.tbl", 10, 5, "folder.gif is missing"},
        Break{"PictureWithAbsentPathUp",
              [](auto& f) { Append(f, "Flange.tbl", "K|062|Choke|M|../../etc/x"); },
              Level::Error, "Flange.tbl", 10, 5, "lies outside Images"},
        Break{"PriceBeyondABillion",
              [](auto& f) { WriteTable(f, "CoaxPrice.tbl", "h\n090|S|c|1e308|week|5"); },
              Level::Error, "CoaxPrice.tbl", 2, 4, "beyond one billion dollars"},
        Break{"NegativePrice",
              [](auto& f) { WriteTable(f, "CoaxPrice.tbl", "h\n090|S|c|-115.50|week|5"); },
              Level::Error, "CoaxPrice.tbl", 2, 4, "\"-115.50\" is negative"},
        Break{"NegativePerFoot",
              [](auto& f) { WriteTable(f, "StraightSectionPrice.tbl", "h\n090|100|-1|15|week|5"); },
              Level::Error, "StraightSectionPrice.tbl", 2, 3, "\"-1\" is negative"},
        Break{"SubnormalPrice",
              [](auto& f) { WriteTable(f, "StepTwistPrice.tbl", "h\nST090S|1e-320"); },
              Level::Error, "StepTwistPrice.tbl", 2, 2, "below a ten-thousandth"},
        Break{"UnreachableDuplicate", [](auto& f) { Append(f, "WGSize.tbl", "090|WR90|x|a|b|c"); },
              Level::Warning, "WGSize.tbl", 6, 1, "repeats the key of line 2"},
        Break{"LegTooLongForThreeDigits",
              [](auto& f) { Append(f, "Dimensions.tbl", "M|062|2.0|120.0|610|6.0|151"); },
              Level::Error, "Dimensions.tbl", 10, 4, "do not fit"},
        Break{"ZeroStep",
              [](auto& f) {
                  std::string text = f.Read("Data/Family.tbl");
                  text.replace(text.find("R|Straight Section|0.5"), 22, "R|Straight Section|0");
                  f.Write("Data/Family.tbl", text);
              },
              Level::Error, "Family.tbl", 10, 3, "not positive"},
        Break{"SizeFoundOnlyIgnoringCase",
              [](auto& f) {
                  Append(f, "WGSize.tbl", "09a|WRx|x|a|b|c");
                  Append(f, "CoaxVSWR.tbl", "09A|S|N|1.2:1");
              },
              Level::Error, "WGSize.tbl", 6, 1, "other letter case"},
        Break{"HBendSizeWithoutHBands", [](auto& f) { Append(f, "WGVSWR.tbl", "E|051|S|1.1:1"); },
              Level::Error, "WGVSWR.tbl", 19, 2, "no H row"},
        Break{"WindowNumberOfAnotherFamily",
              [](auto& f) { Append(f, "PressureWindows.tbl", "062|K|Mica|R062K|1.1:1"); },
              Level::Error, "PressureWindows.tbl", 5, 4, "letter of another family"},
        Break{"LowerCaseConversion",
              [](auto& f) { WriteTable(f, "Conversion.tbl", "h\nOLD|r090pu0120usg|c"); },
              Level::Error, "Conversion.tbl", 2, 2, "lower-case"},
        Break{
            "StepTwistRangeTwice",
            [](auto& f) { Append(f, "StepTwist.tbl", "090|Z|8.20 - 12.40 GHz|1.2:1|ST090Z|1.5"); },
            Level::Error, "StepTwist.tbl", 6, 1, "repeats the key of line 2"}),
    [](const auto& info) { return std::string(info.param.name); });

// Pictures found as the window finds them: letter case ignored, through "." and
// sub-folders.
class PictureFound : public ::testing::TestWithParam<const char*> {};

TEST_P(PictureFound, IsNotReported) {
    TempFolder folder;
    WriteTestCatalogue(folder);
    folder.Write("Images/Sub/inner.gif", "GIF89a");
    Append(folder, "Flange.tbl", std::string("K|062|Choke|M|") + GetParam());
    for (const auto& f : Findings(folder))
        EXPECT_FALSE(f.File == "Flange.tbl" && f.Line == 10 && f.Column == 5) << f.Text;
}

INSTANTIATE_TEST_SUITE_P(Names, PictureFound,
                         ::testing::Values("cover.gif", "COVER.GIF", "./Cover.gif", "Sub/inner.gif",
                                           "sub/inner.gif", "SUB//inner.gif"));

// Sizes, each with a coax row in other letter case and a flange naming a missing
// picture: the work of the check must grow in step with the rows, not with their
// square (eight times the rows stays well below 64 times the time).
double CheckSeconds(int sizes) {
    TempFolder folder;
    WriteTestCatalogue(folder);
    std::string rows;
    std::string coax;
    std::string flanges;
    for (int i = 0; i < sizes; ++i) {
        const std::string code = "s" + std::to_string(i);
        rows += code + "|WR|x|a|b|c\r\n";
        coax += "S" + std::to_string(i) + "|S|N|1.2:1\r\n";
        flanges += "U|" + code + "|Cover|M|" + code + ".gif\r\n";
    }
    Append(folder, "WGSize.tbl", rows);
    Append(folder, "CoaxVSWR.tbl", coax);
    Append(folder, "Flange.tbl", flanges);
    size_t findings = 0;
    const double seconds = BestSeconds([&] {
        findings = 0;
        CheckCatalogue(folder.Path() + "Data/", folder.Path() + "Images/",
                       [&](const CatalogueFinding&) { ++findings; });
    });
    EXPECT_GT(findings, static_cast<size_t>(3 * sizes));
    return seconds;
}

TEST(LargeCatalogueCheck, CostsInStepWithTheRows) {
    const double few = CheckSeconds(1000);
    const double many = CheckSeconds(8000);
    EXPECT_LT(many / few, 24.0) << few << " s for 1000 sizes, " << many << " s for 8000";
}

} // namespace
} // namespace pelmora::testing
