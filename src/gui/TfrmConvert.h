#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace pelmora {

class ConvertForm;
class HistoryComboBox;
class MessageBoxes;

// The conversion dialog over its ConvertForm.
class TfrmConvert : public QDialog {
    Q_OBJECT

public:
    TfrmConvert(ConvertForm& form, MessageBoxes& messages, QWidget* parent = nullptr);
    ~TfrmConvert() override;

    void Refresh();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Forward(void (ConvertForm::*handler)());

    ConvertForm& form_;
    MessageBoxes& messages_;
    HistoryComboBox* cbxOldPartNumber_;
    QLineEdit* txtNewPartNumber_;
    QPlainTextEdit* memComments_;
    QPushButton* btnContinue_;
};

} // namespace pelmora
