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

namespace {

// The walk, with a message of the caller's added to the state's messages.
Reply WalkWithNote(Session& session, const std::vector<std::string>& actions, bool steps,
                   const std::string& note) {
    if (actions.empty())
        throw RequestError("walk needs actions, or --script FILE");
    // A mistyped action fails the walk before it starts, not as one refused step.
    for (const std::string& action : actions)
        WizardWalk::CheckAction(action);
    auto form = StartWizard(session);
    const bool startsImperial = session.App.ImperialUnits;
    WizardWalk walk(*form, session.App, session.Platform);
    Reply reply;
    JsonWriter done;
    done.Array();
    std::vector<std::string> taken;
    for (const std::string& asked : actions) {
        const Step step = walk.Do(asked);
        // The action and its refusal hold the user's own text, which need not be UTF-8.
        const std::string action = AsUtf8(asked);
        const std::string refusal = AsUtf8(step.Refusal);
        if (refusal.empty()) {
            taken.push_back(action);
        } else {
            reply.Status = Negative;
            if (session.WantsLines)
                reply.Lines.push_back(TabSeparatedLine({"refused", action, refusal}));
        }
        done.Object().Key("action").String(action).Key("done").Bool(refusal.empty());
        done.Key("messages");
        WriteMessages(done, session.Platform.Log, step.FirstMessage, step.LastMessage);
        done.Key("refusal");
        if (refusal.empty())
            done.Null();
        else
            done.String(refusal);
        if (steps) {
            done.Key("state");
            WriteWizard(done, *form, session.App);
        }
        done.End();
    }
    done.End();
    if (!note.empty()) {
        session.Platform.Log.push_back({"error", note});
        reply.Status = Negative;
    }
    // The way here, when no shorter one leads to the same place. Only a shorter list
    // is walked again to be sure of it: most requests keep their own.
    std::vector<std::string> shortest = StateActions(*form, session.App, startsImperial);
    if (shortest.size() >= taken.size() || !BringsBack(shortest, *form, session.App))
        shortest = std::move(taken);
    JsonWriter out;
    out.Object().Key("actions").Array();
    for (const std::string& action : shortest)
        out.String(action);
    out.End().Key("state");
    WriteWizard(out, *form, session.App, {nullptr, &session.Platform.Log});
    out.Key("steps").Written(done.Json()).End();
    reply.Json = out.Take();
    if (session.WantsLines) {
        const std::vector<std::string> shown = WizardLines(*form, session.App);
        reply.Lines.insert(reply.Lines.end(), shown.begin(), shown.end());
    }
    return reply;
}

} // namespace

// User actions on one wizard, in the order given, as a user does them.
Reply Walk(Session& session, const std::vector<std::string>& actions, bool steps) {
    return WalkWithNote(session, actions, steps, {});
}

Reply WalkAtMost(Session& session, const std::vector<std::string>& actions, bool steps,
                 size_t most) {
    if (actions.size() <= most)
        return Walk(session, actions, steps);
    const std::vector<std::string> taken(actions.begin(),
                                         actions.begin() + static_cast<std::ptrdiff_t>(most));
    return WalkWithNote(session, taken, steps,
                        "The link holds " + std::to_string(actions.size()) +
                            " actions, more than the " + std::to_string(most) +
                            " taken: this is the configuration after the first " +
                            std::to_string(most) + ".");
}

} // namespace pelmora::service
