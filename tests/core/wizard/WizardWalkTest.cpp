// Every family walked from its choice to Create, as a user walks it.
#include "WizardFixture.h"
#include "order/AddOrderForm.h"
#include "order/OrderForm.h"

namespace pelmora::testing {
namespace {

class WizardWalk : public WizardTest {
protected:
    void NextAndCreate() {
        Main().btnNextClick();
        ASSERT_EQ(Main().ActivePage, MainForm::ScreenTwo) << "screen 1 incomplete";
        Main().btnCreateClick();
    }
};

TEST_F(WizardWalk, StraightSectionOrdersItsFlangesAndDescribesEveryChoice) {
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    PickFlangeA("U");
    PickFlangeB("C");
    EXPECT_EQ(Main().cbxLength.Text, "12.0");
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "R090PC0120USG");
    EXPECT_EQ(Main().BuildOrderDescription(),
              "Straight Section, WR90, UG Cover, Length: 12.0, CPR Flat, "
              "8.20 - 12.40 GHz / VSWR: 1.05:1, Gray");
    EXPECT_TRUE(Main().btnAddOrderEnabled);
    EXPECT_TRUE(Main().btnViewSpecsEnabled);
    EXPECT_EQ(Grid(), (std::vector<std::string>{
                          "R|Product Type|Straight Section", "090|Waveguide|WR90", "P|Units|in.",
                          "U|Flange A|UG Cover", "0120|Length|12.0", "C|Flange B|CPR Flat",
                          "S|Frequency|8.20 - 12.40 GHz / VSWR: 1.05:1", "G|Finish|Gray"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WizardWalk, CreatedPartGoesIntoTheOrderThroughTheAddDialog) {
    AddOrderForm addOrder(app, platform.Seams);
    OrderForm order(app, platform.Seams, addOrder, [](const std::string&) {});
    Main().UseOrderForms(addOrder, order);
    platform.Windows.AddToOrder = [&] {
        addOrder.FormShow();
        addOrder.btnAddClick();
        return true;
    };
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    PickFlangeA("U");
    PickFlangeB("C");
    NextAndCreate();
    Main().btnAddOrderClick();
    ASSERT_EQ(Main().OrderLines.RowCount(), 1);
    EXPECT_EQ(Main().OrderLines.GetField(0, 4), "R090PC0120USG");
    EXPECT_EQ(Main().OrderLines.GetField(0, 5).substr(0, 24), "Straight Section, WR90, ");

    bool shown = false;
    platform.Windows.Order = [&] { shown = true; };
    Main().btnViewOrderClick();
    EXPECT_TRUE(shown);
}

TEST_F(WizardWalk, StraightSectionInMetric) {
    Main().mnuMetricClick();
    PickFamily(pfStraightSection);
    PickWaveguide("090");
    PickFlangeA("C");
    PickFlangeB("U");
    EXPECT_EQ(Main().cbxLength.Text, "305");
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "R090MC0305USG");
}

TEST_F(WizardWalk, CoaxTransitionAlwaysEndsInGray) {
    PickFamily(pfCoax);
    PickWaveguide("090");
    EXPECT_EQ(Main().txtPresetLength, "N/A");
    EXPECT_EQ(Main().cbxCoax.Items,
              (std::vector<std::vector<std::string>>{{"N", "Type N Female"}, {"S", "SMA Female"}}));
    PickFlangeA("C");
    PickCoax("N");
    EXPECT_EQ(BandCodes(), (std::vector<std::string>{"S", "X"}));
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "C090CNSG");
    EXPECT_EQ(Main().BuildOrderDescription(),
              "Waveguide to Coax Transititon, WR90, CPR Flat, "
              "Type N Female, 8.20 - 12.40 GHz / VSWR: 1.25:1, Gray");
}

TEST_F(WizardWalk, RigidTwistKeepsItsFlangesInPlace) {
    PickFamily(pfRigidTwist);
    PickWaveguide("090");
    EXPECT_EQ(Main().txtPresetLength, "3.0");
    PickFlangeA("K");
    PickFlangeB("C");
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "D090KCSG");
    EXPECT_EQ(Main().BuildOrderDescription(),
              "90\xB0 Twist, WR90, UG Choke, CPR Flat, 8.20 - 12.40 GHz / VSWR: 1.15:1, Gray");
}

// Flange K on leg A of 6.0 in and C on leg B of 9.0 in: the part number orders the
// flanges and takes each leg along, so K is still on the 6.0 in leg; parsed back,
// it shows flange C on a 9.0 in leg A.
TEST_F(WizardWalk, EBendOrdersItsFlangesWithTheirLegs) {
    PickFamily(pfEBend);
    PickWaveguide("090");
    PickFlangeA("K");
    PickFlangeB("C");
    PickLength(Main().cbxLegALength, "6.0");
    PickLength(Main().cbxLegBLength, "9.0");
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "E090PC090K060SG");
    EXPECT_EQ(Main().BuildOrderDescription(),
              "E Bend 90\xB0, WR90, UG Choke, Leg A Length: 6.0, CPR Flat, Leg B Length: 9.0, "
              "8.20 - 12.40 GHz / VSWR: 1.10:1, Gray");

