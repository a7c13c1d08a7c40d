#pragma once

#include "platform/SaveDialog.h"

class QWidget;

namespace pelmora {

class QtSaveDialog : public SaveDialog {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<SaveChoice> AskSaveFile(const std::string& filter) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace pelmora
