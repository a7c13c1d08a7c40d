#include "OrderFolder.h"

#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "catalogue/IniFile.h"
#include "platform/MessageBoxes.h"

#include <filesystem>

namespace pelmora {

namespace {

constexpr const char* Section = "ORDER";
constexpr const char* Key = "Folder";

} // namespace

std::string OrderFolder::SettingsPath() const {
    return app_.SettingsDir + "Pelmora.ini";
}

std::string OrderFolder::Folder() {
    if (!read_) {
        folder_ = TIniFile(SettingsPath()).ReadString(Section, Key, "");
        read_ = true;
    }
    return folder_;
}

void OrderFolder::Used(const std::string& file, MessageBoxes& messages) {
    const std::string folder = std::filesystem::path(file).parent_path().string();
    if (folder.empty() || folder == Folder())
        return;
    folder_ = folder;
    try {
        TIniFile(SettingsPath()).WriteString(Section, Key, folder);
    } catch (const FileError& error) {
        messages.Error(error.what());
    }
}

} // namespace pelmora
