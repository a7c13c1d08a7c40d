#pragma once

#include "OrderFolder.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace pelmora {

struct AppState;
struct Platform;
class AddOrderForm;
class OrderJournal;
class TTxtTable;

// The order form: the order's lines in a grid, with delete, change quantity,
// clear, save and the way back into the wizard.
class OrderForm {
public:
    static constexpr int Columns = 6;
    static constexpr int DeleteKey = 46;
    static constexpr const char* Caption = "Pelmora Order Form";
    using Row = std::array<std::string, Columns>;

    // applyPartNumber is the main form's rebuilding of the wizard.
    OrderForm(AppState& app, Platform& platform, AddOrderForm& addOrder,
              std::function<void(const std::string&)> applyPartNumber);

    // The history of the order, which every change of the form goes into.
    void UseJournal(OrderJournal& journal) { journal_ = &journal; }
    // Hands the order to the form and shows it modally.
    void ShowOrder(TTxtTable& orderLines);
    // Save As for the order; true when it was written.
    bool SaveOrderAs(TTxtTable& orderLines);
    // Replaces the order with a saved one the user picks (asking first when the
    // order has lines); true when it was replaced.
    bool OpenOrder(TTxtTable& orderLines);

    void FormShow();
    void grdOrderSelectCell(int row);
    void grdOrderKeyDown(int key);
    void btnDeleteLineItemClick();
    void btnChangeQtyClick();
    void btnClearOrderClick();
    void btnSaveClick();
    void btnOpenClick();
    void btnUndoClick();
    void btnRedoClick();
    void btnEditPartNumberClick();
    void btnPrintClick();
    void btnReturnClick();

    // Grid rows, the header row first; at least one body row.
    std::vector<Row> Cells;
    int SelectedRow = 1;
    std::string lblCounter;
    bool btnEditPartNumberEnabled = false;
    bool btnUndoEnabled = false;
    bool btnRedoEnabled = false;
    bool CloseRequested = false;

private:
    int LineCount() const;
    void RefreshOrderGrid();
    void UpdateOrderCounter(int row);
    void UpdateEditButton(int line);
    void DeleteOrderLine(int line);
    void ClearGridCells();
    // After a change of the order: into the history, and the grid shows it.
    void OrderChanged();
    void UpdateUndoButtons();

    AppState& app_;
    Platform& platform_;
    AddOrderForm& addOrder_;
    std::function<void(const std::string&)> applyPartNumber_;
    TTxtTable* lines_ = nullptr;
    OrderJournal* journal_ = nullptr;
    OrderFolder folder_{app_};
};

} // namespace pelmora
