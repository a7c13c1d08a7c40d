#pragma once

#include "platform/ConfirmDialogs.h"
#include "platform/HelpViewer.h"
#include "platform/Platform.h"
#include "support/FakeMessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

namespace pelmora::testing {

class FakeHelpViewer : public HelpViewer {
public:
    void ShowHelp(const std::string& helpFile, int topic) override {
        Shown.push_back(helpFile + "#" + std::to_string(topic));
    }
    std::vector<std::string> Shown;
};

// Records the texts of both confirmation dialogs and answers from a script (Ok
// when the script has run out).
class FakeConfirmDialogs : public ConfirmDialogs {
public:
    ModalResult ConfirmTapered(const std::string& message) override {
        Shown.push_back(message);
        return Next();
    }
    ModalResult ConfirmLegSwap(const std::string& line1, const std::string& line2) override {
        Shown.push_back(line1 + "\n" + line2);
        return Next();
    }

    std::vector<std::string> Shown;
    std::deque<ModalResult> Answers;

private:
    ModalResult Next() {
        if (Answers.empty())
            return ModalResult::Ok;
        const ModalResult answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// Every seam of the core, scripted and recording.
struct FakePlatform {
    FakeMessageBoxes Messages;
    FakeHelpViewer Help;
    FakeConfirmDialogs Confirm;
    Platform Seams{Messages, Help, Confirm};
};

} // namespace pelmora::testing
