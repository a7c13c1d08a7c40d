#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace pelmora {
struct AppState;
class MainForm;
} // namespace pelmora

namespace pelmora::service {

// A short list of actions that brings a fresh wizard to what this one shows,
// derived from its state in screen order, however long the way to it was: the
// units (when not those the wizard starts in), each list's entry (its code, or
// "#N" where the code is not unique), the lengths, the adaptor, then screen 2's
// band and finish, and Create when the part number shows. Values in UTF-8.
// Not every state has one (lengths a units switch could not carry over): see
// BringsBack.
std::vector<std::string> StateActions(const MainForm& form, const AppState& app,
                                      bool startsImperial);

// The wizard's JSON view without what the window hides: the boxes and lists of
// other families keep what an earlier choice left in them, which no one sees and
// no later action reads.
nlohmann::json ShownState(nlohmann::json state);

// A fresh wizard (in the catalogue and settings of app) takes every action and
// then shows what the form shows.
bool BringsBack(const std::vector<std::string>& actions, const MainForm& form, const AppState& app);

} // namespace pelmora::service