    Main().ApplyPartNumber("E090PC090K060SG");
    EXPECT_EQ(Main().cbxFlangeA.Items[static_cast<size_t>(Main().cbxFlangeA.ItemIndex)][0], "C");
    EXPECT_EQ(Main().cbxLegALength.Text, "9.0");
    EXPECT_EQ(Main().cbxFlangeB.Items[static_cast<size_t>(Main().cbxFlangeB.ItemIndex)][0], "K");
    EXPECT_EQ(Main().cbxLegBLength.Text, "6.0");
}

TEST_F(WizardWalk, HBendOffersTheSizesOfTheERows) {
    PickFamily(pfHBend);
    ASSERT_EQ(Main().cbxWaveguide.Items.size(), 1u);
    PickWaveguide("090");
    PickFlangeA("C");
    PickFlangeB("C");
    EXPECT_EQ(BandCodes(), (std::vector<std::string>{"S"}));
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "H090PC030C030SG");
    EXPECT_EQ(Main().BuildOrderDescription().substr(0, 19), "H Bend 90\xB0, WR90, C");
}

TEST_F(WizardWalk, FlexibleTwistHasNoFinishLetter) {
    PickFamily(pfFlexTwist);
    PickWaveguide("090");
    EXPECT_EQ(Main().cbxFinish.Items[1][1], "Black");
    EXPECT_EQ(Main().cbxFinish.ItemIndex, 1);
    EXPECT_FALSE(Main().cbxFinish.Enabled);
    PickFlangeA("K");
    PickFlangeB("C");
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "F090PC0120KS");
    EXPECT_EQ(Main().BuildOrderDescription(), "Flexible Twist, WR90, UG Choke, Length: 12.0, "
                                              "CPR Flat, 8.20 - 12.40 GHz / VSWR: 1.10:1");
    for (const auto& row : Grid())
        EXPECT_EQ(row.find("Finish"), std::string::npos);
}

TEST_F(WizardWalk, MiterBendWithEqualLegsComposesWithoutAQuestion) {
    PickFamily(pfMiterH);
    PickWaveguide("090");
    PickFlangeA("K");
    PickFlangeB("C");
    EXPECT_EQ(Main().cbxLegALength.Text, "6.0");
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "M090PK060C060SG");
    EXPECT_EQ(Main().BuildOrderDescription().substr(0, 34),
              "90\xB0 Miter H, WR90, UG Choke, Leg A");
    EXPECT_TRUE(platform.Confirm.Shown.empty());
}

TEST_F(WizardWalk, PressureWindowTakesItsPartNumberFromTheTable) {
    PickFamily(pfPressureWindow);
    PickWaveguide("090");
    EXPECT_EQ(Main().cbxFlangeA.Items.size(), 2u);
    PickFlangeA("U");
    EXPECT_EQ(BandCodes(), (std::vector<std::string>{"S"}));
    EXPECT_EQ(Main().rgFrequency.BandButtons[0].VswrText, "1.07:1");
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "PW090U");
    EXPECT_EQ(Main().BuildOrderDescription(),
              "Pressure Window, WR90, UG Cover, 8.20 - 12.40 GHz / VSWR: 1.07:1");
    EXPECT_TRUE(Main().btnAddOrderEnabled);
    EXPECT_FALSE(Main().btnViewSpecsEnabled);
}

TEST_F(WizardWalk, StepTwistPicksItsFlangesAndTakesItsPartNumberFromTheTable) {
    PickFamily(pfStepTwist);
    PickWaveguide("090");
    EXPECT_EQ(BandCodes(), (std::vector<std::string>{"S", "A", "B"}));
    EXPECT_EQ(Main().txtPresetLength, "1.5");
    EXPECT_EQ(Main().cbxFlangeA.ItemIndex, 0);
    EXPECT_EQ(Main().cbxFlangeB.ItemIndex, 0);
    EXPECT_FALSE(Main().cbxFinish.Enabled);
    EXPECT_EQ(Main().cbxFinish.ItemIndex, -1);
    Main().BandClick(2);
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "ST090B");
    EXPECT_EQ(Main().BuildOrderDescription(),
              "90\xB0 Step-Twist, WR90, UG Choke, UG Choke, 10.00 - 11.00 GHz / VSWR: 1.15:1");
    EXPECT_FALSE(Main().btnViewSpecsEnabled);
}

TEST_F(WizardWalk, TaperedTransitionWithOneFlangeCodeAtBothEnds) {
    PickFamily(pfTaperedTransition);
    EXPECT_EQ(Main().WRColumn, 3);
    EXPECT_EQ(Main().cbxWaveguide.Items[0],
              (std::vector<std::string>{"062", "WR62/WR90", "WR62 - WR90", "WG18 - WG16",
                                        "R140 - R100"}));
    PickWaveguide("062");
    EXPECT_EQ(Main().txtPresetLength, "4.0");
    EXPECT_EQ(Main().cbxFlangeB.Items.size(), 3u);
    PickFlangeA("U");
    PickFlangeB("U");
    NextAndCreate();
    EXPECT_EQ(Main().txtPartNumber, "T062UUG");
    EXPECT_EQ(Main().BuildOrderDescription(),
              "Tapered Transition, WR62/WR90, UG Cover, UG Cover, 12.40 - 18.00 GHz / VSWR: "
              "1.15:1, Gray");
    EXPECT_TRUE(platform.Confirm.Shown.empty());
}

} // namespace
} // namespace pelmora::testing
