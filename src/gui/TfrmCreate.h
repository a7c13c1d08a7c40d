#pragma once

#include <QDialog>

namespace pelmora {

class CreateForm;
class HistoryComboBox;
class MessageBoxes;

// The Quick Builder over its CreateForm.
class TfrmCreate : public QDialog {
    Q_OBJECT

public:
    TfrmCreate(CreateForm& form, MessageBoxes& messages, QWidget* parent = nullptr);
    ~TfrmCreate() override;

    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    CreateForm& form_;
    MessageBoxes& messages_;
    HistoryComboBox* cbxPartNumber_;
};

} // namespace pelmora
