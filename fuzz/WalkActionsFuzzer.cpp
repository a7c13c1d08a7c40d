// Any lines as the actions of a walk (the command line's walk, the web server's
// state requests), against the shipped catalogue: every action that exists is done
// or refused, never crashes, and leaves every list's selected entry within the list; the state
// is a JSON document that can be written.
#include "Require.h"
#include "Session.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "WizardWalk.h"
#include "catalogue/AppState.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TableSource.h"
#include "support/TempFolder.h"
#include "wizard/MainForm.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace pelmora::fuzzing {
namespace {

using nlohmann::json;

// The wizard started once on a copy of the shipped catalogue; each input walks a
// copy of it. Nothing writes the catalogue's tables, so each is read once.
struct Session {
    Session() {
        std::filesystem::copy(PELMORA_SHIPPED_DIR, folder.Path(),
                              std::filesystem::copy_options::recursive);
        app.SetFolders(folder.Path());
        app.Cache = &cache;
        started = std::make_unique<MainForm>(app, platform.Seams());
        started->FormCreate();
        imperial = app.ImperialUnits;
    }

    testing::TempFolder folder;
    TableCache cache{TableCache::ShortRun};
    AppState app;
    service::ViewPlatform platform;
    std::unique_ptr<MainForm> started;
    bool imperial = true;
};

Session& TheSession() {
    static Session session;
    return session;
}

void CheckSelected(long long selected, size_t rows) {
    Require(selected >= -1 && selected < static_cast<long long>(rows),
            "a list's selected entry is one of its rows, or none");
}

// What the state would show, read from the form itself: cheap enough for every step.
void CheckForm(const MainForm& form, const AppState& app) {
    for (const ComboState* list : {&form.cbxProductType, &form.cbxWaveguide, &form.cbxFlangeA,
                                   &form.cbxFlangeB, &form.cbxCoax, &form.cbxFinish})
        CheckSelected(list->ItemIndex, list->Items.size());
    for (const TPelmoraComboBox* box : {&form.cbxLength, &form.cbxLegALength, &form.cbxLegBLength})
        CheckSelected(box->ItemIndex, box->Items.size());
    Require(form.ActivePage == MainForm::ScreenOne || form.ScreenOneComplete(),
            "screen 2 shows only after a complete screen 1");
    service::Selections(form, app);
}

// The state as the web server sends it. Building it costs as much as a whole walk,
// so it is built for the last state of one input in four, picked by the input's
// length: any state a walk passes is the last state of a shorter walk, and a line
// break after the last line changes the length, not the walk, so the fuzzer meets
// every state in an input whose state is built.
void CheckState(const MainForm& form, const AppState& app) {
    service::JsonWriter out;
    service::WriteWizard(out, form, app);
    // Throws on text that is not UTF-8.
    const json state = json::parse(out.Json());
    Require(state.dump() == out.Json(), "the state is written as its tree dumps it");
    const json& lists = state.at("lists");
    for (const char* name : {"productType", "waveguide", "flangeA", "flangeB", "coax", "finish"})
        CheckSelected(lists.at(name).at("selected").get<long long>(),
                      lists.at(name).at("rows").size());
    for (const char* name : {"length", "legA", "legB"})
        CheckSelected(lists.at(name).at("selected").get<long long>(),
                      lists.at(name).at("entries").size());
    const auto screen = lists.at("screen").get<int>();
    Require(screen == 1 || screen == 2, "the wizard shows screen 1 or 2");
    Require(screen == 1 || state.at("screenOneComplete").get<bool>(),
            "screen 2 shows only after a complete screen 1");
}

} // namespace
} // namespace pelmora::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pelmora;
    using namespace pelmora::fuzzing;
    Session& session = TheSession();
    session.app.ImperialUnits = session.imperial;
    session.platform.Log.clear();
    MainForm form = *session.started;
    service::WizardWalk walk(form, session.app, session.platform);
    const std::vector<std::string> actions =
        SplitLines(std::string(reinterpret_cast<const char*>(data), size));
    for (size_t i = 0; i < actions.size() && i < 40; ++i) {
        try {
            service::WizardWalk::CheckAction(actions[i]);
        } catch (const service::RequestError&) {
            // The command line and the server refuse the whole walk before it starts.
            continue;
        }
        const service::Step step = walk.Do(actions[i]);
        Require(step.Action == actions[i], "a step names its action as given");
        Require(step.FirstMessage <= step.LastMessage &&
                    step.LastMessage == session.platform.Log.size(),
                "a step's messages are the ones it showed");
        json{{"action", service::AsUtf8(step.Action)},
             {"refusal", service::AsUtf8(step.Refusal)},
             {"messages", service::MessagesJson(session.platform.Log, step.FirstMessage)}}
            .dump();
        CheckForm(form, session.app);
    }
    if (size % 4 == 0)
        CheckState(form, session.app);
    return 0;
}
