// The rules of the selection cascade, lengths, bands, Create and navigation.
#include "WizardFixture.h"
#include "catalogue/Errors.h"

#include <filesystem>

namespace pelmora::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST_F(WizardTest, FamilyChangeKeepsTheWaveguideAndFlangesWhereTheyExist) {
    PickFamily(pfEBend);
    PickWaveguide("090");
    PickFlangeA("K");
    PickFlangeB("U");
    PickFamily(pfHBend);
    EXPECT_EQ(Main().cbxWaveguide.ItemIndex, 0);
    EXPECT_EQ(Main().cbxFlangeA.Items[Main().cbxFlangeA.ItemIndex][0], "K");
    EXPECT_EQ(Main().cbxFlangeB.Items[Main().cbxFlangeB.ItemIndex][0], "U");

    PickFamily(pfCoax);
    EXPECT_EQ(Main().rgFlangeACaption, " Flange ");
    EXPECT_EQ(Main().rgFlangeBCaption, " Coax Type ");
    EXPECT_TRUE(Main().CoaxInFront);
    EXPECT_EQ(Main().cbxFlangeA.Items[Main().cbxFlangeA.ItemIndex][0], "K");
    EXPECT_TRUE(Main().cbxFlangeB.Items.empty());
    EXPECT_EQ(Main().cbxCoax.ItemIndex, -1);
    // The grid describes what is on screen: no Flange B row is left over.
    EXPECT_EQ(Grid(), (std::vector<std::string>{"C|Product Type|Waveguide to Coax",
                                                "090|Waveguide|WR90", "K|Flange A|UG Choke",
                                                "S|Frequency|8.20 - 12.40 GHz / VSWR: 1.12:1",
                                                "G|Finish|Gray"}));
}

TEST_F(WizardTest, FamilyWithoutTheSizeClearsEveryDependentChoice) {
    PickFamily(pfStraightSection);
    PickWaveguide("062");
    PickFlangeA("U");
    Main().ToggleFlangeAdaptor();
    PickFamily(pfMiterH);
    EXPECT_EQ(Main().cbxWaveguide.ItemIndex, -1);
    EXPECT_TRUE(Main().cbxFlangeA.Items.empty());
    EXPECT_TRUE(Main().cbxLength.Items.empty());
    EXPECT_FALSE(Main().chkFlangeAdaptorChecked);
    EXPECT_FALSE(Main().chkFlangeAdaptorVisible);
    EXPECT_EQ(Main().cbxFinish.ItemIndex, -1);
    EXPECT_EQ(Main().ActiveLengthPage, MainForm::DualPage);
    EXPECT_TRUE(Main().cbxLegALength.Editable);
}

TEST_F(WizardTest, PressureWindowDisablesTheSecondGroupAndLocksTheFinish) {
    PickFamily(pfPressureWindow);
    EXPECT_EQ(Main().rgFlangeACaption, " For Fitment to Flange ");
    EXPECT_EQ(Main().rgFlangeBCaption, "");
    EXPECT_FALSE(Main().cbxFlangeB.Enabled);
    EXPECT_FALSE(Main().cbxCoax.Enabled);
    EXPECT_EQ(Main().ActiveLengthPage, MainForm::SinglePage);
    PickWaveguide("090");
    EXPECT_EQ(Main().cbxFinish.ItemIndex, 1);
    EXPECT_EQ(Main().cbxFinish.Items[1][1], "Unpainted");
    EXPECT_FALSE(Main().cbxFinish.Enabled);
    EXPECT_EQ(Main().txtPresetLength, "N/A");
}

TEST_F(WizardTest, BlackIsOnlyForFlexibleTwists) {
    PickFamily(pfFlexTwist);
    PickWaveguide("090");
    EXPECT_EQ(Main().cbxFinish.Items[1][1], "Black");
    PickFamily(pfStraightSection);
    EXPECT_EQ(Main().cbxFinish.Items[1][1], "Unpainted");
    EXPECT_TRUE(Main().cbxFinish.Enabled);
}

