#pragma once

#include <string>

namespace pelmora {

// The modal message boxes the forms show. Texts are Windows-1252; a "\r" inside a
// text is a line break.
enum class Answer { Yes, No, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    virtual void Error(const std::string& text) = 0;
    virtual void Information(const std::string& text) = 0;
    // Yes answers true, No false.
    virtual bool Confirm(const std::string& text) = 0;
    // The same for a question whose Yes destroys something: No is the default
    // button, so that a stray Enter keeps it.
    virtual bool ConfirmDestructive(const std::string& text) = 0;
    // A question with Yes, No and Cancel.
    virtual Answer AskYesNoCancel(const std::string& text) = 0;
};

} // namespace pelmora
