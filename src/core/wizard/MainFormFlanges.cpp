// The last step of the selection cascade: the flanges and coax types a waveguide
// offers, and their changes.
#include "MainForm.h"
#include "SelectionLists.h"
#include "ShowImage.h"
#include "catalogue/AppState.h"
#include "catalogue/TableSource.h"

#include <unordered_set>

namespace pelmora {

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

} // namespace pelmora
