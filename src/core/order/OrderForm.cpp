#include "OrderForm.h"

#include "AddOrderForm.h"
#include "OrderFiles.h"
#include "OrderItem.h"
#include "OrderJournal.h"
#include "SavedOrder.h"
#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "catalogue/Family.h"
#include "catalogue/Numbers.h"
#include "catalogue/TxtTable.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalWindows.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
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
    UpdateUndoButtons();
}

void OrderForm::OrderChanged() {
    if (journal_ && lines_)
        journal_->Record(*lines_, platform_.Messages);
    RefreshOrderGrid();
    UpdateOrderCounter(SelectedRow);
    UpdateEditButton(SelectedRow - 1);
    UpdateUndoButtons();
}

void OrderForm::UpdateUndoButtons() {
    btnUndoEnabled = journal_ && journal_->CanUndo();
    btnRedoEnabled = journal_ && journal_->CanRedo();
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
    if (!platform_.Messages.ConfirmDestructive("Delete \"" + partNumber + "\" from your order?"))
        return;
    lines_->Lines.erase(lines_->Lines.begin() + line);
    OrderChanged();
}

void OrderForm::btnChangeQtyClick() {
    if (LineCount() == 0)
        return;
    const int line = std::min(SelectedRow - 1, LineCount() - 1);
    const OrderItem item{AddOrderForm::QuantityOf(lines_->GetField(line, olQuantity)),
                         lines_->GetField(line, olPartNumber),
                         lines_->GetField(line, olDescription)};
    addOrder_.OpenAddToOrderWithoutNote(item, *lines_);
    OrderChanged();
}

void OrderForm::btnClearOrderClick() {
    if (platform_.Messages.ConfirmDestructive(
            "Doing this will clear you entire order. Continue?")) {
        Cells.resize(2);
        ClearGridCells();
        if (lines_)
            lines_->Lines.clear();
        SelectedRow = 1;
        OrderChanged();
    }
    UpdateOrderCounter(SelectedRow);
    UpdateEditButton(SelectedRow - 1);
}

void OrderForm::btnSaveClick() {
    if (lines_)
        SaveOrderAs(*lines_);
}

bool OrderForm::SaveOrderAs(TTxtTable& orderLines) {
    const std::string folder = folder_.Folder();
    const std::string suggested = (folder.empty() ? "" : folder + "/") + OrderFolder::SuggestedName;
    const auto choice = platform_.Files.AskSaveFile(OrderFileFilter, suggested);
    if (!choice)
        return false;
    try {
        switch (choice->FilterIndex) {
        case TextFile:
            SaveOrderText(orderLines, EnsureExtension(choice->FileName, ".txt"));
            break;
        case XmlFile:
            SaveOrderXml(orderLines, EnsureExtension(choice->FileName, ".xml"));
            break;
        default:
            SaveOrderXls(orderLines, EnsureExtension(choice->FileName, ".xls"));
            break;
        }
    } catch (const FileError& error) {
        platform_.Messages.Error(error.what());
        return false;
    }
    folder_.Used(choice->FileName, platform_.Messages);
    if (journal_)
        journal_->MarkSaved(orderLines);
    return true;
}

bool OrderForm::OpenOrder(TTxtTable& orderLines) {
    const auto file = platform_.Files.AskOpenFile(OrderOpenFilter, folder_.Folder());
    if (!file)
        return false;
    std::vector<std::string> saved;
    WideDescriptions lost;
    try {
        saved = ReadSavedOrder(*file, &lost);
    } catch (const std::runtime_error& error) {
        // Unreadable, or not an order: the current order stays as it is.
        platform_.Messages.Error(error.what());
        return false;
    }
    for (const auto& [row, description] : lost)
        platform_.Messages.Error("\"" + *file + "\", " +
                                 LostCharactersMessage(description, "the order form"));
    if (orderLines.RowCount() > 0 &&
        !platform_.Messages.ConfirmDestructive("Replace the current order of " +
                                               std::to_string(orderLines.RowCount()) +
                                               " line(s) with the order in \"" + *file + "\"?"))
        return false;
    folder_.Used(*file, platform_.Messages);
    orderLines.Lines = std::move(saved);
    if (journal_) {
        journal_->Record(orderLines, platform_.Messages);
        journal_->MarkSaved(orderLines);
    }
    return true;
}

void OrderForm::btnOpenClick() {
    if (lines_ && OpenOrder(*lines_)) {
        SelectedRow = 1;
        OrderChanged();
    }
}

void OrderForm::btnUndoClick() {
    if (journal_ && lines_)
        journal_->Undo(*lines_, platform_.Messages);
    OrderChanged();
}

void OrderForm::btnRedoClick() {
    if (journal_ && lines_)
        journal_->Redo(*lines_, platform_.Messages);
    OrderChanged();
}

void OrderForm::btnPrintClick() {
    Printer& printer = platform_.Print;
    if (!lines_ || !printer.AskPrint("Pelmora Order"))
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
