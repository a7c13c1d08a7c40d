#include "PartNumberHistory.h"

#include "catalogue/Errors.h"
#include "catalogue/FileLock.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TxtTable.h"
#include "platform/MessageBoxes.h"

namespace pelmora {

void PartNumberHistory::AddHistoryEntry(const std::string& text) {
    if (!IsInList(text, Items))
        Items.push_back(text);
}

void PartNumberHistory::Load(const std::string& path) {
    if (!FileExists(path))
        return;
    try {
        Items = SplitLines(ReadWholeFile(path));
    } catch (const FileError&) {
        Items.clear();
    }
    loaded_ = Items;
}

void PartNumberHistory::SaveIntoFolder(const std::string& folder, const std::string& fileName,
                                       MessageBoxes& messages) const {
    if (!FolderExists(folder))
        return;
    const std::string path = ResolvePath(folder) + fileName;
    // Without the lock after a while (a holder that hangs), the merge still runs.
    auto lock = FileLock::Take(path + ".lock", std::chrono::seconds(2));
    PartNumberHistory merged;
    merged.Load(path);
    std::erase_if(merged.Items, [this](const std::string& entry) {
        return IsInList(entry, loaded_) && !IsInList(entry, Items);
    });
    for (const std::string& entry : Items)
        merged.AddHistoryEntry(entry);
    try {
        WriteLines(path, merged.Items);
    } catch (const FileError& error) {
        messages.Error(error.what());
    }
    if (lock)
        lock->RemoveFile();
}

} // namespace pelmora
