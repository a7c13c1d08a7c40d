#pragma once

#include <string>

namespace pelmora {

// The process-wide state every form shares. One object is made at start and
// passed by reference, so tests and the command line can point it anywhere.
struct AppState {
    std::string AppDir;    // folder of the executable, ending in '/'
    std::string ImagesDir; // AppDir + "Images/"
    std::string DataDir;   // AppDir + "Data/"
    bool ImperialUnits = true;
    bool BuildingFromPartNumber = false;

    void SetFolders(std::string appDir);
};

} // namespace pelmora
