#include "AppState.h"

namespace pelmora {

void AppState::SetFolders(std::string appDir) {
    if (appDir.empty() || appDir.back() != '/')
        appDir += '/';
    AppDir = std::move(appDir);
    ImagesDir = AppDir + "Images/";
    DataDir = AppDir + "Data/";
    SettingsDir = AppDir;
}

} // namespace pelmora
