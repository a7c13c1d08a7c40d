// The selection of screen 1 as the lists hold it: each list's fields, and picks
// made as a click makes them.
#include "MainForm.h"

namespace pelmora {

std::string_view MainForm::SelectedField(const TTxtTable& table, const ComboState& list,
                                         int column) {
    if (!list.HasSelection() || list.ItemIndex >= table.RowCount())
        return {};
    return table.FieldView(list.ItemIndex, column);
}

std::string MainForm::FamilyField(int column) const {
    return std::string(SelectedField(FamilyTable, cbxProductType, column));
}
std::string MainForm::WaveguideField(int column) const {
    return std::string(SelectedField(WaveguideList, cbxWaveguide, column));
}
std::string MainForm::FlangeAField(int column) const {
    return std::string(SelectedField(FlangeAList, cbxFlangeA, column));
}
std::string MainForm::FlangeBField(int column) const {
    return std::string(SelectedField(FlangeBList, cbxFlangeB, column));
}
std::string MainForm::CoaxField(int column) const {
    return std::string(SelectedField(FlangeBList, cbxCoax, column));
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

void MainForm::cbxFinishChange() {
    RefreshDescription();
}

} // namespace pelmora
