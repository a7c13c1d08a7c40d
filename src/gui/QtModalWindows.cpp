#include "QtModalWindows.h"

#include "TfrmAddOrder.h"
#include "TfrmOrder.h"

namespace pelmora {

bool QtModalWindows::ShowAddToOrder() {
    return addOrder_ && addOrder_->exec() == QDialog::Accepted;
}

void QtModalWindows::ShowOrderForm() {
    if (order_)
        order_->exec();
}

} // namespace pelmora
