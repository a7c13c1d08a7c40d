#include "QtModalWindows.h"

#include "TfrmAddOrder.h"
#include "TfrmConvert.h"
#include "TfrmCreate.h"
#include "TfrmOrder.h"
#include "TfrmPreview.h"

namespace pelmora {

bool QtModalWindows::ShowAddToOrder() {
    return addOrder_ && addOrder_->exec() == QDialog::Accepted;
}

void QtModalWindows::ShowOrderForm() {
    if (order_)
        order_->exec();
}

void QtModalWindows::ShowQuickBuilder() {
    if (quickBuilder_)
        quickBuilder_->exec();
}

void QtModalWindows::ShowConvert() {
    if (convert_)
        convert_->exec();
}

} // namespace pelmora

namespace pelmora {

void QtModalWindows::ShowPreview() {
    if (preview_)
        preview_->exec();
}

} // namespace pelmora
