#include "Commands.h"
#include "StateActions.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "WizardWalk.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/Text1252.h"
#include "wizard/MainForm.h"

namespace pelmora::service {

std::vector<std::string> ScriptActions(const std::string& text, const std::string& name) {
    std::vector<std::string> actions;
    const std::vector<std::string> lines = SplitLines(WithoutByteOrderMark(text));
    for (size_t line = 0; line < lines.size(); ++line) {
        const std::string_view action = TrimControlAndBlank(lines[line]);
        if (action.empty() || action.front() == '#')
            continue;
        try {
            WizardWalk::CheckAction(std::string(action));
        } catch (const RequestError& error) {
            throw RequestError(name + ":" + std::to_string(line + 1) + ": " + error.what());
        }
        actions.emplace_back(action);
    }
    return actions;
}

// User actions on one wizard, in the order given, as a user does them.
Reply Walk(Session& session, const std::vector<std::string>& actions, bool steps) {
    if (actions.empty())
        throw RequestError("walk needs actions, or --script FILE");
    // A mistyped action fails the walk before it starts, not as one refused step.
    for (const std::string& action : actions)
        WizardWalk::CheckAction(action);
    auto form = StartWizard(session);
    const bool startsImperial = session.App.ImperialUnits;
    WizardWalk walk(*form, session.App, session.Platform);
    Reply reply;
    nlohmann::json done = nlohmann::json::array();
    for (const std::string& asked : actions) {
        const Step step = walk.Do(asked);
        // The action and its refusal hold the user's own text, which need not be UTF-8.
        const std::string action = AsUtf8(step.Action);
        const std::string refusal = AsUtf8(step.Refusal);
        if (!refusal.empty()) {
            reply.Status = Negative;
            reply.Lines.push_back(TabSeparatedLine({"refused", action, refusal}));
        }
        nlohmann::json entry{
            {"action", action},
            {"done", refusal.empty()},
            {"refusal", refusal.empty() ? nlohmann::json() : nlohmann::json(refusal)},
            {"messages", MessagesJson(session.Platform.Log, step.FirstMessage)}};
        entry["messages"].erase(
            entry["messages"].begin() +
                static_cast<std::ptrdiff_t>(step.LastMessage - step.FirstMessage),
            entry["messages"].end());
        if (steps)
            entry["state"] = WizardJson(*form, session.App);
        done.push_back(std::move(entry));
    }
    nlohmann::json state = WizardJson(*form, session.App);
    state["messages"] = session.Messages();
    const std::vector<std::string> shown = WizardLines(*form, session.App);
    reply.Lines.insert(reply.Lines.end(), shown.begin(), shown.end());
    // The way here, when no shorter one leads to the same place. Only a shorter list
    // is walked again to be sure of it: most requests keep their own.
    std::vector<std::string> taken;
    for (size_t i = 0; i < actions.size(); ++i) {
        if (done[i]["done"].get<bool>())
            taken.push_back(AsUtf8(actions[i]));
    }
    std::vector<std::string> shortest = StateActions(*form, session.App, startsImperial);
    if (shortest.size() >= taken.size() || !BringsBack(shortest, state, session.App))
        shortest = std::move(taken);
    reply.Document = {
        {"steps", std::move(done)}, {"state", std::move(state)}, {"actions", shortest}};
    return reply;
}

Reply WalkAtMost(Session& session, const std::vector<std::string>& actions, bool steps,
                 size_t most) {
    if (actions.size() <= most)
        return Walk(session, actions, steps);
    const std::vector<std::string> taken(actions.begin(),
                                         actions.begin() + static_cast<std::ptrdiff_t>(most));
    Reply reply = Walk(session, taken, steps);
    reply.Status = Negative;
    reply.Document["state"]["messages"].push_back(
        {{"kind", "error"},
         {"text", "The link holds " + std::to_string(actions.size()) + " actions, more than the " +
                      std::to_string(most) + " taken: this is the configuration after the first " +
                      std::to_string(most) + "."}});
    return reply;
}

} // namespace pelmora::service
