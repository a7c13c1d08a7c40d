#pragma once

#include "platform/ModalWindows.h"

namespace pelmora {

class TfrmAddOrder;
class TfrmConvert;
class TfrmCreate;
class TfrmOrder;

// Runs the program's long-lived dialogs modally.
class QtModalWindows : public ModalWindows {
public:
    void Use(TfrmAddOrder* addOrder, TfrmOrder* order, TfrmCreate* quickBuilder,
             TfrmConvert* convert) {
        addOrder_ = addOrder;
        order_ = order;
        quickBuilder_ = quickBuilder;
        convert_ = convert;
    }

    bool ShowAddToOrder() override;
    void ShowOrderForm() override;
    void ShowQuickBuilder() override;
    void ShowConvert() override;

private:
    TfrmAddOrder* addOrder_ = nullptr;
    TfrmOrder* order_ = nullptr;
    TfrmCreate* quickBuilder_ = nullptr;
    TfrmConvert* convert_ = nullptr;
};

} // namespace pelmora
