#include "CliPlatform.h"

#include "Utf8.h"

#include <algorithm>

namespace pelmora::cli {

void CliPlatform::Show(const std::string& kind, const std::string& text) {
    Log.push_back({kind, text});
    std::string line = ToUtf8(text);
    std::replace(line.begin(), line.end(), '\r', '\n');
    errors_ << kind << ": " << line << '\n';
}

bool CliPlatform::Confirm(const std::string& text) {
    Show("question", text);
    return YesToQuestions;
}

Answer CliPlatform::AskYesNoCancel(const std::string& text) {
    Show("question", text);
    return YesToQuestions ? Answer::Yes : Answer::No;
}

Date CliPlatform::Today() {
    return Date(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
}

ModalResult CliPlatform::ConfirmTapered(const std::string& message) {
    Show("question", message);
    return ConfirmAnswer == ModalResult::Retry ? ModalResult::Ok : ConfirmAnswer;
}

ModalResult CliPlatform::ConfirmLegSwap(const std::string& line1, const std::string& line2) {
    Show("question", line1 + "\r" + line2);
    return ConfirmAnswer;
}

} // namespace pelmora::cli
