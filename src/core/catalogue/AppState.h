#pragma once

#include "Deployment.h"
#include "TableSource.h"

#include <string>

namespace pelmora {

class MessageBoxes;

// The process-wide state every form shares. One object is made at start and
// passed by reference, so tests and the command line can point it anywhere.
struct AppState {
    std::string AppDir;    // folder of the executable, ending in '/'
    std::string ImagesDir; // AppDir + "Images/"
    std::string DataDir;   // AppDir + "Data/"
    // Where the settings, and the recovery file of the order, are kept.
    std::string SettingsDir;
    bool ImperialUnits = true;
    bool BuildingFromPartNumber = false;
    // Where the installer is downloaded from.
    std::string UpdateUrl = InstallerUrl();
    // Set for a short-lived run that may keep tables once read.
    TableCache* Cache = nullptr;

    void SetFolders(std::string appDir);
    TableSource Tables(MessageBoxes& messages) const { return {DataDir, messages, Cache}; }
};

} // namespace pelmora
