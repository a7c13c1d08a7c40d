#pragma once

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

// One selection of the wizard: its key, the code and the name it shows.
struct Selection {
    const char* Key;
    std::string Code;
    std::string Name;
};
std::vector<Selection> Selections(const MainForm& form, const AppState& app);

// The selections, the description grid, whether screen 1 is complete, the order
// description, the part number, and "lists": every list, box, picture and command
// of both screens as the window shows it.
nlohmann::json WizardJson(const MainForm& form, const AppState& app);

} // namespace pelmora::service
