#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace pelmora {

class AddOrderForm;
class MessageBoxes;

// The "Add to Order" dialog over its AddOrderForm.
class TfrmAddOrder : public QDialog {
    Q_OBJECT

public:
    TfrmAddOrder(AddOrderForm& form, MessageBoxes& messages, QWidget* parent = nullptr);

    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Forward(void (AddOrderForm::*handler)());

    AddOrderForm& form_;
    MessageBoxes& messages_;
    QLabel* lblNote_;
    QSpinBox* txtQuantity_;
    QLineEdit* quantityEdit_;
    QLineEdit* txtPrice_;
    QLineEdit* txtDelivery_;
    QLineEdit* txtPartNumber_;
    QPlainTextEdit* memDescription_;
    QPushButton* btnAdd_;
};

} // namespace pelmora
