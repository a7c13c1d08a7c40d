#include "QtConfirmDialogs.h"

#include "Text1252Qt.h"
#include "TfrmConfirmTapered.h"
#include "TfrmSwapConfirm.h"

namespace pelmora {

ModalResult QtConfirmDialogs::ConfirmTapered(const std::string& message) {
    TfrmConfirmTapered dialog(MessageText(message), parent_);
    return dialog.exec() == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
}

ModalResult QtConfirmDialogs::ConfirmLegSwap(const std::string& line1, const std::string& line2) {
    TfrmSwapConfirm dialog(FromCore(line1), FromCore(line2), parent_);
    switch (dialog.exec()) {
    case QDialog::Accepted:
        return ModalResult::Ok;
    case TfrmSwapConfirm::SwapResult:
        return ModalResult::Retry;
    default:
        return ModalResult::Cancel;
    }
}

} // namespace pelmora
