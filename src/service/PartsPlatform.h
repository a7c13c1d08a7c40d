#pragma once

#include "ViewPlatform.h"

#include <string>
#include <vector>

namespace pelmora::service {

// The seams for a walk over every part: Create's confirmations are answered
// Continue without a word, and the messages the forms show are kept once each, up
// to a limit, so that a table that fails for every part cannot fill the memory.
class PartsPlatform : public service::ViewPlatform {
public:
    static constexpr size_t KeptMessages = 20;

    void Error(const std::string& text) override { Keep({"error", text}); }
    void Information(const std::string& text) override { Keep({"info", text}); }
    bool Confirm(const std::string&) override { return true; }
    bool ConfirmDestructive(const std::string&) override { return true; }
    Answer AskYesNoCancel(const std::string&) override { return Answer::Yes; }
    ModalResult ConfirmTapered(const std::string&) override { return ModalResult::Ok; }
    ModalResult ConfirmLegSwap(const std::string&, const std::string&) override {
        return ModalResult::Ok;
    }
    bool AnswersContinue() const override { return true; }

    // In the order first shown.
    std::vector<service::Shown> Kept;

private:
    void Keep(const service::Shown& message);
};

} // namespace pelmora::service
