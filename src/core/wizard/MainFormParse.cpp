// Rebuilding every wizard choice from a part number.
#include "MainForm.h"
#include "SelectionLists.h"
#include "catalogue/AppState.h"
#include "partnumber/PartNumber.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/UntoldMessages.h"

namespace pelmora {

namespace {

bool HasLegs(TProductFamily family) {
    return family == pfEBend || family == pfHBend || family == pfMiterH || family == pfMiterE;
}

bool CarriesBand(TProductFamily family) {
    return family != pfTaperedTransition && family != pfStepTwist && family != pfPressureWindow &&
           family != pfUnknown;
}

bool CarriesFinish(TProductFamily family) {
    return family != pfFlexTwist && family != pfStepTwist && family != pfPressureWindow &&
           family != pfUnknown;
}

} // namespace

void MainForm::ApplyPartNumber(const std::string& text) {
    if (text.empty())
        return;
    // The cursor and the flags come back whatever happens on the way.
    struct Building {
        AppState& app;
        BusyCursor& busy;
        bool& applying;
        Building(AppState& a, BusyCursor& b, bool& p) : app(a), busy(b), applying(p) {
            busy.Show(true);
            app.BuildingFromPartNumber = true;
            applying = true;
        }
        ~Building() {
            busy.Show(false);
            app.BuildingFromPartNumber = false;
            applying = false;
        }
    } building(app_, platform_.Busy, applyingPartNumber_);

    ParsePartNumber(text);
    // Whichever choice the part number stopped at, the grid describes them all; a
    // part number of no family leaves everything but the product type as it was.
    if (Family() != pfUnknown) {
        UntoldMessages untold;
        ClearGridCells();
        FillDescriptionGrid(Family(), untold);
        txtPartNumber.clear();
        btnAddOrderEnabled = false;
        btnViewSpecsEnabled = false;
    }
    ShowScreen(ScreenOne);
}

int MainForm::LengthEntryFor(const TPelmoraComboBox& box, const std::string& digits,
                             TProductFamily family) const {
    for (size_t i = 0; i < box.Items.size(); ++i) {
        const std::optional<bool> plain = PlainLengthMatches(box.Items[i], family, digits);
        if (plain ? *plain : EncodeLength(box.Items[i], family, platform_.Messages) == digits)
            return static_cast<int>(i);
    }
    return -1;
}

void MainForm::ParsePartNumber(const std::string& text) {
    const TProductFamily family = ClassifyFamily(text, app_.Tables(platform_.Messages));
    if (family == pfUnknown) {
        cbxProductType.ItemIndex = -1;
        return;
    }
    auto field = [&](TPartNumberField which) {
        return ExtractPartNumberField(text, family, which);
    };

    PickProductType(family);
    if (const std::string units = field(pnfUnits); units != "N")
        units == "P" ? mnuImperialClick() : mnuMetricClick();

    const std::string waveguide =
        field(family == pfStepTwist ? pnfStepTwistWaveguide : pnfWaveguide);
    if (const int row = FirstRowWithCode(WaveguideList, waveguide); row >= 0)
        PickWaveguide(row);
    if (const int row = FirstRowWithCode(FlangeAList, field(pnfFlangeA)); row >= 0)
        PickFlangeA(row);
    if (const int row = FirstRowWithCode(FlangeBList, field(pnfFlangeB)); row >= 0)
        family == pfCoax ? PickCoax(row) : PickFlangeB(row);

    if (HasLegs(family)) {
        SelectLengthEntry(cbxLegALength, LengthEntryFor(cbxLegALength, field(pnfLength), family));
        SelectLengthEntry(cbxLegBLength,
                          LengthEntryFor(cbxLegBLength, field(pnfLegBLength), family));
    } else if (family == pfFlexTwist || family == pfStraightSection) {
        SelectLengthEntry(cbxLength, LengthEntryFor(cbxLength, field(pnfLength), family));
        cbxLengthChange();
    }

    if (CarriesBand(family)) {
        const std::string band = field(pnfBand);
        for (size_t i = 0; i < rgFrequency.BandButtons.size(); ++i) {
            if (rgFrequency.BandButtons[i].BandCode == band) {
                BandClick(static_cast<int>(i));
                break;
            }
        }
    }
    if (CarriesFinish(family)) {
        const std::string finish = field(pnfFinish);
        if (finish == "G")
            PickFinish(0);
        else if (finish == "N")
            PickFinish(1);
    }
}

} // namespace pelmora
