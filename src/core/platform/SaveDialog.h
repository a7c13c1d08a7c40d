#pragma once

#include <optional>
#include <string>

namespace pelmora {

struct SaveChoice {
    std::string FileName;
    int FilterIndex = 1; // 1-based, as the filter lists them
};

// The save dialog: asks before overwriting a file and wants an existing folder.
// The filter is "Name|*.ext|Name|*.ext..."; nothing comes back when cancelled.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;

    virtual std::optional<SaveChoice> AskSaveFile(const std::string& filter) = 0;
};

} // namespace pelmora
