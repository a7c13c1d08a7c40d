// Lengths and units: the length lists of each family, typed lengths, the units
// switch.
#include "LengthLists.h"
#include "MainForm.h"
#include "catalogue/AppState.h"
#include "catalogue/Numbers.h"
#include "catalogue/TableSource.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <algorithm>
#include <utility>

namespace pelmora {

namespace {

constexpr const char* FlangeAdaptorInches = "4.0";
constexpr const char* FlangeAdaptorMm = "102";

int IndexOf(const std::vector<std::string>& list, const std::string& text) {
    const auto found = std::find(list.begin(), list.end(), text);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

std::string DefaultEntry(const std::string& text, bool imperial) {
    const auto value = ParseNumber(text);
    if (!value)
        return {};
    return imperial ? ImperialEntry(*value) : MetricEntry(*value);
}

std::string ConvertedEntry(double value, bool toImperial) {
    return toImperial ? ImperialEntry(MmToInches(value)) : MetricEntry(InchesToMm(value));
}

} // namespace

void MainForm::ClearLengthBoxes() {
    cbxLength.Clear();
    cbxLegALength.Clear();
    cbxLegBLength.Clear();
}

void MainForm::ShowUnitsList(TPelmoraComboBox& box) {
    box.Items = (app_.ImperialUnits ? box.ImperialItems : box.MetricItems).Entries();
    box.ItemIndex = -1;
    box.Text.clear();
}

void MainForm::SelectLengthEntry(TPelmoraComboBox& box, int index) {
    box.ItemIndex = index < static_cast<int>(box.Items.size()) ? index : -1;
    box.Text = box.ItemIndex >= 0 ? box.Items[static_cast<size_t>(box.ItemIndex)] : std::string();
}

void MainForm::FillRangeLengths(TPelmoraComboBox& box) {
    const std::string imperialStep = FamilyField(3);
    const std::string metricStep = FamilyField(4);
    box.Clear();
    const std::string letter = FamilyField(1);
    const std::string waveguide = WaveguideField(1);
    for (const int row : DimensionsTable.RowsWhere(2, waveguide)) {
        if (DimensionsTable.FieldView(row, 1) != letter)
            continue;
        const LengthEntries entries =
            RangeLengths(imperialStep, metricStep, DimensionsTable.GetField(row, 3),
                         DimensionsTable.GetField(row, 4), DimensionsTable.GetField(row, 5));
        box.ImperialItems = entries.Imperial;
        box.MetricItems = entries.Metric;
        ShowUnitsList(box);
        std::string preferred = DefaultEntry(
            DimensionsTable.GetField(row, app_.ImperialUnits ? 6 : 7), app_.ImperialUnits);
        if (chkFlangeAdaptorChecked)
            preferred = app_.ImperialUnits ? FlangeAdaptorInches : FlangeAdaptorMm;
        SelectLengthEntry(box, IndexOf(box.Items, preferred));
        return;
    }
}

void MainForm::FillFlexLengths(TPelmoraComboBox& box) {
    const TableRef specs = Tables().Load("FlexSpecs.tbl");
    const TableRef imperial = Tables().Load("FlexImperialLengths.tbl");
    const TableRef metric = Tables().Load("FlexMetricLengths.tbl");
    box.Clear();

    const std::string waveguide = WaveguideField(1);
    for (int row = 0; row < specs->RowCount(); ++row) {
        if (specs->FieldView(row, 1) != waveguide)
            continue;
        std::vector<std::string> imperialItems;
        for (int i = 0; i < imperial->RowCount(); ++i) {
            if (const auto inches = ParseNumber(imperial->GetField(i, 1)))
                imperialItems.push_back(ImperialEntry(*inches));
        }
        std::vector<std::string> metricItems;
        metric->GetColumn(1, metricItems);
        box.ImperialItems = std::move(imperialItems);
        box.MetricItems = std::move(metricItems);
        ShowUnitsList(box);
        const std::string preferred =
            DefaultEntry(specs->GetField(row, app_.ImperialUnits ? 2 : 3), app_.ImperialUnits);
        SelectLengthEntry(box, IndexOf(box.Items, preferred));
        return;
    }
}

void MainForm::FillPresetLength() {
    txtPresetLength.clear();
    const std::string letter = FamilyField(1);
    const std::string waveguide = WaveguideField(1);
    for (const int row : DimensionsTable.RowsWhere(2, waveguide)) {
        if (DimensionsTable.FieldView(row, 1) == letter) {
            if (const auto inches = ParseNumber(DimensionsTable.GetField(row, 6)))
                txtPresetLength =
                    app_.ImperialUnits ? ImperialEntry(*inches) : MetricEntry(InchesToMm(*inches));
            break;
        }
    }
    if (txtPresetLength.find_first_not_of(' ') == std::string::npos)
        txtPresetLength = "U/F";
}

void MainForm::FillStepTwistLength(const std::string& waveguide) {
    txtPresetLength.clear();
    const TPelmoraRadioButton* band = rgFrequency.SelectedBand();
    if (!band)
        return;
    // Read with its header row, as the table's length lookup always has been.
    const TableRef twists = Tables().LoadWithHeader("StepTwist.tbl");
    for (int row = 0; row < twists->RowCount(); ++row) {
        if (twists->FieldView(row, 1) != waveguide || twists->FieldView(row, 3) != band->RangeText)
            continue;
        const std::string inches = twists->GetField(row, 6);
        if (app_.ImperialUnits)
            txtPresetLength = inches;
        else if (const auto value = ParseNumber(inches))
            txtPresetLength = MetricEntry(InchesToMm(*value));
        return;
    }
}

void MainForm::mnuImperialClick() {
    SwitchUnits(true);
}

void MainForm::mnuMetricClick() {
    SwitchUnits(false);
}

void MainForm::SwitchUnits(bool imperial) {
    if ((imperial && mnuImperialChecked) || (!imperial && mnuMetricChecked))
        return;
    mnuImperialChecked = imperial;
    mnuMetricChecked = !imperial;
    app_.ImperialUnits = imperial;
    LengthUnitLabel = imperial ? "inches" : "mm";
    const bool carriedOver = ConvertLengthLists();
    ConvertHiddenLengthBoxes();
    RefreshDescription();
    if (!carriedOver)
        ShowScreen(ScreenOne);
}

bool MainForm::ConvertLengthBox(TPelmoraComboBox& box) {
    const std::string shown = box.Text;
    ShowUnitsList(box);
    if (const auto value = ParseNumber(shown))
        SelectLengthEntry(box, IndexOf(box.Items, ConvertedEntry(*value, app_.ImperialUnits)));
    return !box.Text.empty();
}

bool MainForm::ConvertLengthLists() {
    switch (ActiveLengthPage) {
    case MultiPage:
        return ConvertLengthBox(cbxLength);
    case SinglePage:
        if (const auto value = ParseNumber(txtPresetLength))
            txtPresetLength = ConvertedEntry(*value, app_.ImperialUnits);
        return true;
    case DualPage: {
        const bool legA = ConvertLengthBox(cbxLegALength);
        const bool legB = ConvertLengthBox(cbxLegBLength);
        return legA && legB;
    }
    }
    return true;
}

void MainForm::ConvertHiddenLengthBoxes() {
    // A hidden page shows again under a kept size that the next family refuses,
    // with no refill: its boxes must list this unit's entries beside this unit's
    // label.
    for (TPelmoraComboBox* box : {&cbxLength, &cbxLegALength, &cbxLegBLength}) {
        if (box->Items != (app_.ImperialUnits ? box->ImperialItems : box->MetricItems))
            ConvertLengthBox(*box);
    }
}

void MainForm::ToggleFlangeAdaptor() {
    chkFlangeAdaptorChecked = !chkFlangeAdaptorChecked;
    chkFlangeAdaptorClick();
}

void MainForm::chkFlangeAdaptorClick() {
    cbxLength.Enabled = !chkFlangeAdaptorChecked;
    if (chkFlangeAdaptorChecked) {
        const int index =
            IndexOf(cbxLength.Items, app_.ImperialUnits ? FlangeAdaptorInches : FlangeAdaptorMm);
        if (index >= 0)
            SelectLengthEntry(cbxLength, index);
    }
    RefreshDescription();
}

void MainForm::LengthBoxChange(TPelmoraComboBox& box) {
    if (&box == &cbxLength)
        cbxLengthChange();
    else if (&box == &cbxLegALength)
        cbxLegALengthChange();
    else
        cbxLegBLengthChange();
}

void MainForm::PickLength(TPelmoraComboBox& box, int index) {
    TypedLengthRefused = false;
    NextHeld = false;
    SelectLengthEntry(box, index);
    LengthBoxChange(box);
}

void MainForm::TypeLength(TPelmoraComboBox& box, const std::string& text) {
    TypedLengthRefused = false;
    NextHeld = false;
    box.Text = text;
    box.ItemIndex = IndexOf(box.Items, text);
    LengthBoxChange(box);
}

std::string MainForm::FlexLengthInches() const {
    if (app_.ImperialUnits)
        return cbxLength.Text;
    const auto mm = ParseNumber(cbxLength.Text);
    return mm ? ImperialEntry(MmToInches(*mm)) : std::string();
}

void MainForm::cbxLengthChange() {
    if (Family() == pfFlexTwist && IsNumericText(cbxLength.Text))
        LoadFlexTwistBands();
    RefreshDescription();
}

void MainForm::cbxLegALengthChange() {
    RefreshDescription();
}

void MainForm::cbxLegBLengthChange() {
    RefreshDescription();
}

std::string MainForm::FocusName(const TPelmoraComboBox& box) const {
    if (&box == &cbxLength)
        return "cbxLength";
    return &box == &cbxLegALength ? "cbxLegALength" : "cbxLegBLength";
}

void MainForm::LengthBoxEnter(TPelmoraComboBox& box) {
    if (box.Editable && !box.Items.empty())
        LastValidLengthIndex = box.ItemIndex;
}

void MainForm::LengthBoxExit(TPelmoraComboBox& box, bool forNextClick) {
    // The refusal puts the focus back into the box, and the same click on Next may
    // take it out once more: that click stays held.
    const bool sameClickHeld = forNextClick && NextHeld;
    TypedLengthRefused = false;
    // An empty box is no typed value: it stays empty, and Next asks for a length.
    if (box.Editable && !box.Items.empty() && !box.Text.empty())
        ValidateTypedLength(box);
    NextHeld = forNextClick && (TypedLengthRefused || sameClickHeld);
}

void MainForm::ValidateTypedLength(TPelmoraComboBox& box) {
    const std::string typed = box.Text;
    const auto value = ParseNumber(typed);
    const double first = ParseNumber(box.Items.front()).value_or(0);
    const double last = ParseNumber(box.Items.back()).value_or(0);
    if (!value) {
        TypedLengthRefused = true;
        platform_.Messages.Error("\"" + typed + "\" is not a valid Length value.");
        if (LastValidLengthIndex < static_cast<int>(box.Items.size()))
            SelectLengthEntry(box, LastValidLengthIndex);
        FocusedControl = FocusName(box);
    } else if (ToFixed(*value) > ToFixed(last) || ToFixed(*value) < ToFixed(first)) {
        TypedLengthRefused = true;
        platform_.Messages.Error("Length \"" + typed + "\" is not available.");
        const bool above = ToFixed(*value) > ToFixed(last);
        SelectLengthEntry(box, above ? static_cast<int>(box.Items.size()) - 1 : 0);
        LastValidLengthIndex = box.ItemIndex;
        FocusedControl = FocusName(box);
    } else {
        SelectLengthEntry(box, FirstIndexNotBelow(typed, box.Items));
    }
    RefreshDescription();
}

} // namespace pelmora
