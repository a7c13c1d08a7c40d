// The description grid of screen 2, the composition of the part number and the
// Create command with its confirmations.
#include "MainForm.h"
#include "catalogue/AppState.h"
#include "catalogue/Numbers.h"
#include "catalogue/TableSource.h"
#include "partnumber/PartNumber.h"
#include "platform/ConfirmDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

namespace pelmora {

namespace {

bool HasLegs(TProductFamily family) {
    return family == pfEBend || family == pfHBend || family == pfMiterH || family == pfMiterE;
}

bool HasSingleLength(TProductFamily family) {
    return family == pfFlexTwist || family == pfStraightSection;
}

bool HasUnitsLetter(TProductFamily family) {
    return HasLegs(family) || HasSingleLength(family);
}

// "small - large": the two trimmed parts around the first "-".
std::pair<std::string, std::string> SplitAtDash(const std::string& text) {
    auto trim = [](std::string part) {
        const size_t first = part.find_first_not_of(' ');
        const size_t last = part.find_last_not_of(' ');
        return first == std::string::npos ? std::string() : part.substr(first, last - first + 1);
    };
    const size_t dash = text.find('-');
    if (dash == std::string::npos)
        return {"", trim(text)};
    return {trim(text.substr(0, dash)), trim(text.substr(dash + 1))};
}

} // namespace

void MainForm::ClearGridCells() {
    for (auto& row : grdSpecs)
        row.fill(std::string());
}

void MainForm::RefreshDescription() {
    if (applyingPartNumber_) {
        TellUnencodableLengths();
    } else {
        ClearGridCells();
        FillDescriptionGrid(Family(), platform_.Messages);
    }
    txtPartNumber.clear();
    btnAddOrderEnabled = false;
    btnViewSpecsEnabled = false;
}

void MainForm::TellUnencodableLengths() {
    // The message each refresh of the grid would show for a length it cannot encode;
    // a text of plain digits never needs one.
    const TProductFamily family = Family();
    auto tell = [&](const TPelmoraComboBox& box, bool described) {
        if (described && IsNumericText(box.Text) && !PlainLengthMatches(box.Text, family, ""))
            EncodeLength(box.Text, family, platform_.Messages);
    };
    tell(cbxLegALength, HasLegs(family));
    tell(cbxLength, HasSingleLength(family));
    tell(cbxLegBLength, HasLegs(family));
}

void MainForm::FillDescriptionGrid(TProductFamily family, MessageBoxes& messages) {
    size_t next = 1;
    auto addRow = [&](std::string code, std::string item, std::string value) {
        if (next < grdSpecs.size())
            grdSpecs[next++] = {"", std::move(code), std::move(item), std::move(value)};
    };

    if (family != pfUnknown)
        addRow(FamilyField(1), "Product Type", FamilyField(2));
    if (cbxWaveguide.HasSelection())
        addRow(WaveguideField(1), "Waveguide", WaveguideField(WRColumn));
    if (HasUnitsLetter(family))
        addRow(app_.ImperialUnits ? "P" : "M", "Units", app_.ImperialUnits ? "in." : "mm");
    if (cbxFlangeA.HasSelection())
        addRow(FlangeAField(1), "Flange A", FlangeAField(3));
    if (HasLegs(family) && IsNumericText(cbxLegALength.Text))
        addRow(EncodeLength(cbxLegALength.Text, family, messages), "Length A", cbxLegALength.Text);
    if (HasSingleLength(family) && IsNumericText(cbxLength.Text))
        addRow(EncodeLength(cbxLength.Text, family, messages), "Length", cbxLength.Text);
    if (family != pfCoax && cbxFlangeB.HasSelection())
        addRow(FlangeBField(1), "Flange B", FlangeBField(3));
    if (family == pfCoax && cbxCoax.HasSelection())
        addRow(CoaxField(1), "Coax Type", CoaxField(2));
    if (HasLegs(family) && IsNumericText(cbxLegBLength.Text))
        addRow(EncodeLength(cbxLegBLength.Text, family, messages), "Length B", cbxLegBLength.Text);
    if (const TPelmoraRadioButton* band = rgFrequency.SelectedBand())
        addRow(band->BandCode, "Frequency", band->Caption());
    else if (!rgFrequency.BandButtons.empty())
        addRow("", "Frequency", "");
    if (cbxFinish.HasSelection() && family != pfFlexTwist && family != pfPressureWindow &&
        family != pfStepTwist) {
        const auto& finish = cbxFinish.Items[static_cast<size_t>(cbxFinish.ItemIndex)];
        addRow(finish[0], "Finish", finish[1]);
    }
}

std::string MainForm::FinishLetter() const {
    if (!cbxFinish.HasSelection())
        return {};
    return cbxFinish.ItemIndex == 0 ? "G" : "N";
}

std::string MainForm::ComposeFromCode(TProductFamily family) {
    MessageBoxes& messages = platform_.Messages;
    std::string part(SelectedField(FamilyTable, cbxProductType, 1));
    part += SelectedField(WaveguideList, cbxWaveguide, 1);
    if (HasUnitsLetter(family))
        part += app_.ImperialUnits ? "P" : "M";
    part += SelectedField(FlangeAList, cbxFlangeA, 1);
    if (HasSingleLength(family))
        part += EncodeLength(cbxLength.Text, family, messages);
    else if (HasLegs(family))
        part += EncodeLength(cbxLegALength.Text, family, messages);
    part += SelectedField(FlangeBList, family == pfCoax ? cbxCoax : cbxFlangeB, 1);
    if (HasLegs(family))
        part += EncodeLength(cbxLegBLength.Text, family, messages);
    if (family != pfTaperedTransition) {
        if (const TPelmoraRadioButton* band = rgFrequency.SelectedBand())
            part += band->BandCode;
    }
    if (family != pfFlexTwist)
        part += FinishLetter();
    return SortFlangePair(part, family);
}

void MainForm::ComposePartNumber(TProductFamily family) {
    if (family == pfStepTwist || family == pfPressureWindow) {
        const bool stepTwist = family == pfStepTwist;
        const TPelmoraRadioButton* band = rgFrequency.SelectedBand();
        const TableRef table = Tables().Load(stepTwist ? "StepTwist.tbl" : "PressureWindows.tbl");
        const std::string key = stepTwist ? (band ? band->RangeText : "") : FlangeAField(1);
        for (int row = 0; row < table->RowCount(); ++row) {
            if (table->FieldView(row, 1) == WaveguideField(1) &&
                table->FieldView(row, stepTwist ? 3 : 2) == key) {
                txtPartNumber = table->GetField(row, stepTwist ? 5 : 4);
                return;
            }
        }
        return;
    }
    txtPartNumber = ComposeFromCode(family);
}

bool MainForm::ConfirmTaperedEnds() {
    if (FlangeAField(1) == FlangeBField(1))
        return true;
    const auto [smaller, larger] = SplitAtDash(WaveguideField(4));
    const std::string message =
        "The waveguide size is different on each end of this part. Please\r"
        "verify your configuration to make sure your flanges are correct.\r\r"
        "Smaller end (" +
        smaller + ") has a " + FlangeAField(3) + " flange" + "\r\r" + "Larger end (" + larger +
        ") has a " + FlangeBField(3) + " flange";
    return platform_.Confirm.ConfirmTapered(message) == ModalResult::Ok;
}

bool MainForm::ConfirmMiterLegs() {
    const std::string suffix = app_.ImperialUnits ? " in." : " mm";
    const std::string legA = cbxLegALength.Text;
    const std::string legB = cbxLegBLength.Text;
    if (legA == legB || FlangeAField(1) == FlangeBField(1))
        return true;

    auto line = [&](const char* which, const std::string& leg, const std::string& flange) {
        return std::string("The ") + which + " leg (" + leg + suffix + ") has a " + flange +
               " flange";
    };
    const bool aIsShorter = ParseNumber(legA).value_or(0) < ParseNumber(legB).value_or(0);
    const std::string line1 = aIsShorter ? line("shorter", legA, FlangeAField(3))
                                         : line("shorter", legB, FlangeBField(3));
    const std::string line2 =
        aIsShorter ? line("longer", legB, FlangeBField(3)) : line("longer", legA, FlangeAField(3));

    switch (platform_.Confirm.ConfirmLegSwap(line1, line2)) {
    case ModalResult::Ok:
        return true;
    case ModalResult::Retry: {
        // Both lists hold the same flanges in the same order for miter bends.
        const int flangeA = cbxFlangeA.ItemIndex;
        const int flangeB = cbxFlangeB.ItemIndex;
        PickFlangeA(flangeB);
        PickFlangeB(flangeA);
        return true;
    }
    case ModalResult::Cancel:
        return false;
    }
    return false;
}

void MainForm::btnCreateClick() {
    if (rgFrequency.BandButtons.empty()) {
        platform_.Messages.Error("Unable to create part number. No frequency matches found.\r"
                                 "The part number you were about to create may not be "
                                 "supported.\rPlease contact your Corvane represantative.");
        return;
    }
    const TProductFamily family = Family();
    const bool confirm = !platform_.Confirm.AnswersContinue();
    if (confirm && family == pfTaperedTransition && !ConfirmTaperedEnds())
        return;
    if (confirm && (family == pfMiterH || family == pfMiterE) && !ConfirmMiterLegs())
        return;

    ComposePartNumber(family);
    btnViewSpecsEnabled = family != pfPressureWindow && family != pfStepTwist;
    btnAddOrderEnabled = true;
}

} // namespace pelmora
