#include "PartNumberHistory.h"

#include "catalogue/Errors.h"
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
}

void PartNumberHistory::SaveIntoFolder(const std::string& folder, const std::string& fileName,
                                       MessageBoxes& messages) const {
    if (!FolderExists(folder))
        return;
    try {
        WriteLines(ResolvePath(folder) + fileName, Items);
    } catch (const FileError& error) {
        messages.Error(error.what());
    }
}

} // namespace pelmora
