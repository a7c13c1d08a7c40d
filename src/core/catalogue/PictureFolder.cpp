#include "PictureFolder.h"

#include "FileSystem.h"
#include "Text1252.h"

#include <algorithm>
#include <filesystem>

namespace pelmora::check {

PictureFolder::PictureFolder(const std::string& folder) : folder_(ResolvePath(folder)) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
        const std::string name = entry.path().filename().string();
        names_.insert(name);
        spellings_.emplace(UpperCase1252(name), name);
    }
}

PictureFolder::Place PictureFolder::Find(const std::string& picture) const {
    const std::filesystem::path name(picture);
    if (name.is_absolute() || std::find(name.begin(), name.end(), "..") != name.end())
        return Outside;
    // The first name as it is on disk, so that the file is found without a
    // listing; a name no entry has in any letter case is missing.
    const std::string normal = name.lexically_normal().string();
    const size_t slash = normal.find('/');
    const auto head = OnDisk(normal.substr(0, slash));
    if (!head)
        return Missing;
    const std::string spelled = *head + (slash == std::string::npos ? "" : normal.substr(slash));
    if (FileInFolder(folder_, spelled))
        return Inside;
    // A link that leads out of the folder.
    return FileExists(folder_ + spelled) ? Outside : Missing;
}

std::optional<std::string> PictureFolder::OnDisk(const std::string& name) const {
    if (names_.count(name))
        return name;
    const auto found = spellings_.find(UpperCase1252(name));
    if (found == spellings_.end())
        return std::nullopt;
    return found->second;
}

} // namespace pelmora::check
