// Part numbers back into the wizard.
#include "WizardFixture.h"
#include "catalogue/Errors.h"

#include <filesystem>

namespace pelmora::testing {
namespace {

class ParseTest : public WizardTest {
protected:
    std::string Selected(const ComboState& list) const {
        return list.HasSelection() ? list.Items[static_cast<size_t>(list.ItemIndex)][0] : "";
    }
};

TEST_F(ParseTest, BendSetsEveryChoiceWithoutRunningTheLegChanges) {
    Main().ApplyPartNumber("E090PC060K090XN");
    EXPECT_EQ(Main().Family(), pfEBend);
    EXPECT_EQ(Selected(Main().cbxWaveguide), "090");
    EXPECT_EQ(Selected(Main().cbxFlangeA), "C");
    EXPECT_EQ(Selected(Main().cbxFlangeB), "K");
    EXPECT_EQ(Main().cbxLegALength.Text, "6.0");
    EXPECT_EQ(Main().cbxLegBLength.Text, "9.0");
    EXPECT_EQ(CheckedBand(), "X");
    EXPECT_EQ(Main().cbxFinish.ItemIndex, 1);
    EXPECT_EQ(Main().ActivePage, MainForm::ScreenOne);
    EXPECT_FALSE(app.BuildingFromPartNumber);
    EXPECT_EQ(platform.Busy.Shown, (std::vector<bool>{true, false}));
    Main().btnCreateClick();
    EXPECT_EQ(Main().txtPartNumber, "E090PC060K090XN");
}

TEST_F(ParseTest, MetricPartNumberSwitchesUnitsBeforeTheLengths) {
    Main().ApplyPartNumber("R090MC0305USG");
    EXPECT_FALSE(app.ImperialUnits);
    EXPECT_TRUE(Main().mnuMetricChecked);
    EXPECT_EQ(Main().cbxLength.Text, "305");
    Main().ApplyPartNumber("R090PC0125USG");
    EXPECT_TRUE(app.ImperialUnits);
    EXPECT_EQ(Main().cbxLength.Text, "12.5");
}

TEST_F(ParseTest, LengthMissingFromTheListLeavesTheBoxEmpty) {
    Main().ApplyPartNumber("R090PC0123USG");
    EXPECT_EQ(Main().cbxLength.ItemIndex, -1);
    EXPECT_EQ(Main().cbxLength.Text, "");
    Main().btnNextClick();
    EXPECT_EQ(Messages().back().Text, "Please fill all options to continue.");
}

TEST_F(ParseTest, EarlierChoicesAreNotCarriedOver) {
    PickFamily(pfStraightSection);
    PickWaveguide("062");
    PickFlangeA("K");
    Main().ApplyPartNumber("E090PU030U030SG");
    EXPECT_EQ(Selected(Main().cbxFlangeA), "U");
    Main().ApplyPartNumber("H090PZ030Z030SG");
    EXPECT_EQ(Selected(Main().cbxWaveguide), "090");
    EXPECT_EQ(Main().cbxFlangeA.ItemIndex, -1) << "no flange Z, and U is not kept";
    // A size the family does not list leaves no flange of the last size behind,
    // neither selected in an empty list nor in the description.
    for (const bool reset : {false, true}) {
        Main().ApplyPartNumber("R090PC0120USG");
        if (reset)
            Main().mnuResetSettingsClick();
        Main().ApplyPartNumber("R091PC0120USG");
        EXPECT_EQ(Main().cbxWaveguide.ItemIndex, -1);
        EXPECT_EQ(Main().cbxFlangeA.ItemIndex, -1);
        EXPECT_EQ(Main().cbxFlangeB.ItemIndex, -1);
        EXPECT_EQ(Main().BuildOrderDescription().find("CPR"), std::string::npos);
    }
}

TEST_F(ParseTest, StepTwistRestoresFamilyAndWaveguideOnly) {
    Main().ApplyPartNumber("ST090B");
    EXPECT_EQ(Main().Family(), pfStepTwist);
    EXPECT_EQ(Selected(Main().cbxWaveguide), "090");
    EXPECT_EQ(Main().cbxFlangeA.ItemIndex, -1);
    EXPECT_EQ(Main().cbxFlangeB.ItemIndex, -1);
    EXPECT_EQ(CheckedBand(), "S");
    Main().btnNextClick();
    EXPECT_EQ(Messages().back().Text, "Please fill all options to continue.");
}

TEST_F(ParseTest, UnknownPartNumbersClearOnlyTheProductType) {
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    for (const char* part : {"PW090C", "st090b", "X"}) {
        Main().ApplyPartNumber(part);
        EXPECT_EQ(Main().cbxProductType.ItemIndex, -1) << part;
        EXPECT_EQ(Main().cbxWaveguide.ItemIndex, 0) << part;
    }
    EXPECT_TRUE(Messages().empty());
    Main().ApplyPartNumber("");
    EXPECT_EQ(platform.Busy.Shown.size(), 6u) << "an empty text does nothing";
}

TEST_F(ParseTest, CoaxFlexAndTaperRestoreTheirOwnFields) {
    Main().ApplyPartNumber("C090CSSG");
    EXPECT_EQ(Selected(Main().cbxCoax), "S");
    EXPECT_EQ(Main().cbxFinish.ItemIndex, 0);
    Main().ApplyPartNumber("F090PC0240KX");
    EXPECT_EQ(Main().cbxLength.Text, "24.0");
    EXPECT_EQ(CheckedBand(), "X") << "the bands were rebuilt for 24 in first";
    Main().ApplyPartNumber("T062UCN");
    EXPECT_EQ(Selected(Main().cbxFlangeB), "C");
    EXPECT_EQ(Main().cbxFinish.ItemIndex, 1);
}

TEST_F(ParseTest, AnErrorOnTheWayStillRestoresTheCursorAndTheFlag) {
    std::filesystem::remove(folder.Path() + "Data/WGSize.tbl");
    EXPECT_THROW(Main().ApplyPartNumber("R090PC0120USG"), FileError);
    EXPECT_FALSE(app.BuildingFromPartNumber);
    EXPECT_EQ(platform.Busy.Shown, (std::vector<bool>{true, false}));
}

// Applying a part number describes what it set; where the part number stops
// short of a choice, the grid keeps what the last described choice showed.
struct GridCase {
    const char* name;
    // Applied first, as a window applies one part number after another.
    const char* before;
    const char* partNumber;
    std::vector<std::string> grid;
    std::vector<std::string> messages;
};

class GridAfterParse : public ParseTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridAfterParse, ShowsTheLastDescribedChoices) {
    const GridCase& c = GetParam();
    Main().ApplyPartNumber(c.before);
    Messages().clear();
    Main().ApplyPartNumber(c.partNumber);
    EXPECT_EQ(Grid(), c.grid);
    std::vector<std::string> shown;
    for (const auto& message : Messages())
        shown.push_back(message.Text);
    EXPECT_EQ(shown, c.messages);
    EXPECT_EQ(Main().txtPartNumber, "");
    EXPECT_FALSE(Main().btnAddOrderEnabled);
}

const std::vector<GridCase> GridCases = {
    {"BendWithEveryChoice",
     "",
     "E090PC060K090XN",
     {"E|Product Type|E Bend", "090|Waveguide|WR90", "P|Units|in.", "C|Flange A|CPR Flat",
      "060|Length A|6.0", "K|Flange B|UG Choke", "090|Length B|9.0",
      "X|Frequency|8.50 - 9.60 GHz / VSWR: 1.05:1", "N|Finish|Unpainted"},
     {}},
    // The legs are set without a refresh of their own and are still described.
    {"BendWithoutBandOrFinish",
     "",
     "E090PC060K090QQ",
     {"E|Product Type|E Bend", "090|Waveguide|WR90", "P|Units|in.", "C|Flange A|CPR Flat",
      "060|Length A|6.0", "K|Flange B|UG Choke", "090|Length B|9.0",
      "S|Frequency|8.20 - 12.40 GHz / VSWR: 1.10:1", "G|Finish|Gray"},
     {}},
    {"BendWithAFinishButNoBand",
     "",
     "E090PC060K090QN",
     {"E|Product Type|E Bend", "090|Waveguide|WR90", "P|Units|in.", "C|Flange A|CPR Flat",
      "060|Length A|6.0", "K|Flange B|UG Choke", "090|Length B|9.0",
      "S|Frequency|8.20 - 12.40 GHz / VSWR: 1.10:1", "N|Finish|Unpainted"},
     {}},
    {"MetricStraightSection",
     "",
     "R090MC0305USG",
     {"R|Product Type|Straight Section", "090|Waveguide|WR90", "M|Units|mm", "C|Flange A|CPR Flat",
      "0305|Length|305", "U|Flange B|UG Cover", "S|Frequency|8.20 - 12.40 GHz / VSWR: 1.05:1",
      "G|Finish|Gray"},
     {}},
    {"ImperialAfterMetric",
     "R090MC0305USG",
     "R090PC0125USG",
     {"R|Product Type|Straight Section", "090|Waveguide|WR90", "P|Units|in.", "C|Flange A|CPR Flat",
      "0125|Length|12.5", "U|Flange B|UG Cover", "S|Frequency|8.20 - 12.40 GHz / VSWR: 1.05:1",
      "G|Finish|Gray"},
     {}},
    {"BendAfterAStraightSection",
     "R090MC0305USG",
     "E090PC060K090QQ",
     {"E|Product Type|E Bend", "090|Waveguide|WR90", "P|Units|in.", "C|Flange A|CPR Flat",
      "060|Length A|6.0", "K|Flange B|UG Choke", "090|Length B|9.0",
      "S|Frequency|8.20 - 12.40 GHz / VSWR: 1.10:1", "G|Finish|Gray"},
     {}},
    {"CoaxWithoutItsType",
     "",
     "C090CQXQ",
     {"C|Product Type|Waveguide to Coax", "090|Waveguide|WR90", "C|Flange A|CPR Flat",
      "G|Finish|Gray"},
     {}},
    {"CoaxWithEveryChoice",
     "",
     "C090CSSG",
     {"C|Product Type|Waveguide to Coax", "090|Waveguide|WR90", "C|Flange A|CPR Flat",
      "S|Coax Type|SMA Female", "S|Frequency|8.20 - 12.40 GHz / VSWR: 1.30:1", "G|Finish|Gray"},
     {}},
    {"FlexibleTwist",
     "",
     "F090PC0240KX",
     {"F|Product Type|Flexible Twist", "090|Waveguide|WR90", "P|Units|in.", "C|Flange A|CPR Flat",
      "0240|Length|24.0", "K|Flange B|UG Choke", "X|Frequency|8.50 - 9.60 GHz / VSWR: 1.12:1"},
     {}},
    {"SpecialQuoteSize",
     "",
     "C028CSSG",
     {"C|Product Type|Waveguide to Coax", "G|Finish|Gray"},
     {"Waveguide size 028 is available by special quote.\rPlease contact your Corvane "
      "represantative for details."}},
    {"StepTwist",
     "",
     "ST090B",
     {"S|Product Type|Step Twist", "090|Waveguide|WR90",
      "S|Frequency|8.20 - 12.40 GHz / VSWR: 1.20:1"},
     {}},
    {"TaperedTransition",
     "",
     "T062UCN",
     {"T|Product Type|Tapered Transition", "062|Waveguide|WR62/WR90", "U|Flange A|UG Cover",
      "C|Flange B|CPR Flat", "S|Frequency|12.40 - 18.00 GHz / VSWR: 1.15:1", "N|Finish|Unpainted"},
     {}},
    // Only the product type is cleared; the part before stays described.
    {"UnknownFamilyAfterABend",
     "E090PC060K090XN",
     "Q090",
     {"E|Product Type|E Bend", "090|Waveguide|WR90", "P|Units|in.", "C|Flange A|CPR Flat",
      "060|Length A|6.0", "K|Flange B|UG Choke", "090|Length B|9.0",
      "X|Frequency|8.50 - 9.60 GHz / VSWR: 1.05:1", "N|Finish|Unpainted"},
     {}},
};

INSTANTIATE_TEST_SUITE_P(PartNumbers, GridAfterParse, ::testing::ValuesIn(GridCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pelmora::testing
