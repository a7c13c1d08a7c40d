#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "WizardWalk.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/Text1252.h"
#include "wizard/MainForm.h"

namespace pelmora::service {

std::vector<std::string> ScriptActions(const std::string& text) {
    std::vector<std::string> actions;
    for (const std::string& line : SplitLines(text)) {
        const std::string_view action = TrimControlAndBlank(line);
        if (!action.empty() && action.front() != '#')
            actions.emplace_back(action);
    }
    return actions;
}

// User actions on one wizard, in the order given, as a user does them.
Reply Walk(Session& session, const std::vector<std::string>& actions, bool steps) {
    if (actions.empty())
        throw RequestError("walk needs actions, or --script FILE");
    auto form = StartWizard(session);
    WizardWalk walk(*form, session.App, session.Platform);
    Reply reply;
    // "state" sorts before "steps", yet comes after them: the steps are written
    // aside as the walk goes and put in their place at the end.
    JsonWriter done;
    done.Array();
    for (const std::string& asked : actions) {
        const Step step = walk.Do(asked);
        // The action and its refusal hold the user's own text, which need not be UTF-8.
        const std::string action = AsUtf8(step.Action);
        const std::string refusal = AsUtf8(step.Refusal);
        if (!refusal.empty()) {
            reply.Status = Negative;
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
    JsonWriter out;
    out.Object().Key("state");
    WriteWizard(out, *form, session.App, {nullptr, &session.Platform.Log});
    out.Key("steps").Written(done.Json()).End();
    reply.Json = out.Take();
    const std::vector<std::string> shown = WizardLines(*form, session.App);
    reply.Lines.insert(reply.Lines.end(), shown.begin(), shown.end());
    return reply;
}

} // namespace pelmora::service
