#include "ViewPlatform.h"

#include "Utf8.h"

#include <algorithm>

namespace pelmora::service {

void ViewPlatform::Show(const std::string& kind, const std::string& shown) {
    std::string text = shown;
    for (const std::string& folder : HiddenFolders) {
        for (size_t at = folder.empty() ? std::string::npos : text.find(folder);
             at != std::string::npos; at = text.find(folder, at))
            text.erase(at, folder.size());
    }
    Log.push_back({kind, text});
    if (!echo_)
        return;
    std::string line = ToUtf8(text);
    std::replace(line.begin(), line.end(), '\r', '\n');
    *echo_ << kind << ": " << line << '\n';
}

bool ViewPlatform::Confirm(const std::string& text) {
    Show("question", text);
    return YesToQuestions;
}

Answer ViewPlatform::AskYesNoCancel(const std::string& text) {
    Show("question", text);
    return YesToQuestions ? Answer::Yes : Answer::No;
}

Date ViewPlatform::Today() {
    return Date(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
}

ModalResult ViewPlatform::ConfirmTapered(const std::string& message) {
    Show("question", message);
    return ConfirmAnswer == ModalResult::Retry ? ModalResult::Ok : ConfirmAnswer;
}

ModalResult ViewPlatform::ConfirmLegSwap(const std::string& line1, const std::string& line2) {
    Show("question", line1 + "\r" + line2);
    return ConfirmAnswer;
}

} // namespace pelmora::service
