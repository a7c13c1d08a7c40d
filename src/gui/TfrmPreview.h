#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QScrollArea;

namespace pelmora {

class MessageBoxes;
class PreviewForm;

// The print preview over its PreviewForm: a zoom list, Print and Close over a grey
// scrolling area with the white page.
class TfrmPreview : public QDialog {
    Q_OBJECT

public:
    TfrmPreview(PreviewForm& form, MessageBoxes& messages, QWidget* parent = nullptr);
    ~TfrmPreview() override;

    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Forward(void (PreviewForm::*handler)());
    void RenderPage();

    PreviewForm& form_;
    MessageBoxes& messages_;
    QComboBox* cbxPercent_;
    QScrollArea* sbxPreview_;
    QLabel* imgPreview_;
    int renderedWidth_ = -1;
};

} // namespace pelmora
