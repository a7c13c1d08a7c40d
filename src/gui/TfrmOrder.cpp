#include "TfrmOrder.h"

#include "FlattenControls.h"
#include "Look.h"
#include "OrderGrid.h"
#include "RunGuarded.h"
#include "Text1252Qt.h"
#include "order/OrderForm.h"

#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <algorithm>

namespace pelmora {

TfrmOrder::TfrmOrder(OrderForm& form, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), form_(form), messages_(messages) {
    setObjectName(QStringLiteral("frmOrder"));
    setWindowTitle(QString::fromLatin1(OrderForm::Caption));
    setFixedSize(740, 420);

    auto* icon = new QLabel(this);
    icon->setGeometry(10, 8, 32, 32);
    icon->setPixmap(QIcon(QStringLiteral(":/pelmora/mainicon.png")).pixmap(32, 32));
    auto* title = new QLabel(QString::fromLatin1(OrderForm::Caption), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(16);
    title->setFont(titleFont);
    title->setGeometry(50, 12, 300, 24);
    SetTextColour(title, Navy);
    lblCounter_ = new QLabel(this);
    lblCounter_->setObjectName(QStringLiteral("lblCounter"));
    lblCounter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCounter_->setGeometry(400, 14, 190, 20);
    SetTextColour(lblCounter_, Navy);

    grdOrder_ = new OrderGrid(this);
    grdOrder_->setGeometry(10, 46, 580, 364);
    grdOrder_->installEventFilter(this);
    connect(grdOrder_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0)
            Forward([this, row] { form_.grdOrderSelectCell(row + 1); });
    });

    AddButton("btnDeleteLineItem", "&Delete Line Item", 46, &OrderForm::btnDeleteLineItemClick);
    AddButton("btnChangeQty", "&Change Quantity", 80, &OrderForm::btnChangeQtyClick);
    AddButton("btnClearOrder", "Clear &Order", 114, &OrderForm::btnClearOrderClick);
    AddButton("btnPrint", "&Print", 148, &OrderForm::btnPrintClick);
    AddButton("btnSave", "&Save As...", 182, &OrderForm::btnSaveClick);
    btnEditPartNumber_ = AddButton("btnEditPartNumber", "&Edit Part Number", 216,
                                   &OrderForm::btnEditPartNumberClick);
    // "Clear &Order" holds Alt+O on this form.
    AddButton("btnOpen", "Ope&n Order...", 250, &OrderForm::btnOpenClick);
    btnUndo_ = AddButton("btnUndo", "&Undo", 284, &OrderForm::btnUndoClick);
    btnRedo_ = AddButton("btnRedo", "&Redo", 318, &OrderForm::btnRedoClick);
    AddButton("btnReturn", "C&lose", 384, &OrderForm::btnReturnClick);
    AddShortcuts(QKeySequence::keyBindings(QKeySequence::Undo), &OrderForm::btnUndoClick);
    // Ctrl+Y as on every desktop, beside the desktop's own redo keys.
    AddShortcuts(QKeySequence::keyBindings(QKeySequence::Redo)
                     << QKeySequence(Qt::CTRL | Qt::Key_Y),
                 &OrderForm::btnRedoClick);

    FlattenControls(this);
}

QPushButton* TfrmOrder::AddButton(const char* name, const char* caption, int y,
                                  void (OrderForm::*handler)()) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(600, y, 130, 26);
    if (handler)
        connect(button, &QPushButton::clicked, this,
                [this, handler] { Forward([&form = form_, handler] { (form.*handler)(); }); });
    return button;
}

void TfrmOrder::AddShortcuts(QList<QKeySequence> keys, void (OrderForm::*handler)()) {
    // One shortcut a key: two for the same key would both stay silent.
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this,
                [this, handler] { Forward([&form = form_, handler] { (form.*handler)(); }); });
    }
}

void TfrmOrder::Forward(const std::function<void()>& handler) {
    RunGuarded(messages_, handler);
    Refresh();
    if (form_.CloseRequested)
        accept();
}

void TfrmOrder::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Forward([this] { form_.FormShow(); });
}

bool TfrmOrder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grdOrder_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Forward([this] { form_.grdOrderKeyDown(OrderForm::DeleteKey); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmOrder::Refresh() {
    const QSignalBlocker blocker(grdOrder_);
    grdOrder_->ShowRows(form_.Cells, form_.SelectedRow);
    lblCounter_->setText(FromCore(form_.lblCounter));
    btnEditPartNumber_->setEnabled(form_.btnEditPartNumberEnabled);
    btnUndo_->setEnabled(form_.btnUndoEnabled);
    btnRedo_->setEnabled(form_.btnRedoEnabled);
}

} // namespace pelmora
