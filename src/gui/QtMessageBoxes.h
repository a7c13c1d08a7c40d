#pragma once

#include "platform/MessageBoxes.h"

class QWidget;

namespace pelmora {

// The message boxes of the core, shown as Qt message boxes over a window.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }

    void Error(const std::string& text) override;
    void Information(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool ConfirmDestructive(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;

private:
    QWidget* parent_;
};

} // namespace pelmora
