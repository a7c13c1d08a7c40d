#pragma once

#include "platform/ConfirmDialogs.h"

class QWidget;

namespace pelmora {

// Shows the two confirmation dialogs modally, each made for one use.
class QtConfirmDialogs : public ConfirmDialogs {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }

    ModalResult ConfirmTapered(const std::string& message) override;
    ModalResult ConfirmLegSwap(const std::string& line1, const std::string& line2) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace pelmora
