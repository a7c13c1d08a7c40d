// The selection cascade of screen 1: family, waveguide, flanges and coax type.
#include "MainForm.h"
#include "ShowImage.h"
#include "SpecialQuote.h"
#include "catalogue/AppState.h"
#include "catalogue/TableSource.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <set>
#include <unordered_set>

namespace pelmora {

namespace {

std::string FieldOf(const TTxtTable& table, const ComboState& list, int column) {
    if (!list.HasSelection() || list.ItemIndex >= table.RowCount())
        return {};
    return table.GetField(list.ItemIndex, column);
}

int FirstRowWithCode(const TTxtTable& table, const std::string& code) {
    for (int row = 0; row < table.RowCount(); ++row) {
        if (table.FieldView(row, 1) == code)
            return row;
    }
    return -1;
}

void Refill(ComboState& list, const TTxtTable& rows, std::initializer_list<int> columns) {
    list.Clear();
    list.Items.reserve(static_cast<size_t>(rows.RowCount()));
    for (int row = 0; row < rows.RowCount(); ++row) {
        const std::vector<std::string_view> fields = rows.Fields(row);
        std::vector<std::string>& entry = list.Items.emplace_back();
        entry.reserve(columns.size());
        // A column past the row's end reads as its last field, as GetField reads it.
        for (const int column : columns)
            entry.emplace_back(fields[std::min(static_cast<size_t>(column), fields.size()) - 1]);
    }
}

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

std::string MainForm::FamilyField(int column) const {
    return FieldOf(FamilyTable, cbxProductType, column);
}
std::string MainForm::WaveguideField(int column) const {
    return FieldOf(WaveguideList, cbxWaveguide, column);
}
std::string MainForm::FlangeAField(int column) const {
    return FieldOf(FlangeAList, cbxFlangeA, column);
}
std::string MainForm::FlangeBField(int column) const {
    return FieldOf(FlangeBList, cbxFlangeB, column);
}
std::string MainForm::CoaxField(int column) const {
    return FieldOf(FlangeBList, cbxCoax, column);
}

void MainForm::PickProductType(int index) {
    cbxProductType.ItemIndex = index;
    cbxProductTypeChange();
}
void MainForm::PickWaveguide(int index) {
    cbxWaveguide.ItemIndex = index;
    cbxWaveguideChange();
}
void MainForm::PickFlangeA(int index) {
    cbxFlangeA.ItemIndex = index;
    cbxFlangeAChange();
}
void MainForm::PickFlangeB(int index) {
    cbxFlangeB.ItemIndex = index;
    cbxFlangeBChange();
}
void MainForm::PickCoax(int index) {
    cbxCoax.ItemIndex = index;
    cbxCoaxChange();
}
void MainForm::PickFinish(int index) {
    cbxFinish.ItemIndex = index;
    cbxFinishChange();
}

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

