// The waveguide step of the selection cascade: the sizes a family offers, and a
// change of waveguide refilling the lists that depend on it.
#include "MainForm.h"
#include "SelectionLists.h"
#include "SpecialQuote.h"
#include "catalogue/AppState.h"
#include "catalogue/TableSource.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

namespace pelmora {

namespace {

// The WGVSWR.tbl letter whose rows offer a size to the family; H bends are offered
// the sizes of the E rows.
const char* VswrLetter(TProductFamily family) {
    switch (family) {
    case pfRigidTwist:
        return "D";
    case pfEBend:
    case pfHBend:
        return "E";
    case pfMiterH:
        return "M";
    case pfMiterE:
        return "N";
    case pfStraightSection:
        return "R";
    case pfTaperedTransition:
        return "T";
    default:
        return nullptr;
    }
}

// The table whose first column lists the sizes offered, letter case ignored.
const char* MembershipTable(TProductFamily family) {
    switch (family) {
    case pfCoax:
        return "CoaxVSWR.tbl";
    case pfFlexTwist:
        return "FlexVSWR.tbl";
    case pfPressureWindow:
        return "PressureWindows.tbl";
    case pfStepTwist:
        return "StepTwist.tbl";
    default:
        return nullptr;
    }
}

} // namespace

void MainForm::BuildWaveguideList(TProductFamily family) {
    const bool tapered = family == pfTaperedTransition;
    WaveguideColumnWidths =
        tapered ? std::vector<int>{30, 105, 120, 100, 105} : std::vector<int>{30, 60, 60, 60, 60};
    WaveguideDropDownWidth = tapered ? 440 : 260;
    const int wrColumn = tapered ? 3 : 2;

    // Loaded into a working table first: when the file cannot be read, the error
    // goes to the caller and the list keeps its previous rows.
    const TableRef source = Tables().LoadOrThrow(tapered ? "Taper.tbl" : "WGSize.tbl");
    const char* letter = VswrLetter(family);
    const char* membershipName = letter ? nullptr : MembershipTable(family);
    std::vector<TableRef> from{source};
    if (letter)
        from.push_back(Tables().Load("WGVSWR.tbl"));
    else if (membershipName)
        from.push_back(Tables().Load(membershipName));

    // Worked out once for the tables as they are, then shared by every action and
    // every copy of the form until one of the files changes.
    const auto offered = Tables().Derive<OfferedSizes>(
        "offered sizes of family " + std::to_string(family), from, [&] {
            return OfferSizes(*source, letter, from.size() > 1 ? from[1].get() : nullptr,
                              {1, wrColumn, 4, 5, 6});
        });
    WaveguideList.Assign(offered->Rows);
    WRColumn = wrColumn;
    cbxWaveguide.Items = offered->Entries;
    cbxWaveguide.ItemIndex = -1;
}

void MainForm::ApplyFinishRule(TProductFamily family) {
    cbxFinish.Enabled = true;
    const int remembered = cbxFinish.ItemIndex;
    cbxFinish.Items[1][1] = "Unpainted";
    switch (family) {
    case pfCoax:
        cbxFinish.ItemIndex = 0;
        cbxFinish.Enabled = false;
        break;
    case pfFlexTwist:
        cbxFinish.Items[1][1] = "Black";
        cbxFinish.ItemIndex = 1;
        cbxFinish.Enabled = false;
        break;
    case pfPressureWindow:
        cbxFinish.ItemIndex = 1;
        cbxFinish.Enabled = false;
        break;
    case pfStepTwist:
        cbxFinish.ItemIndex = -1;
        cbxFinish.Enabled = false;
        break;
    default:
        cbxFinish.ItemIndex = remembered >= 0 ? remembered : 0;
        break;
    }
}

void MainForm::cbxWaveguideChange() {
    if (!cbxWaveguide.HasSelection())
        return;
    const TProductFamily family = Family();
    const std::string code = WaveguideField(1);
    if (IsSpecialQuote(code, family)) {
        platform_.Messages.Information(SpecialQuoteMessage(code));
        cbxWaveguide.ItemIndex = -1;
        if (family == pfCoax)
            cbxCoax.Clear();
        return;
    }

    std::optional<std::string> flangeA;
    std::optional<std::string> flangeB;
    if (!app_.BuildingFromPartNumber) {
        if (cbxFlangeA.HasSelection())
            flangeA = FlangeAField(1);
        if (family == pfCoax && cbxCoax.HasSelection())
            flangeB = CoaxField(1);
        else if (family != pfCoax && family != pfPressureWindow && cbxFlangeB.HasSelection())
            flangeB = FlangeBField(1);
    }

    imgFlangeA = {};
    imgFlangeB = {};
    ApplyFinishRule(family);
    FillFamilyLists(family);
    if (!app_.BuildingFromPartNumber)
        RestoreFlanges(family, flangeA, flangeB);
}

void MainForm::FillFamilyLists(TProductFamily family) {
    const std::string code = WaveguideField(1);
    switch (family) {
    case pfCoax:
        FillStandardFlanges(code, FlangeAList, cbxFlangeA);
        FillCoaxTypes(code);
        txtPresetLength = "N/A";
        break;
    case pfRigidTwist:
        FillStandardFlanges(code, FlangeAList, cbxFlangeA);
        FillStandardFlanges(code, FlangeBList, cbxFlangeB);
        FillPresetLength();
        LoadWaveguideBands();
        break;
    case pfEBend:
    case pfHBend:
    case pfMiterH:
    case pfMiterE:
        FillStandardFlanges(code, FlangeAList, cbxFlangeA);
        FillStandardFlanges(code, FlangeBList, cbxFlangeB);
        FillRangeLengths(cbxLegALength);
        FillRangeLengths(cbxLegBLength);
        LoadWaveguideBands();
        break;
    case pfFlexTwist:
        FillStandardFlanges(code, FlangeAList, cbxFlangeA);
        FillStandardFlanges(code, FlangeBList, cbxFlangeB);
        FillFlexLengths(cbxLength);
        LoadFlexTwistBands();
        break;
    case pfPressureWindow:
        FillPressureWindowFlanges(code);
        txtPresetLength = "N/A";
        break;
    case pfStraightSection:
        FillStandardFlanges(code, FlangeAList, cbxFlangeA);
        FillStandardFlanges(code, FlangeBList, cbxFlangeB);
        FillRangeLengths(cbxLength);
        LoadWaveguideBands();
        break;
    case pfStepTwist:
        LoadStepTwistBands();
        FillStepTwistLength(code);
        FillStepTwistFlanges(code);
        break;
    case pfTaperedTransition:
        FillStandardFlanges(code, FlangeAList, cbxFlangeA);
        FillStandardFlanges(WaveguideField(2), FlangeBList, cbxFlangeB);
        FillPresetLength();
        LoadWaveguideBands();
        break;
    case pfUnknown:
        break;
    }
}

void MainForm::RestoreFlanges(TProductFamily family, const std::optional<std::string>& flangeA,
                              const std::optional<std::string>& flangeB) {
    if (family == pfStepTwist) {
        if (!cbxFlangeA.Items.empty())
            PickFlangeA(0);
        if (!cbxFlangeB.Items.empty())
            PickFlangeB(0);
        return;
    }
    if (flangeA) {
        const int row = FirstRowWithCode(FlangeAList, *flangeA);
        if (row >= 0)
            PickFlangeA(row);
    }
    if (flangeB) {
        const int row = FirstRowWithCode(FlangeBList, *flangeB);
        if (row >= 0 && family == pfCoax)
            PickCoax(row);
        else if (row >= 0)
            PickFlangeB(row);
    }
}

} // namespace pelmora
