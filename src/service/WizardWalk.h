#pragma once

#include "ViewPlatform.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmora {
struct AppState;
class MainForm;
struct ComboState;
} // namespace pelmora

namespace pelmora::service {

// The entry of a list a value names: "#N" by its position from 1, else the code
// (first column) or, when a name column is given, the name without regard to
// letter case. Nothing when no entry is named.
std::optional<int> FindEntry(const ComboState& list, const std::string& value, int nameColumn);
// What the list offers, for a message: "C (CPR Flat), K (UG Choke)".
std::string Offered(const ComboState& list);

// What became of one action of a walk.
struct Step {
    std::string Action;
    // Why the user could not do it at that moment (nothing changed then); empty
    // when it was done.
    std::string Refusal;
    // The messages it showed: Log entries [FirstMessage, LastMessage).
    size_t FirstMessage = 0;
    size_t LastMessage = 0;
};

// User actions on one wizard, in the order given, as a user would do them with the
// window's controls. Actions (values in UTF-8; a list entry by code, name or #N):
//   family= waveguide= flangeA= flangeB= coax=   choose an entry of screen 1
//   pick:BOX=TEXT  type:BOX=TEXT                 BOX: length, legA, legB; type:
//                                                enters, replaces and leaves the box
//   adaptor=yes|no  units=P|M  next  back  band=  finish=
//   create[=continue|swap|cancel]  apply=TEXT  quickbuild=TEXT  reset  other-ranges
class WizardWalk {
public:
    WizardWalk(MainForm& form, AppState& app, ViewPlatform& platform);

    // Throws RequestError for an action the walk does not know, before anything
    // is done.
    Step Do(const std::string& action);

    // The names of the actions, "pick:length" and the like included.
    static const std::vector<std::string>& ActionNames();
    // Throws RequestError, with the names it may have meant, for an unknown action.
    static void CheckAction(const std::string& action);

private:
    std::string Act(const std::string& name, const std::string& value, bool hasValue);
    void Apply(const std::string& text);

    MainForm& form_;
    AppState& app_;
    ViewPlatform& platform_;
};

} // namespace pelmora::service
