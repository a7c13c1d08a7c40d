#include "OrderForm.h"

#include "AddOrderForm.h"
#include "OrderFiles.h"
#include "OrderItem.h"
#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "catalogue/Family.h"
#include "catalogue/Numbers.h"
#include "catalogue/TxtTable.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalWindows.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "platform/SaveDialog.h"
#include "print/PelmoraPrint.h"
#include "print/PrintedPages.h"

#include <algorithm>

namespace pelmora {

namespace {

const OrderForm::Row Header = {
    "", " Quantity", " Price ", " Delivery Time", " Part Number", " Description"};

} // namespace

OrderForm::OrderForm(AppState& app, Platform& platform, AddOrderForm& addOrder,
                     std::function<void(const std::string&)> applyPartNumber)
    : app_(app), platform_(platform), addOrder_(addOrder),
      applyPartNumber_(std::move(applyPartNumber)) {
    Cells = {Header, Row{}};
}

void OrderForm::ShowOrder(TTxtTable& orderLines) {
    lines_ = &orderLines;
    CloseRequested = false;
    platform_.Windows.ShowOrderForm();
}

int OrderForm::LineCount() const {
    return lines_ ? lines_->RowCount() : 0;
}

void OrderForm::FormShow() {
    RefreshOrderGrid();
    SelectedRow = std::clamp(SelectedRow, 1, static_cast<int>(Cells.size()) - 1);
    UpdateOrderCounter(SelectedRow);
    UpdateEditButton(SelectedRow - 1);
}

void OrderForm::ClearGridCells() {
    for (size_t row = 1; row < Cells.size(); ++row)
        Cells[row].fill(std::string());
}

void OrderForm::RefreshOrderGrid() {
    ClearGridCells();
    Cells.resize(static_cast<size_t>(std::max(LineCount() + 1, 2)));
    for (int line = 0; line < LineCount(); ++line) {
        Row& row = Cells[static_cast<size_t>(line + 1)];
        row[0].clear();
        for (int field = olQuantity; field <= olDescription; ++field)
            row[static_cast<size_t>(field)] = lines_->GetField(line, field);
    }
    SelectedRow = std::min(SelectedRow, static_cast<int>(Cells.size()) - 1);
}

void OrderForm::UpdateOrderCounter(int row) {
    const int lines = LineCount();
    lblCounter = "Orders - " + std::to_string(lines > 0 ? row : 0) + " of " + std::to_string(lines);
}

void OrderForm::UpdateEditButton(int line) {
    if (LineCount() == 0 || line < 0 || line >= LineCount()) {
        btnEditPartNumberEnabled = false;
        return;
    }
    const TProductFamily family =
        ClassifyFamily(lines_->GetField(line, olPartNumber), app_.Tables(platform_.Messages));
    btnEditPartNumberEnabled =
        family != pfStepTwist && family != pfPressureWindow && family != pfUnknown;
}

void OrderForm::grdOrderSelectCell(int row) {
    SelectedRow = std::clamp(row, 1, static_cast<int>(Cells.size()) - 1);
    UpdateEditButton(SelectedRow - 1);
    UpdateOrderCounter(SelectedRow);
}

void OrderForm::grdOrderKeyDown(int key) {
    if (key == DeleteKey)
        btnDeleteLineItemClick();
}

void OrderForm::btnDeleteLineItemClick() {
    DeleteOrderLine(SelectedRow - 1);
    UpdateOrderCounter(SelectedRow);
    UpdateEditButton(SelectedRow - 1);
}

void OrderForm::DeleteOrderLine(int line) {
    if (LineCount() == 0 || line < 0 || line >= LineCount())
        return;
    const std::string partNumber = lines_->GetField(line, olPartNumber);
    if (!platform_.Messages.Confirm("Delete \"" + partNumber + "\" from your order?"))
        return;
    lines_->Lines.erase(lines_->Lines.begin() + line);
    RefreshOrderGrid();
}

void OrderForm::btnChangeQtyClick() {
    if (LineCount() == 0)
        return;
    const int line = std::min(SelectedRow - 1, LineCount() - 1);
    const OrderItem item{AddOrderForm::QuantityOf(lines_->GetField(line, olQuantity)),
                         lines_->GetField(line, olPartNumber),
                         lines_->GetField(line, olDescription)};
    addOrder_.OpenAddToOrderWithoutNote(item, *lines_);
    RefreshOrderGrid();
}

void OrderForm::btnClearOrderClick() {
    if (platform_.Messages.Confirm("Doing this will clear you entire order. Continue?")) {
        Cells.resize(2);
        ClearGridCells();
        if (lines_)
            lines_->Lines.clear();
        SelectedRow = 1;
    }
    UpdateOrderCounter(SelectedRow);
    UpdateEditButton(SelectedRow - 1);
}

void OrderForm::btnSaveClick() {
    const auto choice = platform_.Save.AskSaveFile(OrderFileFilter);
    if (!choice || !lines_)
        return;
    try {
        switch (choice->FilterIndex) {
        case TextFile:
            SaveOrderText(*lines_, EnsureExtension(choice->FileName, ".txt"));
            break;
        case XmlFile:
            SaveOrderXml(*lines_, EnsureExtension(choice->FileName, ".xml"));
            break;
        default:
            SaveOrderXls(*lines_, EnsureExtension(choice->FileName, ".xls"));
            break;
        }
    } catch (const FileError& error) {
        platform_.Messages.Error(error.what());
    }
}

void OrderForm::btnPrintClick() {
    Printer& printer = platform_.Print;
    if (!lines_ || !printer.AskPrint())
        return;
    const double scale = static_cast<double>(printer.PageWidth()) / TPelmoraPrint::PageWidthUnits;
    // The pages are counted on an off-screen page first, for "Page n of total".
    const auto counting = printer.OffscreenPage();
    TPelmoraPrint countingPrint(*counting, scale);
    const int pages = DrawOrderPages(countingPrint, *lines_, 0);
    TPelmoraPrint print(printer.BeginJob("Pelmora Order"), scale);
    DrawOrderPages(print, *lines_, pages);
    printer.EndJob();
}

void OrderForm::btnEditPartNumberClick() {
    if (LineCount() == 0)
        return;
    const int line = std::min(SelectedRow - 1, LineCount() - 1);
    applyPartNumber_(lines_->GetField(line, olPartNumber));
    CloseRequested = true;
}

void OrderForm::btnReturnClick() {
    CloseRequested = true;
}

} // namespace pelmora
