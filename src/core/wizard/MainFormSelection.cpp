// The selection of screen 1 as the lists hold it: each list's fields, and picks
// made as a click makes them.
#include "MainForm.h"

namespace pelmora {

namespace {

std::string FieldOf(const TTxtTable& table, const ComboState& list, int column) {
    if (!list.HasSelection() || list.ItemIndex >= table.RowCount())
        return {};
    return table.GetField(list.ItemIndex, column);
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

void MainForm::cbxFinishChange() {
    RefreshDescription();
}

} // namespace pelmora
