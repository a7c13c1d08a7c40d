#pragma once

#include "platform/BusyCursor.h"
#include "platform/Clock.h"
#include "platform/ConfirmDialogs.h"
#include "platform/FileDialogs.h"
#include "platform/HelpViewer.h"
#include "platform/Internet.h"
#include "platform/ModalWindows.h"
#include "platform/Platform.h"
#include "support/FakeMessageBoxes.h"
#include "support/RecordingCanvas.h"

#include <deque>
#include <functional>
#include <optional>
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
    bool AnswersContinue() const override { return Unasked; }

    std::vector<std::string> Shown;
    std::deque<ModalResult> Answers;
    // Continue is the answer, and nothing is shown.
    bool Unasked = false;

private:
    ModalResult Next() {
        if (Answers.empty())
            return ModalResult::Ok;
        const ModalResult answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// Runs what the test scripts for each dialog while it is "shown".
class FakeModalWindows : public ModalWindows {
public:
    bool ShowAddToOrder() override { return AddToOrder ? AddToOrder() : false; }
    void ShowOrderForm() override { Run(Order); }
    void ShowQuickBuilder() override { Run(QuickBuilder); }
    void ShowConvert() override { Run(Convert); }
    void ShowPreview() override { Run(Preview); }
    ModalResult ShowQuickUpdate(QuickUpdateForm& form) override {
        return QuickUpdate ? QuickUpdate(form) : ModalResult::Cancel;
    }
    void ShowUpdateOptions(UpdateOptionsForm& form) override {
        if (UpdateOptions)
            UpdateOptions(form);
    }
    void ShowAbout(AboutForm& form) override {
        if (About)
            About(form);
    }
    std::function<bool()> AddToOrder;
    std::function<void()> Order;
    std::function<void()> QuickBuilder;
    std::function<void()> Convert;
    std::function<void()> Preview;
    std::function<ModalResult(QuickUpdateForm&)> QuickUpdate;
    std::function<void(UpdateOptionsForm&)> UpdateOptions;
    std::function<void(AboutForm&)> About;

private:
    static void Run(const std::function<void()>& dialog) {
        if (dialog)
            dialog();
    }
};

class FakeFileDialogs : public FileDialogs {
public:
    std::optional<SaveChoice> AskSaveFile(const std::string& filter,
                                          const std::string& suggested) override {
        Filters.push_back(filter);
        Starts.push_back(suggested);
        return Choice;
    }
    std::optional<std::string> AskOpenFile(const std::string& filter,
                                           const std::string& folder) override {
        Filters.push_back(filter);
        Starts.push_back(folder);
        return OpenChoice;
    }
    std::optional<SaveChoice> Choice;
    std::optional<std::string> OpenChoice;
    std::vector<std::string> Filters;
    // The suggested name or folder each dialog was opened with.
    std::vector<std::string> Starts;
};

// Records each switch of the hourglass cursor: true shown, false restored.
class FakeBusyCursor : public BusyCursor {
public:
    void Show(bool busy) override { Shown.push_back(busy); }
    std::vector<bool> Shown;
};

class FakeClock : public Clock {
public:
    Date Today() override { return Now; }
    Date Now{std::chrono::year(2026), std::chrono::December, std::chrono::day(7)};
};

// Downloads and openings answer from a script; every call is written down.
class FakeInternet : public Internet {
public:
    bool Download(const std::string& url, const std::string& target) override {
        Calls.push_back("download " + url + " " + target);
        return Succeed;
    }
    bool Open(const std::string& what) override {
        Calls.push_back("open " + what);
        return Opens;
    }
    bool Succeed = true;
    bool Opens = true;
    std::vector<std::string> Calls;
};

// Every seam of the core, scripted and recording.
struct FakePlatform {
    FakeMessageBoxes Messages;
    FakeHelpViewer Help;
    FakeConfirmDialogs Confirm;
    FakeModalWindows Windows;
    FakeFileDialogs Files;
    FakeBusyCursor Busy;
    FakePrinter Print;
    FakeClock Time;
    FakeInternet Net;
    Platform Seams{Messages, Help, Confirm, Windows, Files, Busy, Print, Time, Net};
};

} // namespace pelmora::testing
