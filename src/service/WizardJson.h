#pragma once

#include "JsonWriter.h"
#include "ViewPlatform.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace pelmora {
struct AppState;
class MainForm;
} // namespace pelmora

// The one view of a wizard that the command line and the web server show: what
// the window's controls would show, as JSON (texts in UTF-8).
namespace pelmora::service {

// Windows-1252 bytes as a JSON string.
nlohmann::json Text(const std::string& bytes);

// The messages recorded from the given one on.
nlohmann::json MessagesJson(const std::vector<Shown>& log, size_t from = 0);
// The same written out, those from the first up to (not including) the last.
void WriteMessages(JsonWriter& out, const std::vector<Shown>& log, size_t first, size_t last);

// One selection of the wizard: its key, the code and the name it shows.
struct Selection {
    const char* Key;
    std::string Code;
    std::string Name;
};
std::vector<Selection> Selections(const MainForm& form, const AppState& app);

// What a command adds to the wizard's own members: the input it was given
// (Windows-1252), the messages shown.
struct WizardExtras {
    const std::string* Input = nullptr;
    const std::vector<Shown>* Messages = nullptr;
    // Without what the window hides, as ShownState leaves the document.
    bool ShownOnly = false;
};

// The selections, the description grid, whether screen 1 is complete, the order
// description, the part number, and "lists": every list, box, picture and command
// of both screens as the window shows it; one object, written out.
void WriteWizard(JsonWriter& out, const MainForm& form, const AppState& app,
                 const WizardExtras& extras = {});

} // namespace pelmora::service
