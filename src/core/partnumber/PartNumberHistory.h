#pragma once

#include <string>
#include <vector>

namespace pelmora {

class MessageBoxes;

// The entries of a part-number combo box, kept from one run to the next in a
// history file of one entry per line.
struct PartNumberHistory {
    std::vector<std::string> Items;

    // Appends the text unless an entry equals it, letter case ignored.
    void AddHistoryEntry(const std::string& text);
    // A missing file leaves the history empty.
    void Load(const std::string& path);
    // Writes the file when the folder exists; a file that cannot be written is
    // reported. Entries another copy of the program wrote since the file was
    // loaded are kept; entries removed here stay removed.
    void SaveIntoFolder(const std::string& folder, const std::string& fileName,
                        MessageBoxes& messages) const;

private:
    std::vector<std::string> loaded_;
};

} // namespace pelmora
