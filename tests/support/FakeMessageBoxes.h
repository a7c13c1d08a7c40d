#pragma once

#include "platform/MessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

namespace pelmora::testing {

// Records every message box and answers confirmations from a script (Yes when
// the script has run out).
class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        std::string Kind;
        std::string Text;
        bool operator==(const Shown&) const = default;
    };

    void Error(const std::string& text) override { Log.push_back({"error", text}); }
    void Information(const std::string& text) override { Log.push_back({"info", text}); }
    bool Confirm(const std::string& text) override { return Reply("confirm", text); }
    bool ConfirmDestructive(const std::string& text) override {
        return Reply("confirm, default No", text);
    }
    bool Reply(const std::string& kind, const std::string& text) {
        Log.push_back({kind, text});
        if (Answers.empty())
            return true;
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    Answer AskYesNoCancel(const std::string& text) override {
        Log.push_back({"ask", text});
        if (ThreeWayAnswers.empty())
            return Answer::Yes;
        const Answer answer = ThreeWayAnswers.front();
        ThreeWayAnswers.pop_front();
        return answer;
    }

    std::vector<Shown> Log;
    std::deque<bool> Answers;
    std::deque<Answer> ThreeWayAnswers;
};

} // namespace pelmora::testing
