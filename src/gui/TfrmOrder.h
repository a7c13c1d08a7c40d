#pragma once

#include <QDialog>
#include <QList>
#include <functional>

class QKeySequence;
class QLabel;
class QPushButton;

namespace pelmora {

class MessageBoxes;
class OrderForm;
class OrderGrid;

// The order form window over its OrderForm.
class TfrmOrder : public QDialog {
    Q_OBJECT

public:
    TfrmOrder(OrderForm& form, MessageBoxes& messages, QWidget* parent = nullptr);

    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Forward(const std::function<void()>& handler);
    QPushButton* AddButton(const char* name, const char* caption, int y,
                           void (OrderForm::*handler)());
    void AddShortcuts(QList<QKeySequence> keys, void (OrderForm::*handler)());

    OrderForm& form_;
    MessageBoxes& messages_;
    QLabel* lblCounter_;
    OrderGrid* grdOrder_;
    QPushButton* btnEditPartNumber_ = nullptr;
    QPushButton* btnUndo_ = nullptr;
    QPushButton* btnRedo_ = nullptr;
};

} // namespace pelmora
