#include "Cli.h"

#include "Utf8.h"
#include "WizardJson.h"

#include <algorithm>

namespace pelmora::cli {

Cli::Cli(const std::string& programFolder, const std::optional<std::string>& appDir, bool json,
         std::ostream& out, std::ostream& errors, TableCache* sharedCache)
    : Platform(&errors), Json(json), Out(out) {
    if (appDir)
        App.SetFolders(*appDir);
    else
        App.Locate(programFolder, UserFolders::FromEnvironment());
    App.Cache = sharedCache ? sharedCache : &Cache;
}

void Cli::Print(const std::string& bytes) {
    Out << view::ToUtf8(bytes) << '\n';
}

void Cli::Print(const nlohmann::json& document) {
    Out << document.dump(2) << '\n';
}

nlohmann::json Cli::Text(const std::string& bytes) {
    return view::Text(bytes);
}

nlohmann::json Cli::Messages() const {
    return view::MessagesJson(Platform.Log);
}

bool Cli::ShowedAnError() const {
    return std::any_of(Platform.Log.begin(), Platform.Log.end(),
                       [](const view::Shown& shown) { return shown.Kind == "error"; });
}

} // namespace pelmora::cli
