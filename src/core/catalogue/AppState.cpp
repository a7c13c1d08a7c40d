#include "AppState.h"

#include "FileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pelmora {

namespace {

constexpr const char* ProgramFolder = "pelmora38/";

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

// An XDG variable that holds an absolute path, else the default under the home.
std::string XdgFolder(const char* variable, const std::string& home, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return WithSlash(value);
    return WithSlash(home + fallback);
}

} // namespace

UserFolders UserFolders::FromEnvironment() {
    const char* home = std::getenv("HOME");
    const std::string homeDir = home && home[0] == '/' ? WithSlash(home) : std::string("/tmp/");
    return {XdgFolder("XDG_CONFIG_HOME", homeDir, ".config"),
            XdgFolder("XDG_DATA_HOME", homeDir, ".local/share")};
}

bool AppState::HoldsCatalogue() const {
    std::error_code error;
    return std::filesystem::is_regular_file(DataDir + "Family.tbl", error);
}

std::optional<std::string> AppState::FoundInFolder(const std::string& folder,
                                                   const std::string& name) const {
    return Cache ? Cache->FileInFolder(folder, name) : FileInFolder(folder, name);
}

std::optional<std::string> AppState::PictureFile(const std::string& name) const {
    return FoundInFolder(ImagesDir, name);
}

std::optional<std::string> AppState::OwnFile(const std::string& folder,
                                             const std::string& name) const {
    if (auto found = FoundInFolder(folder, name))
        return found;
    std::error_code error;
    if (fs::is_regular_file(folder + name, error))
        return folder + name;
    return std::nullopt;
}

void AppState::SetFolders(std::string appDir) {
    AppDir = WithSlash(std::move(appDir));
    ImagesDir = AppDir + "Images/";
    DataDir = AppDir + "Data/";
    SettingsDir = AppDir;
    HistoryDir = DataDir;
    OutputDir = AppDir;
    Portable = true;
}

void AppState::Locate(const std::string& executableDir, const UserFolders& user) {
    const std::string beside = WithSlash(executableDir);
    const std::string installed =
        WithSlash(fs::path(beside + "../share/pelmora38").lexically_normal().string());
    if (FolderExists(beside + "Data") && ::access(beside.c_str(), W_OK) == 0) {
        SetFolders(beside);
        return;
    }
    SetFolders(FolderExists(beside + "Data") ? beside : installed);
    Portable = false;
    SettingsDir = user.Config + ProgramFolder;
    HistoryDir = OutputDir = user.Data + ProgramFolder;
    // A maintainer tries a catalogue out in the user's own folder, without root.
    if (FolderExists(HistoryDir + "Data"))
        DataDir = HistoryDir + "Data/";
}

void AppState::CreateUserFolders() const {
    if (Portable)
        return;
    std::error_code ignored;
    fs::create_directories(SettingsDir, ignored);
    fs::create_directories(HistoryDir, ignored);
}

} // namespace pelmora
