#pragma once

#include "platform/FileDialogs.h"

class QWidget;

namespace pelmora {

// Qt's own file dialogs (the same on every desktop, so that what the user picks is
// what the program reads back).
class QtFileDialogs : public FileDialogs {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<SaveChoice> AskSaveFile(const std::string& filter,
                                          const std::string& suggested) override;
    std::optional<std::string> AskOpenFile(const std::string& filter,
                                           const std::string& folder) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace pelmora
