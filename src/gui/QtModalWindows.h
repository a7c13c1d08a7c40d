#pragma once

#include "platform/ModalWindows.h"

#include <functional>

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

    // Each window is asked for when it is to be shown, so that it may be made then.
    template <class Window> using Get = std::function<Window&()>;
    void Use(Get<TfrmAddOrder> addOrder, Get<TfrmOrder> order, Get<TfrmCreate> quickBuilder,
             Get<TfrmConvert> convert, Get<TfrmPreview> preview) {
        addOrder_ = std::move(addOrder);
        order_ = std::move(order);
        quickBuilder_ = std::move(quickBuilder);
        convert_ = std::move(convert);
        preview_ = std::move(preview);
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
    Get<TfrmAddOrder> addOrder_;
    Get<TfrmOrder> order_;
    Get<TfrmCreate> quickBuilder_;
    Get<TfrmConvert> convert_;
    Get<TfrmPreview> preview_;
};

} // namespace pelmora
