#pragma once

#include "Session.h"
#include "catalogue/TxtTable.h"
#include "order/OrderFiles.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelmora {
class MainForm;
}

// What each command does, for every face that is not the window: plain request
// values in (texts in UTF-8), a reply out. A request the command cannot work with
// throws RequestError.
namespace pelmora::service {

// The price and delivery the Add to Order dialog shows for each part number, for
// the quantity given ("1" when none).
Reply Quote(Session& session, const std::vector<std::string>& parts,
            const std::optional<std::string>& quantity);
// The wizard set from a part number as the Quick Builder sets it, and what Create
// then composes.
Reply Describe(Session& session, const std::string& part);
// The wizard walked in screen order from key=value choices.
Reply Build(Session& session, const std::vector<std::string>& choices);
// The keys of build, in screen order, with what each takes.
struct BuildKey {
    const char* Name;
    const char* Takes;
};
const std::vector<BuildKey>& BuildKeys();
std::vector<std::string> BuildKeyNames();
// The values a key of build or walk ("family", "pick:length", ...) takes once the
// choices or actions before it are made, as the wizard then offers them: each
// entry's code, then its name, in UTF-8, each once. For completion.
std::vector<std::string> OfferedValues(Session& session, const std::string& key,
                                       const std::vector<std::string>& before);
// User actions on one wizard, in the order given; with steps, the state after each.
// The document holds "actions": the short list that brings a fresh wizard to the
// same state.
Reply Walk(Session& session, const std::vector<std::string>& actions, bool steps);
// A walk of the first actions only, when there are more than most, with a message
// that says so: a link that is too long still opens a configuration.
Reply WalkAtMost(Session& session, const std::vector<std::string>& actions, bool steps,
                 size_t most);
// The actions of a script: one a line, blank lines and lines starting with "#"
// skipped. An unknown action throws RequestError at its place: "NAME:LINE: ...".
std::vector<std::string> ScriptActions(const std::string& text, const std::string& name);
// The conversion dialog's lookup of an old part number.
Reply Convert(Session& session, const std::string& oldPart);
// The catalogue maintainer's check of every table. Each finding is handed on as it
// comes, as JSON and as the line the command line prints, so that millions of them
// are never held at once.
using FindingSink = std::function<void(const nlohmann::json& finding, const std::string& line)>;
struct CheckTotals {
    int Errors = 0;
    int Warnings = 0;
    int Status = Success;
};
// With parts, every part the tables make is checked too.
CheckTotals Check(Session& session, const FindingSink& found, bool parts);

// An RFQ list priced into an order as the Add to Order dialog adds its lines, or
// an order the program saved, taken as it stands.
struct Order {
    TTxtTable Lines;
    // The descriptions that hold characters the lines cannot.
    WideDescriptions Wide;
    // The lines of the list that were not taken: {"line", "reason"}.
    nlohmann::json Skipped = nlohmann::json::array();
    int Status = Success;
};
// The text as read (UTF-8 or Windows-1252), the name it is known by in messages.
Order MakeOrder(Session& session, std::string text, const std::string& name);
// The order as JSON, with the messages shown, and as printed lines.
Reply OrderReply(const Session& session, const Order& order);
// Tells each description whose characters the file of the format ("xls", "txt",
// "xml", or "bom" for the bill of materials) cannot hold; Negative when there is one.
int TellLostCharacters(Session& session, const Order& order, const std::string& format);

// The main form started as the window starts it (the units setting read from
// "Pelmora.ini"); nothing is written back.
std::unique_ptr<MainForm> StartWizard(Session& session);
// The part number typed into the Quick Builder: trimmed, in upper case, applied.
// Nothing of its history is kept.
void QuickBuild(Session& session, MainForm& form, const std::string& partNumber);
// What the wizard shows: family, every selection, the description grid, whether
// screen 1 is complete, the order description and the part number.
Reply WizardReply(Session& session, const MainForm& form, const std::string& input);
// The same as lines of text.
std::vector<std::string> WizardLines(const MainForm& form, const AppState& app);

} // namespace pelmora::service
