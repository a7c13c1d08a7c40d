#pragma once

#include "platform/ModalWindows.h"

class QWidget;

namespace pelmora {

class MessageBoxes;

class TfrmAddOrder;
class TfrmConvert;
class TfrmCreate;
class TfrmOrder;
class TfrmPreview;

// Runs the program's long-lived dialogs modally.
class QtModalWindows : public ModalWindows {
public:
    explicit QtModalWindows(MessageBoxes& messages) : messages_(messages) {}

    void Use(TfrmAddOrder* addOrder, TfrmOrder* order, TfrmCreate* quickBuilder,
             TfrmConvert* convert, TfrmPreview* preview) {
        addOrder_ = addOrder;
        order_ = order;
        quickBuilder_ = quickBuilder;
        convert_ = convert;
        preview_ = preview;
    }
    // The window the dialogs made for one showing stand over.
    void SetParent(QWidget* parent) { parent_ = parent; }

    bool ShowAddToOrder() override;
    void ShowOrderForm() override;
    void ShowQuickBuilder() override;
    void ShowConvert() override;
    void ShowPreview() override;
    ModalResult ShowQuickUpdate(QuickUpdateForm& form) override;
    void ShowUpdateOptions(UpdateOptionsForm& form) override;
    void ShowAbout(AboutForm& form) override;

private:
    MessageBoxes& messages_;
    QWidget* parent_ = nullptr;
    TfrmAddOrder* addOrder_ = nullptr;
    TfrmOrder* order_ = nullptr;
    TfrmCreate* quickBuilder_ = nullptr;
    TfrmConvert* convert_ = nullptr;
    TfrmPreview* preview_ = nullptr;
};

} // namespace pelmora
