#include "QtModalWindows.h"

#include "TfrmAddOrder.h"
#include "TfrmConvert.h"
#include "TfrmCreate.h"
#include "TfrmOrder.h"
#include "TfrmPreview.h"
#include "TfrmUpdateDialogs.h"
#include "platform/ConfirmDialogs.h"

namespace pelmora {

bool QtModalWindows::ShowAddToOrder() {
    return addOrder_ && addOrder_().exec() == QDialog::Accepted;
}

void QtModalWindows::ShowOrderForm() {
    if (order_)
        order_().exec();
}

void QtModalWindows::ShowQuickBuilder() {
    if (quickBuilder_)
        quickBuilder_().exec();
}

void QtModalWindows::ShowConvert() {
    if (convert_)
        convert_().exec();
}

} // namespace pelmora

namespace pelmora {

void QtModalWindows::ShowPreview() {
    if (preview_)
        preview_().exec();
}

} // namespace pelmora

namespace pelmora {

ModalResult QtModalWindows::ShowQuickUpdate(QuickUpdateForm& form) {
    TfrmQuickUpdate dialog(form, messages_, parent_);
    return dialog.exec() == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
}

void QtModalWindows::ShowUpdateOptions(UpdateOptionsForm& form) {
    TfrmUpdateOptions dialog(form, parent_);
    dialog.exec();
}

void QtModalWindows::ShowAbout(AboutForm& form) {
    TfrmAbout dialog(form, messages_, parent_);
    dialog.exec();
}

} // namespace pelmora