TEST_F(WizardTest, PicturesFallBackToNotAvailable) {
    PickFamily(pfStraightSection);
    EXPECT_EQ(Main().imgProduct.File, folder.Path() + "Images/r.gif");
    EXPECT_EQ(Main().imgLength.File, folder.Path() + "Images/r_dwg.gif");
    PickWaveguide("090");
    PickFlangeA("U");
    EXPECT_EQ(Main().imgFlangeA.File, folder.Path() + "Images/NA.gif");
    EXPECT_FALSE(Main().imgFlangeA.Stretched);
    PickFlangeB("U");
    EXPECT_TRUE(Main().imgFlangeB.Stretched);
    PickFamily(pfTaperedTransition);
    EXPECT_EQ(Main().imgProduct.File, folder.Path() + "Images/NA.gif");
}

TEST_F(WizardTest, SpecialQuoteSizesAreRefusedPerFamily) {
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    PickFlangeA("U");
    PickWaveguide("028");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "Waveguide size 028 is available by special quote.\r"
                                  "Please contact your Corvane represantative for details.");
    EXPECT_EQ(Main().cbxWaveguide.ItemIndex, -1);
    EXPECT_EQ(Main().cbxFlangeA.Items.size(), 3u) << "lists of the previous size stay";

    PickWaveguide("062");
    EXPECT_EQ(Main().cbxFlangeA.Items[Main().cbxFlangeA.ItemIndex][0], "U");

    PickFamily(pfCoax);
    PickWaveguide("051");
    EXPECT_EQ(Messages().size(), 1u) << "051 is ordinary for coax transitions";
    PickWaveguide("028");
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(Main().cbxCoax.Items.empty());
}

TEST_F(WizardTest, FiltersOfferTheSizesTheirTablesList) {
    auto codes = [&] {
        std::vector<std::string> result;
        for (const auto& row : Main().cbxWaveguide.Items)
            result.push_back(row[0]);
        return result;
    };
    PickFamily(pfStraightSection);
    EXPECT_EQ(codes(), (std::vector<std::string>{"090", "062", "051", "028"}));
    PickFamily(pfHBend);
    EXPECT_EQ(codes(), std::vector<std::string>{"090"});
    PickFamily(pfCoax);
    EXPECT_EQ(codes(), (std::vector<std::string>{"090", "051", "028"}));
    PickFamily(pfStepTwist);
    EXPECT_EQ(codes(), (std::vector<std::string>{"090", "062"}));
    PickFamily(pfTaperedTransition);
    EXPECT_EQ(codes(), (std::vector<std::string>{"062", "042", "075"}));
    EXPECT_EQ(Main().WaveguideDropDownWidth, 440);
    PickFamily(pfRigidTwist);
    EXPECT_EQ(Main().WRColumn, 2);
    EXPECT_EQ(Main().WaveguideDropDownWidth, 260);
}

TEST_F(WizardTest, MissingSizeTableKeepsTheListAndReportsTheFileError) {
    PickFamily(pfStraightSection);
    std::filesystem::remove(folder.Path() + "Data/Taper.tbl");
    EXPECT_THROW(PickFamily(pfTaperedTransition), FileError);
    EXPECT_EQ(Main().cbxWaveguide.Items.size(), 4u);
}

TEST_F(WizardTest, MissingSpecificationTableIsReportedAndOffersNothing) {
    std::filesystem::remove(folder.Path() + "Data/WGVSWR.tbl");
    PickFamily(pfStraightSection);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].Text.find("Data/WGVSWR.tbl"), std::string::npos);
    EXPECT_TRUE(Main().cbxWaveguide.Items.empty());
}

