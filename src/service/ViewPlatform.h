#pragma once

#include "platform/BusyCursor.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/ConfirmDialogs.h"
#include "platform/FileDialogs.h"
#include "platform/HelpViewer.h"
#include "platform/Internet.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalWindows.h"
#include "platform/Platform.h"
#include "platform/Printer.h"

#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pelmora::service {

// A message box the forms showed, as the command line and the server report it.
struct Shown {
    std::string Kind; // "error", "info" or "question"
    std::string Text;
    // The line of the input the message is about; 0 when it is about none.
    int Line = 0;
};

// The seams of the core without a window: every message box is recorded (and, for
// the command line, written as a line "error: ", "info: " or "question: " and its
// text); questions and confirmation dialogs are answered as the caller says;
// nothing is printed, downloaded or opened.
class ViewPlatform : public MessageBoxes,
                     public HelpViewer,
                     public ConfirmDialogs,
                     public ModalWindows,
                     public FileDialogs,
                     public BusyCursor,
                     public Printer,
                     public Clock,
                     public Internet {
public:
    // Messages are echoed on the stream when there is one.
    explicit ViewPlatform(std::ostream* echo = nullptr) : echo_(echo) {}

    Platform& Seams() { return seams_; }

    void Error(const std::string& text) override { Show("error", text); }
    // A message about a line of the input. It is only recorded: the face tells
    // such messages in line order, with the input's name.
    void ShowAt(const std::string& kind, size_t line, const std::string& text) {
        Log.push_back({kind, text, static_cast<int>(line)});
    }
    void Information(const std::string& text) override { Show("info", text); }
    bool Confirm(const std::string& text) override;
    bool ConfirmDestructive(const std::string& text) override { return Confirm(text); }
    Answer AskYesNoCancel(const std::string& text) override;

    ModalResult ConfirmTapered(const std::string& message) override;
    ModalResult ConfirmLegSwap(const std::string& line1, const std::string& line2) override;

    bool ShowAddToOrder() override { return AddToOrder ? AddToOrder() : false; }
    void ShowOrderForm() override {}
    void ShowQuickBuilder() override {}
    void ShowConvert() override {}
    void ShowHelp(const std::string&, int) override {}
    std::optional<SaveChoice> AskSaveFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskOpenFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void Show(bool) override {}
    void ShowPreview() override {}
    // Nothing is printed from the command line.
    bool AskPrint(const std::string&) override { return false; }
    int PageWidth() override { return 0; }
    std::unique_ptr<Canvas> OffscreenPage() override { return nullptr; }
    Canvas& BeginJob(const std::string&) override { throw std::logic_error("no printer"); }
    void EndJob() override {}
    // Nor is anything downloaded or shown.
    ModalResult ShowQuickUpdate(QuickUpdateForm&) override { return ModalResult::Cancel; }
    void ShowUpdateOptions(UpdateOptionsForm&) override {}
    void ShowAbout(AboutForm&) override {}
    Date Today() override;
    bool Download(const std::string&, const std::string&) override { return false; }
    bool Open(const std::string&) override { return false; }

    bool YesToQuestions = true;
    ModalResult ConfirmAnswer = ModalResult::Ok;
    // What happens while the Add to Order dialog is "shown".
    std::function<bool()> AddToOrder;
    std::vector<Shown> Log;
    // Cut out of every message: a face whose users must not learn the server's
    // folders names the catalogue's files alone.
    std::vector<std::string> HiddenFolders;

private:
    void Show(const std::string& kind, const std::string& text);

    std::ostream* echo_;
    Platform seams_{*this, *this, *this, *this, *this, *this, *this, *this, *this};
};

} // namespace pelmora::service
