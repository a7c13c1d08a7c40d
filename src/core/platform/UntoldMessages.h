#pragma once

#include "MessageBoxes.h"

namespace pelmora {

// Messages nobody is shown: work done ahead or again, whose messages were, or will
// be, told where the user asked for it.
class UntoldMessages : public MessageBoxes {
public:
    void Error(const std::string&) override {}
    void Information(const std::string&) override {}
    bool Confirm(const std::string&) override { return false; }
    bool ConfirmDestructive(const std::string&) override { return false; }
    Answer AskYesNoCancel(const std::string&) override { return Answer::Cancel; }
};

} // namespace pelmora