TEST_F(WizardTest, ShortRowsAndEmptyKeysAreReadQuietly) {
    WriteTable(folder, "CoaxType.tbl", "C|T\nN\n|empty code");
    WriteTable(folder, "CoaxVSWR.tbl", "W|B|C|V\n090|S|N|1.2:1\n090|S||1.3:1");
    PickFamily(pfCoax);
    PickWaveguide("090");
    EXPECT_EQ(Main().cbxCoax.Items, (Rows{{"N", "N"}, {"", "empty code"}}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WizardTest, StepTwistSelectsItsFirstFlangesEvenAfterOthers) {
    PickFamily(pfStepTwist);
    PickWaveguide("090");
    Main().PickFlangeA(1);
    PickWaveguide("062");
    EXPECT_EQ(Main().cbxFlangeA.ItemIndex, 0);
    EXPECT_EQ(Main().cbxFlangeB.ItemIndex, 0);
    EXPECT_EQ(Main().txtPresetLength, "1.0");
}

TEST_F(WizardTest, StepTwistWithoutABandShowsAnEmptyLength) {
    // Offered through the filter that ignores letter case, found by no exact lookup.
    WriteTable(folder, "StepTwist.tbl", "W|B|R|V|P|L\n09A|S|Wide|1.2:1|ST09AS|1.5");
    WriteTable(folder, "WGSize.tbl", "C|WR|x|M|B|I\n09a|WRx|x|a|b|c");
    PickFamily(pfStepTwist);
    PickWaveguide("09a");
    EXPECT_TRUE(Main().rgFrequency.BandButtons.empty());
    EXPECT_EQ(Main().txtPresetLength, "");
    EXPECT_TRUE(Main().cbxFlangeA.Items.empty());
}

TEST_F(WizardTest, BandsAreRebuiltAndTheCheckedCodeIsKept) {
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    const auto& bands = Main().rgFrequency;
    ASSERT_EQ(bands.Headings.size(), 2u);
    EXPECT_EQ(bands.Headings[0].Text, "Wide Band");
    EXPECT_EQ(bands.Headings[0].Top, 16);
    EXPECT_EQ(bands.BandButtons[0].Top, 32);
    EXPECT_EQ(bands.Headings[1].Top, 48);
    EXPECT_EQ(bands.BandButtons[2].Top, 80);
    EXPECT_EQ(CheckedBand(), "S");
    Main().BandClick(2);
    EXPECT_EQ(CheckedBand(), "Y");
    PickFamily(pfEBend);
    EXPECT_EQ(CheckedBand(), "S") << "E bends do not offer Y";
    Main().BandClick(1);
    PickFamily(pfStraightSection);
    EXPECT_EQ(CheckedBand(), "X");
}

// A length page hidden while the units change lists the new unit's entries when
// it shows again, whatever the next family does with the kept size.
TEST_F(WizardTest, HiddenLengthBoxesFollowAChangeOfUnits) {
    PickFamily(pfFlexTwist);
    PickWaveguide("090");
    PickLength(Main().cbxLength, "13.5");
    PickFamily(pfMiterE);
    const TPelmoraComboBox& hidden = Main().cbxLength;
    auto shownAmongEntries = [&] {
        return hidden.Text.empty() || IndexOf(hidden, hidden.Text) >= 0;
    };
    Main().mnuMetricClick();
    EXPECT_EQ(hidden.Items, hidden.MetricItems);
    EXPECT_TRUE(shownAmongEntries()) << hidden.Text;
    Main().mnuImperialClick();
    EXPECT_EQ(hidden.Items, hidden.ImperialItems);
    EXPECT_TRUE(shownAmongEntries()) << hidden.Text;
}

TEST_F(WizardTest, FlexibleTwistBandsFollowTheLengthClass) {
    PickFamily(pfFlexTwist);
    PickWaveguide("090");
    PickLength(Main().cbxLength, "13.5");
    EXPECT_EQ(BandCodes(), (std::vector<std::string>{"S"}));
    EXPECT_EQ(Main().rgFrequency.BandButtons[0].VswrText, "1.13:1") << "class 18";
    PickLength(Main().cbxLength, "18.0");
    EXPECT_EQ(Main().rgFrequency.BandButtons[0].VswrText, "1.13:1");
    PickLength(Main().cbxLength, "24.0");
    EXPECT_EQ(BandCodes(), (std::vector<std::string>{"S", "X"}));
    PickLength(Main().cbxLength, "4.0");
    EXPECT_EQ(Main().rgFrequency.BandButtons[0].VswrText, "1.05:1") << "class 6";
    Main().mnuMetricClick();
    PickLength(Main().cbxLength, "305");
    EXPECT_EQ(Main().rgFrequency.BandButtons[0].VswrText, "1.10:1") << "12.0 in, class 12";
}

TEST_F(WizardTest, CoaxBandsFollowTheCoaxTypeSortedAndOnce) {
    PickFamily(pfCoax);
    PickWaveguide("090");
    PickCoax("N");
    ASSERT_EQ(Main().rgFrequency.BandButtons.size(), 2u);
    EXPECT_EQ(Main().rgFrequency.BandButtons[0].Caption(), "8.20 - 12.40 GHz / VSWR: 1.25:1");
    PickCoax("S");
    EXPECT_EQ(BandCodes(), std::vector<std::string>{"S"});
    Main().btnOtherFreqRangesClick();
    EXPECT_EQ(Messages().back().Text, "Other frequency ranges are available by special quote.\r"
                                      "Please contact your Corvane represantative for details.");
}

TEST_F(WizardTest, TypedMiterLengthsSnapToTheList) {
    PickFamily(pfMiterH);
    PickWaveguide("090");
    TPelmoraComboBox& legA = Main().cbxLegALength;
    auto type = [&](const std::string& text) {
        Main().LengthBoxEnter(legA);
        Main().TypeLength(legA, text);
        Main().LengthBoxExit(legA);
        return legA.Text;
    };
    EXPECT_EQ(type("12.3"), "12.5");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(type("12"), "12.0");
    EXPECT_EQ(type("30"), "24.0");
    EXPECT_EQ(Messages().back().Text, "Length \"30\" is not available.");
    EXPECT_EQ(type("1"), "2.0");
    EXPECT_EQ(Messages().back().Text, "Length \"1\" is not available.");
    PickLength(legA, "7.5");
    EXPECT_EQ(type("abc"), "7.5");
    EXPECT_EQ(Messages().back().Text, "\"abc\" is not a valid Length value.");
    EXPECT_EQ(Main().FocusedControl, "cbxLegALength");
    EXPECT_EQ(Messages().size(), 3u);
}

// An emptied box left alone is no typed value; a refused one keeps the next Next
// on screen 1, which the user then leaves with the entry put in its place.
TEST_F(WizardTest, OnlyTypedLengthsAreCheckedAndARefusalHoldsOneNext) {
    PickFamily(pfMiterH);
    PickWaveguide("090");
    PickFlangeA("U");
    PickFlangeB("U");
    TPelmoraComboBox& legA = Main().cbxLegALength;
    TPelmoraComboBox& legB = Main().cbxLegBLength;
    Main().LengthBoxEnter(legA);
    Main().TypeLength(legA, "");
    Main().LengthBoxExit(legA);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(legA.Text, "");

    PickLength(legB, "6.0");
    Main().LengthBoxEnter(legA);
    Main().TypeLength(legA, "99");
    Main().LengthBoxExit(legA, true);
    Main().btnNextClick();
    EXPECT_EQ(Main().ActivePage, MainForm::ScreenOne);
    EXPECT_EQ(Messages().size(), 1u) << "the refusal itself, nothing more";
    Main().btnNextClick();
    EXPECT_EQ(Main().ActivePage, MainForm::ScreenTwo);
    EXPECT_EQ(legA.Text, "24.0");
}

// A refusal holds only the Next click that left the box; a box left any other way
// holds no later Next, whatever comes between.
struct LeftBoxCase {
    const char* Name;
    bool ForNextClick;
    bool FlangePickedBetween;
    bool LeftAgainForNext; // the box, back in focus with its entry, left by a click on Next
    int ExpectedPage;
};

class RefusedLengthHold : public WizardTest, public ::testing::WithParamInterface<LeftBoxCase> {};

TEST_P(RefusedLengthHold, HoldsOnlyTheNextClickThatLeftTheBox) {
    const LeftBoxCase& row = GetParam();
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    PickFlangeA("C");
    PickFlangeB("U");
    Main().LengthBoxEnter(Main().cbxLength);
    Main().TypeLength(Main().cbxLength, "48.5");
    Main().LengthBoxExit(Main().cbxLength, row.ForNextClick);
    ASSERT_EQ(Messages().size(), 1u);
    if (row.FlangePickedBetween)
        PickFlangeB("C");
    if (row.LeftAgainForNext) {
        Main().LengthBoxEnter(Main().cbxLength);
        Main().LengthBoxExit(Main().cbxLength, true);
    }
    Main().btnNextClick();
    EXPECT_EQ(Main().ActivePage, row.ExpectedPage);
    EXPECT_EQ(Messages().size(), 1u) << "no second message";
    Main().btnNextClick();
    EXPECT_EQ(Main().ActivePage, MainForm::ScreenTwo);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedLengthHold,
    ::testing::Values(LeftBoxCase{"ClickOnNext", true, false, false, MainForm::ScreenOne},
                      LeftBoxCase{"TabThenNext", false, false, false, MainForm::ScreenTwo},
                      LeftBoxCase{"TabThenFlangeThenNext", false, true, false, MainForm::ScreenTwo},
                      LeftBoxCase{"TabThenClickOnNext", false, false, true, MainForm::ScreenTwo},
                      LeftBoxCase{"ClickOnNextLeavingTheBoxTwice", true, false, true,
                                  MainForm::ScreenOne}),
    [](const auto& info) { return std::string(info.param.Name); });

// The window keeps its tables between actions, and still sees a table edited while
// it runs at the next action.
TEST_F(WizardTest, AnEditedTableCountsAtTheNextAction) {
    TableCache cache;
    app.Cache = &cache;
    PickFamily(pfStraightSection);
    const size_t before = Main().cbxWaveguide.Items.size();
    folder.Write("Data/WGSize.tbl",
                 folder.Read("Data/WGSize.tbl") + "075|WR75|0.75|RG-x|WG17|R120\r\n");
    folder.Write("Data/WGVSWR.tbl", folder.Read("Data/WGVSWR.tbl") + "R|075|S|1.05:1\r\n");
    PickFamily(pfStraightSection);
    ASSERT_EQ(Main().cbxWaveguide.Items.size(), before + 1);
    EXPECT_EQ(Main().cbxWaveguide.Items.back()[1], "WR75");
}

TEST_F(WizardTest, UnitsSwitchCarriesLengthsOverWhereTheOtherListHasThem) {
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    PickFlangeA("U");
    PickFlangeB("U");
    Main().mnuMetricClick();
    EXPECT_EQ(Main().cbxLength.Text, "305");
    EXPECT_EQ(Main().LengthUnitLabel, "mm");
    Main().mnuImperialClick();
    EXPECT_EQ(Main().cbxLength.Text, "12.0");

    PickLength(Main().cbxLength, "12.5");
    Main().btnNextClick();
    ASSERT_EQ(Main().ActivePage, MainForm::ScreenTwo);
    Main().mnuMetricClick();
    EXPECT_EQ(Main().cbxLength.Text, "") << "318 mm is not a metric entry";
    EXPECT_EQ(Main().ActivePage, MainForm::ScreenOne);
    EXPECT_EQ(Main().ScreenCaption, "Wizard - Screen 1 of 2");
}

TEST_F(WizardTest, PresetLengthsConvertAndUnknownPresetsReadUF) {
    PickFamily(pfRigidTwist);
    PickWaveguide("090");
    Main().mnuMetricClick();
    EXPECT_EQ(Main().txtPresetLength, "76");
    Main().mnuImperialClick();
    EXPECT_EQ(Main().txtPresetLength, "3.0");
    WriteTable(folder, "WGVSWR.tbl", "F|W|B|V\nD|062|S|1.1:1");
    PickFamily(pfRigidTwist);
    PickWaveguide("062");
    EXPECT_EQ(Main().txtPresetLength, "U/F");
    PickFlangeA("U");
    PickFlangeB("K");
    Main().btnNextClick();
    EXPECT_EQ(Main().ActivePage, MainForm::ScreenTwo) << "a U/F preset still goes on";
}

TEST_F(WizardTest, PresetLengthHasItsUnitOnlyBesideANumber) {
    PickFamily(pfTaperedTransition);
    EXPECT_EQ(Main().PresetLengthUnitLabel(), "") << "no size chosen, no length";
    PickFamily(pfRigidTwist);
    PickWaveguide("090");
    EXPECT_EQ(Main().PresetLengthUnitLabel(), "inches");
    Main().mnuMetricClick();
    EXPECT_EQ(Main().txtPresetLength, "76");
    EXPECT_EQ(Main().PresetLengthUnitLabel(), "mm");
    PickFamily(pfPressureWindow);
    PickWaveguide("090");
    EXPECT_EQ(Main().txtPresetLength, "N/A");
    EXPECT_EQ(Main().PresetLengthUnitLabel(), "");
    EXPECT_EQ(Main().LengthUnitLabel, "mm") << "the other length boxes keep theirs";
    WriteTable(folder, "WGVSWR.tbl", "F|W|B|V\nD|062|S|1.1:1");
    PickFamily(pfRigidTwist);
    PickWaveguide("062");
    EXPECT_EQ(Main().txtPresetLength, "U/F");
    EXPECT_EQ(Main().PresetLengthUnitLabel(), "");
}

TEST_F(WizardTest, FlangeAdaptorFixesTheLength) {
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    Main().ToggleFlangeAdaptor();
    EXPECT_EQ(Main().cbxLength.Text, "4.0");
    EXPECT_FALSE(Main().cbxLength.Enabled);
    Main().ToggleFlangeAdaptor();
    EXPECT_TRUE(Main().cbxLength.Enabled);
    EXPECT_EQ(Main().cbxLength.Text, "4.0");
    Main().ToggleFlangeAdaptor();
    PickFamily(pfEBend);
    EXPECT_EQ(Main().cbxLegALength.Text, "4.0") << "still ticked while hidden";
}

TEST_F(WizardTest, CreateRefusesWithoutBands) {
    PickFamily(pfTaperedTransition);
    PickWaveguide("075");
    Main().btnCreateClick();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "Unable to create part number. No frequency matches found.\r"
                                  "The part number you were about to create may not be "
                                  "supported.\rPlease contact your Corvane represantative.");
    EXPECT_FALSE(Main().btnAddOrderEnabled);
}

TEST_F(WizardTest, TaperedTransitionWithDifferentFlangesAsksFirst) {
    PickFamily(pfTaperedTransition);
    PickWaveguide("062");
    PickFlangeA("U");
    PickFlangeB("C");
    platform.Confirm.Answers = {ModalResult::Cancel};
    Main().btnCreateClick();
    ASSERT_EQ(platform.Confirm.Shown.size(), 1u);
    EXPECT_EQ(
        platform.Confirm.Shown[0],
        "The waveguide size is different on each end of this part. Please\r"
        "verify your configuration to make sure your flanges are correct.\r\r"
        "Smaller end (WR62) has a UG Cover flange\r\rLarger end (WR90) has a CPR Flat flange");
    EXPECT_EQ(Main().txtPartNumber, "");
    EXPECT_FALSE(Main().btnAddOrderEnabled);
    Main().btnCreateClick();
    EXPECT_EQ(Main().txtPartNumber, "T062UCG");
}

TEST_F(WizardTest, MiterLegsThatDifferInLengthAndFlangeCanBeSwapped) {
    PickFamily(pfMiterE);
    PickWaveguide("090");
    PickFlangeA("U");
    PickFlangeB("C");
    PickLength(Main().cbxLegALength, "9.0");
    PickLength(Main().cbxLegBLength, "6.0");
    platform.Confirm.Answers = {ModalResult::Retry};
    Main().btnCreateClick();
    EXPECT_EQ(platform.Confirm.Shown.back(), "The shorter leg (6.0 in.) has a CPR Flat flange\n"
                                             "The longer leg (9.0 in.) has a UG Cover flange");
    EXPECT_EQ(Main().txtPartNumber, "N090PC090U060SG");

    PickLength(Main().cbxLegALength, "3.0");
    Main().btnCreateClick();
    EXPECT_EQ(platform.Confirm.Shown.back(), "The shorter leg (3.0 in.) has a CPR Flat flange\n"
                                             "The longer leg (6.0 in.) has a UG Cover flange");
    EXPECT_EQ(Main().txtPartNumber, "N090PC030U060SG");
}

// Create on seams that answer its confirmations Continue without showing them.
struct UnaskedCase {
    const char* name;
    TProductFamily family;
    const char* waveguide;
    const char* flangeA;
    const char* flangeB;
    const char* legA; // "" where the family has no legs
    const char* legB;
    const char* partNumber; // as Continue makes it
};

class UnaskedConfirmations : public WizardTest,
                             public ::testing::WithParamInterface<UnaskedCase> {};

TEST_P(UnaskedConfirmations, ComposeAsContinueDoes) {
    const UnaskedCase& c = GetParam();
    PickFamily(c.family);
    PickWaveguide(c.waveguide);
    PickFlangeA(c.flangeA);
    PickFlangeB(c.flangeB);
    if (*c.legA) {
        PickLength(Main().cbxLegALength, c.legA);
        PickLength(Main().cbxLegBLength, c.legB);
    }
    platform.Confirm.Unasked = true;
    platform.Confirm.Answers = {ModalResult::Cancel};
    Main().btnCreateClick();
    EXPECT_TRUE(platform.Confirm.Shown.empty());
    EXPECT_EQ(Main().txtPartNumber, c.partNumber);
    EXPECT_TRUE(Main().btnAddOrderEnabled);
}

INSTANTIATE_TEST_SUITE_P(Create, UnaskedConfirmations,
                         ::testing::Values(UnaskedCase{"TaperedEndsDiffer", pfTaperedTransition,
                                                       "062", "U", "C", "", "", "T062UCG"},
                                           UnaskedCase{"MiterLegsDiffer", pfMiterE, "090", "U", "C",
                                                       "9.0", "6.0", "N090PU090C060SG"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WizardTest, NextNeedsEveryChoiceOfScreenOne) {
    PickFamily(pfMiterH);
    PickWaveguide("090");
    PickFlangeA("U");
    PickFlangeB("U");
    Main().TypeLength(Main().cbxLegBLength, "");
    Main().btnNextClick();
    EXPECT_EQ(Main().ActivePage, MainForm::ScreenOne);
    EXPECT_EQ(Messages().back().Text, "Please fill all options to continue.");
    PickLength(Main().cbxLegBLength, "6.0");
    Main().btnNextClick();
    EXPECT_EQ(Main().ScreenCaption, "Wizard - Screen 2 of 2");
    Main().btnBackClick();
    EXPECT_EQ(Main().ActivePage, MainForm::ScreenOne);
}

TEST_F(WizardTest, FinishAsksBeforeClosing) {
    platform.Messages.Answers = {false, true};
    Main().btnFinishClick();
    EXPECT_FALSE(Main().CloseRequested);
    Main().btnFinishClick();
    EXPECT_TRUE(Main().CloseRequested);
    EXPECT_EQ(Messages().back().Text, "Do you wish to exit now?");
}

TEST_F(WizardTest, AnySelectionChangeClearsThePartNumber) {
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    PickFlangeA("U");
    PickFlangeB("U");
    Main().btnCreateClick();
    ASSERT_FALSE(Main().txtPartNumber.empty());
    Main().PickFinish(1);
    EXPECT_EQ(Main().txtPartNumber, "");
    EXPECT_FALSE(Main().btnAddOrderEnabled);
    EXPECT_FALSE(Main().btnViewSpecsEnabled);
    EXPECT_EQ(Grid().back(), "N|Finish|Unpainted");
}

TEST_F(WizardTest, ResetSettingsLeavesNothingDescribed) {
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    PickFlangeA("U");
    PickFlangeB("U");
    Main().btnCreateClick();
    Main().mnuResetSettingsClick();
    EXPECT_TRUE(Grid().empty());
    EXPECT_TRUE(Main().rgFrequency.BandButtons.empty());
    EXPECT_FALSE(Main().btnAddOrderEnabled);
    EXPECT_FALSE(Main().btnViewSpecsEnabled);
    EXPECT_EQ(Main().ActiveLengthPage, MainForm::DualPage) << "the page of no family";
    EXPECT_FALSE(Main().cbxLegALength.Editable);
}

TEST_F(WizardTest, StartUpGridHoldsOnlyTheFinish) {
    EXPECT_EQ(Grid(), std::vector<std::string>{"G|Finish|Gray"});
}

} // namespace
} // namespace pelmora::testing
