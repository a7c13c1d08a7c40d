#include "WebSession.h"

#include <algorithm>

namespace pelmora {

WebSession::WebSession(const std::string& programFolder, const std::optional<std::string>& appDir,
                       TableCache& cache)
    : Session(programFolder, appDir, nullptr, &cache) {
    WantsLines = false;
    std::vector<std::string>& hidden = Platform.HiddenFolders;
    hidden = {App.DataDir, App.ImagesDir, App.SettingsDir, App.AppDir};
    // The root folder alone would take every "/" out of the messages (WR62/WR90).
    std::erase_if(hidden, [](const std::string& folder) { return folder.size() < 2; });
    // A folder inside another goes first, so that none of it is left behind.
    std::sort(hidden.begin(), hidden.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
}

} // namespace pelmora
