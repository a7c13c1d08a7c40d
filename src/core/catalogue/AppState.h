#pragma once

#include "Deployment.h"
#include "TableSource.h"

#include <optional>
#include <string>

namespace pelmora {

class MessageBoxes;

// The user's own folders (XDG base directories), each ending in '/'.
struct UserFolders {
    std::string Config; // $XDG_CONFIG_HOME, else ~/.config/
    std::string Data;   // $XDG_DATA_HOME, else ~/.local/share/
    // From the environment; a relative XDG path is ignored, as the standard says.
    static UserFolders FromEnvironment();
};

// The process-wide state every form shares. One object is made at start and
// passed by reference, so tests and the command line can point it anywhere.
//
// A portable program (its Data folder beside the executable, in a folder it may
// write: the build folder, a copy on a USB stick) keeps every file there. An
// installed one reads its catalogue from <prefix>/share/pelmora38/ and keeps the
// user's files in the user's folders, with the same names and formats.
struct AppState {
    std::string AppDir;    // the program's folder: help file, splash picture; ends in '/'
    std::string ImagesDir; // AppDir + "Images/"
    std::string DataDir;   // the catalogue: AppDir + "Data/", or the user's own catalogue
    // Pelmora.ini, update.ini and the order's recovery file.
    std::string SettingsDir;
    // Parts.hst and OldParts.hst.
    std::string HistoryDir;
    // The bill of materials and the downloaded installer.
    std::string OutputDir;
    bool Portable = true;
    bool ImperialUnits = true;
    bool BuildingFromPartNumber = false;
    // False for a wizard whose pictures nobody sees (one that only reads part
    // numbers): it then looks no picture file up.
    bool ShowsPictures = true;
    // Where the installer is downloaded from.
    std::string UpdateUrl = InstallerUrl();
    // Set for a short-lived run that may keep tables once read.
    TableCache* Cache = nullptr;

    // Every file in the folder, as a portable program keeps them.
    void SetFolders(std::string appDir);
    // The folders of the program whose executable lies in the folder: portable or
    // installed, as described above.
    void Locate(const std::string& executableDir, const UserFolders& user);
    // Whether DataDir holds a catalogue: the table of families every walk starts from.
    bool HoldsCatalogue() const;
    // Creates the user's folders an installed program writes into.
    void CreateUserFolders() const;

    TableSource Tables(MessageBoxes& messages) const { return {DataDir, messages, Cache}; }
    // The picture file of that name in ImagesDir, as FileInFolder finds it, through
    // the cache when there is one.
    std::optional<std::string> PictureFile(const std::string& name) const;
    // A file of the program's own (the settings, the help file) in the folder, its
    // name matched in any case, through the cache when there is one: a missing file
    // then costs no look at the folder while nothing in it changes. A link that
    // leads out of the folder is the file too (settings kept with the user's others).
    std::optional<std::string> OwnFile(const std::string& folder, const std::string& name) const;

private:
    // FileInFolder, through the cache when there is one.
    std::optional<std::string> FoundInFolder(const std::string& folder,
                                             const std::string& name) const;
};

} // namespace pelmora
