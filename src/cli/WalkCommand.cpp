#include "Cli.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "WizardReport.h"
#include "WizardWalk.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/Text1252.h"
#include "wizard/MainForm.h"

namespace pelmora::cli {

namespace {

// One action a line; blank lines and lines starting with "#" are skipped.
Arguments ScriptActions(const std::string& path) {
    std::string text;
    try {
        text = ReadInputFile(path);
    } catch (const FileError& error) {
        throw UsageError(error.what());
    }
    Arguments actions;
    for (const std::string& line : SplitLines(text)) {
        const std::string_view action = TrimControlAndBlank(line);
        if (!action.empty() && action.front() != '#')
            actions.emplace_back(action);
    }
    return actions;
}

} // namespace

// User actions on one wizard, in the order given, as a user does them.
int Walk(Cli& cli, const Arguments& given, const std::optional<std::string>& script, bool steps) {
    const Arguments actions = script ? ScriptActions(*script) : given;
    if (actions.empty())
        throw UsageError("walk needs actions, or --script FILE");
    auto form = StartWizard(cli);
    view::WizardWalk walk(*form, cli.App, cli.Platform);
    int result = Success;
    nlohmann::json done = nlohmann::json::array();
    for (const std::string& asked : actions) {
        const view::Step step = walk.Do(asked);
        // The action and its refusal hold the user's own text, which need not be UTF-8.
        const std::string action = view::AsUtf8(step.Action);
        const std::string refusal = view::AsUtf8(step.Refusal);
        if (!refusal.empty()) {
            result = Negative;
            if (!cli.Json)
                cli.Out << TabSeparatedLine({"refused", action, refusal}) << '\n';
        }
        nlohmann::json entry{
            {"action", action},
            {"done", refusal.empty()},
            {"refusal", refusal.empty() ? nlohmann::json() : nlohmann::json(refusal)},
            {"messages", view::MessagesJson(cli.Platform.Log, step.FirstMessage)}};
        entry["messages"].erase(
            entry["messages"].begin() +
                static_cast<std::ptrdiff_t>(step.LastMessage - step.FirstMessage),
            entry["messages"].end());
        if (steps)
            entry["state"] = view::WizardJson(*form, cli.App);
        done.push_back(std::move(entry));
    }
    if (cli.Json) {
        nlohmann::json state = view::WizardJson(*form, cli.App);
        state["messages"] = cli.Messages();
        cli.Print(nlohmann::json{{"steps", std::move(done)}, {"state", std::move(state)}});
    } else {
        PrintWizard(cli, *form, "");
    }
    return result;
}

} // namespace pelmora::cli
