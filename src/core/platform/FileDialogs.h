#pragma once

#include <optional>
#include <string>

namespace pelmora {

struct SaveChoice {
    std::string FileName;
    int FilterIndex = 1; // 1-based, as the filter lists them
};

// The save and open dialogs. The filter is "Name|*.ext|Name|*.ext..."; nothing
// comes back when cancelled. A dialog starts in the folder given (or the folder
// of the name suggested), or where the platform likes when that is empty.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // Asks before overwriting a file and wants an existing folder.
    virtual std::optional<SaveChoice> AskSaveFile(const std::string& filter,
                                                  const std::string& suggested) = 0;
    // Wants an existing file.
    virtual std::optional<std::string> AskOpenFile(const std::string& filter,
                                                   const std::string& folder) = 0;
};

} // namespace pelmora
