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

} // namespace
} // namespace pelmora::testing
