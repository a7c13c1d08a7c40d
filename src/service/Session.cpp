#include "Session.h"

#include "JsonWriter.h"
#include "WizardJson.h"
#include "catalogue/FileSystem.h"

#include <algorithm>

namespace pelmora::service {

Session::Session(const std::string& programFolder, const std::optional<std::string>& appDir,
                 std::ostream* messages, TableCache* sharedCache)
    : Platform(messages) {
    if (appDir)
        App.SetFolders(*appDir);
    else
        App.Locate(programFolder, UserFolders::FromEnvironment());
    App.Cache = sharedCache ? sharedCache : &Cache;
}

nlohmann::json Session::Messages() const {
    return MessagesJson(Platform.Log);
}

bool Session::ShowedAnError() const {
    return std::any_of(Platform.Log.begin(), Platform.Log.end(),
                       [](const Shown& shown) { return shown.Kind == "error"; });
}

std::optional<std::string> Session::MissingCatalogue() const {
    if (FolderExists(App.DataDir))
        return std::nullopt;
    std::string folder = App.AppDir;
    if (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return "no catalogue (Data/) in " + folder;
}

std::string Reply::DocumentText(bool indented) const {
    if (!Json.empty())
        return indented ? Indented(Json) : Json;
    return Document.dump(indented ? 2 : -1);
}

} // namespace pelmora::service
