#pragma once

#include "platform/ModalWindows.h"

namespace pelmora {

class TfrmAddOrder;
class TfrmOrder;

// Runs the program's long-lived dialogs modally.
class QtModalWindows : public ModalWindows {
public:
    void Use(TfrmAddOrder* addOrder, TfrmOrder* order) {
        addOrder_ = addOrder;
        order_ = order;
    }

    bool ShowAddToOrder() override;
    void ShowOrderForm() override;

private:
    TfrmAddOrder* addOrder_ = nullptr;
    TfrmOrder* order_ = nullptr;
};

} // namespace pelmora
