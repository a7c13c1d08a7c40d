#pragma once

#include "platform/ModalWindows.h"

namespace pelmora {

class TfrmAddOrder;
class TfrmConvert;
class TfrmCreate;
class TfrmOrder;
class TfrmPreview;

// Runs the program's long-lived dialogs modally.
class QtModalWindows : public ModalWindows {
public:
    void Use(TfrmAddOrder* addOrder, TfrmOrder* order, TfrmCreate* quickBuilder,
             TfrmConvert* convert, TfrmPreview* preview) {
        addOrder_ = addOrder;
        order_ = order;
        quickBuilder_ = quickBuilder;
        convert_ = convert;
        preview_ = preview;
    }

    bool ShowAddToOrder() override;
    void ShowOrderForm() override;
    void ShowQuickBuilder() override;
    void ShowConvert() override;
    void ShowPreview() override;

private:
    TfrmAddOrder* addOrder_ = nullptr;
    TfrmOrder* order_ = nullptr;
    TfrmCreate* quickBuilder_ = nullptr;
    TfrmConvert* convert_ = nullptr;
    TfrmPreview* preview_ = nullptr;
};

} // namespace pelmora
