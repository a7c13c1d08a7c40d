#pragma once

#include <string>

namespace pelmora {

enum class ModalResult { Ok, Cancel, Retry };

// The two "Confirm Configuration" dialogs of the Create command.
class ConfirmDialogs {
public:
    virtual ~ConfirmDialogs() = default;

    // "&Continue" answers Ok, "&Cancel" Cancel.
    virtual ModalResult ConfirmTapered(const std::string& message) = 0;
    // "&Continue" answers Ok, "&Swap" Retry, "&Cancel" Cancel.
    virtual ModalResult ConfirmLegSwap(const std::string& line1, const std::string& line2) = 0;
    // True where both are answered Continue without being shown (a walk over every
    // part): Create then composes no text for them.
    virtual bool AnswersContinue() const { return false; }
};

} // namespace pelmora
