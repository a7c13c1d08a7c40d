// The first step of the selection cascade: a change of product type, and what the
// family sets on screen 1.
#include "MainForm.h"
#include "SelectionLists.h"
#include "ShowImage.h"
#include "catalogue/AppState.h"
#include "platform/Platform.h"
#include "platform/UntoldMessages.h"

#include <exception>

namespace pelmora {

namespace {

constexpr int PhotoColumn = 6;
constexpr int LengthDrawingColumn = 5;

} // namespace

void MainForm::cbxProductTypeChange() {
    ClearGridCells();
    const TProductFamily family = Family();

    std::optional<std::string> remembered;
    if (!app_.BuildingFromPartNumber && cbxWaveguide.HasSelection())
        remembered = WaveguideField(1);

    BuildWaveguideList(family);

    bool restored = false;
    if (remembered) {
        const int row = FirstRowWithCode(WaveguideList, *remembered);
        if (row >= 0) {
            PickWaveguide(row);
            restored = true;
        }
    }
    if (!restored)
        ClearDependentChoices();

    imgProduct = ShowImage(app_, FamilyField(PhotoColumn), true);
    imgLength = ShowImage(app_, FamilyField(LengthDrawingColumn), true);
    SetLengthPage(family);
    SetSecondGroup(family);

    if (family == pfPressureWindow) {
        FlangeBList = TTxtTable();
        cbxFlangeB.Clear();
        cbxCoax.Clear();
    } else if (family == pfCoax) {
        cbxFlangeB.Clear();
    } else {
        cbxCoax.Clear();
    }
    chkFlangeAdaptorVisible = family == pfStraightSection;

    // The restored waveguide refreshed the grid before the list this family does
    // not use was emptied; describe what is on screen now.
    if (restored)
        RefreshDescription();
}

std::vector<std::string> MainForm::FamilyPictures() const {
    std::vector<std::string> files;
    for (int row = 0; row < FamilyTable.RowCount(); ++row) {
        for (const int column : {PhotoColumn, LengthDrawingColumn}) {
            const PictureState picture = ShowImage(app_, FamilyTable.GetField(row, column), true);
            if (!picture.File.empty())
                files.push_back(picture.File);
        }
    }
    return files;
}

void MainForm::PickEachFamilyAhead() const {
    UntoldMessages untold;
    Platform quiet{untold,          platform_.Help, platform_.Confirm, platform_.Windows,
                   platform_.Files, platform_.Busy, platform_.Print,   platform_.Time,
                   platform_.Net};
    AppState app = app_;
    MainForm scratch(app, quiet);
    scratch.FamilyTable = FamilyTable;
    scratch.FlangeTable = FlangeTable;
    scratch.DimensionsTable = DimensionsTable;
    scratch.cbxProductType = cbxProductType;
    for (int family = 0; family < static_cast<int>(cbxProductType.Items.size()); ++family) {
        try {
            scratch.PickProductType(family);
        } catch (const std::exception&) {
            // Told when the user picks the family.
        }
    }
}

void MainForm::ClearDependentChoices() {
    // The rows behind the lists go with them: a part number applied next must not
    // find its flanges among the last waveguide's.
    FlangeAList = TTxtTable();
    FlangeBList = TTxtTable();
    cbxFlangeA.Clear();
    cbxFlangeB.Clear();
    cbxCoax.Clear();
    txtPresetLength.clear();
    ClearLengthBoxes();
    cbxLength.Enabled = true;
    if (chkFlangeAdaptorChecked)
        ToggleFlangeAdaptor();
    imgFlangeA = {};
    imgFlangeB = {};
    cbxFinish.ItemIndex = -1;
    txtPartNumber.clear();
}

void MainForm::SetLengthPage(TProductFamily family) {
    switch (family) {
    case pfEBend:
    case pfHBend:
    case pfMiterH:
    case pfMiterE:
    case pfUnknown:
        ActiveLengthPage = DualPage;
        cbxLegALength.Editable = cbxLegBLength.Editable = family == pfMiterH || family == pfMiterE;
        break;
    case pfFlexTwist:
        ActiveLengthPage = MultiPage;
        cbxLength.Editable = false;
        cbxLength.Enabled = true;
        break;
    case pfStraightSection:
        ActiveLengthPage = MultiPage;
        cbxLength.Editable = true;
        cbxLength.Enabled = !chkFlangeAdaptorChecked;
        break;
    default:
        ActiveLengthPage = SinglePage;
        break;
    }
}

void MainForm::SetSecondGroup(TProductFamily family) {
    CoaxInFront = family == pfCoax;
    cbxCoax.Enabled = CoaxInFront;
    cbxFlangeB.Enabled = !CoaxInFront && family != pfPressureWindow;
    rgFlangeACaption = CoaxInFront ? " Flange " : " Flange A ";
    rgFlangeBCaption = CoaxInFront ? " Coax Type " : " Flange B ";
    if (family == pfPressureWindow) {
        rgFlangeACaption = " For Fitment to Flange ";
        rgFlangeBCaption.clear();
        cbxCoax.Enabled = false;
    }
}

} // namespace pelmora