    imgProduct = ShowImage(app_, FamilyField(6), true);
    imgLength = ShowImage(app_, FamilyField(5), true);
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

void MainForm::BuildWaveguideList(TProductFamily family) {
    const bool tapered = family == pfTaperedTransition;
    WaveguideColumnWidths =
        tapered ? std::vector<int>{30, 105, 120, 100, 105} : std::vector<int>{30, 60, 60, 60, 60};
    WaveguideDropDownWidth = tapered ? 440 : 260;

    // Loaded into a working table first: when the file cannot be read, the error
    // goes to the caller and the list keeps its previous rows.
    const TableRef source = Tables().LoadOrThrow(tapered ? "Taper.tbl" : "WGSize.tbl");

    // The codes a size must be among: exactly as written, for the WGVSWR letter
    // of the family, or letter case ignored, for the membership tables.
    // One pass over each table: the codes go into a hash set (folded to upper case
    // where letter case does not count), and each size is then one lookup.
    std::unordered_set<std::string_view> exactCodes;
    std::vector<std::string> memberCodes;
    TableRef vswr;
    if (const char* letter = VswrLetter(family)) {
        vswr = Tables().Load("WGVSWR.tbl");
        for (const int v : vswr->RowsWhere(1, letter))
            exactCodes.insert(vswr->FieldView(v, 2));
    } else if (const char* tableName = MembershipTable(family)) {
        Tables().Load(tableName)->GetColumn(1, memberCodes);
    }
    const CaseInsensitiveSet members(memberCodes);
    std::vector<int> offered;
    for (int row = 0; row < source->RowCount(); ++row) {
        const std::string_view code = source->FieldView(row, 1);
        if (exactCodes.count(code) || members.Contains(code))
            offered.push_back(row);
    }
    WaveguideList.Assign(source->Rows(offered));
    WRColumn = tapered ? 3 : 2;
    Refill(cbxWaveguide, WaveguideList, {1, WRColumn, 4, 5, 6});
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

void MainForm::FillStandardFlanges(const std::string& waveguide, TTxtTable& rows,
                                   ComboState& list) {
    rows = FlangeTable.Rows(FlangeTable.RowsWhere(2, waveguide));
    Refill(list, rows, {1, 3, 4});
}

void MainForm::FillPressureWindowFlanges(const std::string& waveguide) {
    const TableRef windows = Tables().Load("PressureWindows.tbl");
    FlangeAList = TTxtTable();
    for (const int p : windows->RowsWhere(1, waveguide)) {
        for (const int row : FlangeTable.RowsWhere(2, waveguide)) {
            if (FlangeTable.FieldView(row, 1) == windows->FieldView(p, 2))
                FlangeAList.Lines.emplace_back(FlangeTable.Line(row));
        }
    }
    Refill(cbxFlangeA, FlangeAList, {1, 3, 4});
}

void MainForm::FillStepTwistFlanges(const std::string& waveguide) {
    const TableRef stepFlanges = Tables().Load("StepFlange.tbl");
    FlangeAList = TTxtTable();
    for (const int s : stepFlanges->RowsWhere(2, waveguide)) {
        for (const int row : FlangeTable.RowsWhere(2, waveguide)) {
            if (FlangeTable.FieldView(row, 1) == stepFlanges->FieldView(s, 1))
                FlangeAList.Lines.emplace_back(FlangeTable.Line(row));
        }
    }
    FlangeBList.Assign(FlangeAList);
    Refill(cbxFlangeA, FlangeAList, {1, 3, 4});
    Refill(cbxFlangeB, FlangeBList, {1, 3, 4});
}

void MainForm::FillCoaxTypes(const std::string& waveguide) {
    const TableRef types = Tables().Load("CoaxType.tbl");
    const TableRef vswr = Tables().Load("CoaxVSWR.tbl");
    // The types the size's rows name, looked up once each: every type against every
    // row would grow with the square of the types.
    std::unordered_set<std::string_view> named;
    for (const int v : vswr->RowsWhere(1, waveguide))
        named.insert(vswr->FieldView(v, 3));
    FlangeBList = TTxtTable();
    for (int t = 0; t < types->RowCount(); ++t) {
        if (named.count(types->FieldView(t, 1)))
            FlangeBList.Lines.emplace_back(types->Line(t));
    }
    SortUnique(FlangeBList.Lines);
    Refill(cbxCoax, FlangeBList, {1, 2});
}

void MainForm::cbxFlangeAChange() {
    imgFlangeA = ShowImage(app_, FlangeAField(5), false);
    if (Family() == pfPressureWindow)
        LoadPressureWindowBands();
    RefreshDescription();
}

void MainForm::cbxFlangeBChange() {
    imgFlangeB = ShowImage(app_, FlangeBField(5), true);
    RefreshDescription();
}

void MainForm::cbxCoaxChange() {
    if (cbxCoax.HasSelection())
        LoadCoaxBands();
    RefreshDescription();
}

void MainForm::cbxFinishChange() {
    RefreshDescription();
}

} // namespace pelmora
