// Every part number the shipped catalogue can produce, composed in one wizard,
// parsed into another and composed again, comes out the same. Each choice of
// every list is varied in turn (not their full product), for every size of every
// family, in both units where the part number carries them.
#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "wizard/MainForm.h"
#include "wizard/SpecialQuote.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace pelmora::testing {
namespace {

const std::string Shipped = PELMORA_SHIPPED_DIR;

struct Wizard {
    Wizard() {
        app.SetFolders(Shipped);
        form = std::make_unique<MainForm>(app, platform.Seams);
        form->FormCreate();
    }
    AppState app;
    FakePlatform platform;
    std::unique_ptr<MainForm> form;
};

class RoundTrip : public ::testing::TestWithParam<TProductFamily> {
protected:
    // Creates the part on screen, parses it into the other wizard and creates it
    // there again.
    void Check() {
        MainForm& from = *composer.form;
        from.btnCreateClick();
        const std::string part = from.txtPartNumber;
        ASSERT_FALSE(part.empty()) << "nothing composed for size " << Size();
        MainForm& to = *parser.form;
        to.ApplyPartNumber(part);
        ++checked;
        if (GetParam() == pfPressureWindow) {
            EXPECT_EQ(to.cbxProductType.ItemIndex, -1) << part;
            return;
        }
        ASSERT_EQ(to.Family(), GetParam()) << part;
        ASSERT_EQ(to.cbxWaveguide.ItemIndex, from.cbxWaveguide.ItemIndex) << part;
        if (GetParam() == pfStepTwist)
            return;
        to.btnCreateClick();
        EXPECT_EQ(to.txtPartNumber, part);
    }

    std::string Size() const {
        const MainForm& from = *composer.form;
        return from.cbxWaveguide.Items[static_cast<size_t>(from.cbxWaveguide.ItemIndex)][0];
    }

    // Each entry of the list in turn, then back to the first.
    void Vary(size_t count, const std::function<void(int)>& pick) {
        for (size_t i = 0; i < count; ++i) {
            pick(static_cast<int>(i));
            Check();
        }
        if (count > 0)
            pick(0);
    }

    void VaryEverything() {
        MainForm& from = *composer.form;
        const TProductFamily family = GetParam();
        if (!from.cbxFlangeA.Items.empty())
            from.PickFlangeA(0);
        if (family == pfCoax && !from.cbxCoax.Items.empty())
            from.PickCoax(0);
        if (family != pfCoax && !from.cbxFlangeB.Items.empty())
            from.PickFlangeB(0);
        for (TPelmoraComboBox* box : {&from.cbxLength, &from.cbxLegALength, &from.cbxLegBLength}) {
            if (box->ItemIndex < 0 && !box->Items.empty())
                from.PickLength(*box, 0);
        }
        // A size without bands, flanges or lengths cannot be created at all.
        if (from.rgFrequency.BandButtons.empty() || !from.ScreenOneComplete())
            return;
        Vary(from.cbxFlangeA.Items.size(), [&](int i) { from.PickFlangeA(i); });
        if (family == pfCoax)
            Vary(from.cbxCoax.Items.size(), [&](int i) { from.PickCoax(i); });
        else
            Vary(from.cbxFlangeB.Items.size(), [&](int i) { from.PickFlangeB(i); });
        for (TPelmoraComboBox* box : {&from.cbxLength, &from.cbxLegALength, &from.cbxLegBLength}) {
            const bool used = box == &from.cbxLength ? from.ActiveLengthPage == MainForm::MultiPage
                                                     : from.ActiveLengthPage == MainForm::DualPage;
            if (used)
                Vary(box->Items.size(), [&](int i) { from.PickLength(*box, i); });
        }
        Vary(from.rgFrequency.BandButtons.size(), [&](int i) { from.BandClick(i); });
        if (from.cbxFinish.Enabled)
            Vary(from.cbxFinish.Items.size(), [&](int i) { from.PickFinish(i); });
    }

    Wizard composer;
    Wizard parser;
    int checked = 0;
};

TEST_P(RoundTrip, EveryChoiceOfEverySizeParsesBackToTheSamePartNumber) {
    MainForm& from = *composer.form;
    const TProductFamily family = GetParam();
    from.PickProductType(family);
    const bool hasUnits = family == pfEBend || family == pfHBend || family == pfMiterH ||
                          family == pfMiterE || family == pfFlexTwist ||
                          family == pfStraightSection;
    for (bool imperial : {true, false}) {
        if (!imperial && !hasUnits)
            break;
        imperial ? from.mnuImperialClick() : from.mnuMetricClick();
        for (size_t size = 0; size < from.cbxWaveguide.Items.size(); ++size) {
            if (IsSpecialQuote(from.cbxWaveguide.Items[size][0], family))
                continue;
            from.PickWaveguide(static_cast<int>(size));
            VaryEverything();
        }
    }
    EXPECT_GT(checked, 0);
    EXPECT_TRUE(composer.platform.Messages.Log.empty());
    EXPECT_TRUE(parser.platform.Messages.Log.empty());
}

INSTANTIATE_TEST_SUITE_P(ShippedCatalogue, RoundTrip,
                         ::testing::Values(pfCoax, pfRigidTwist, pfEBend, pfFlexTwist, pfHBend,
                                           pfMiterH, pfMiterE, pfPressureWindow, pfStraightSection,
                                           pfStepTwist, pfTaperedTransition),
                         [](const auto& info) { return std::to_string(info.param); });

} // namespace
} // namespace pelmora::testing
