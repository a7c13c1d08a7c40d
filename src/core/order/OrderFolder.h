#pragma once

#include <string>

namespace pelmora {

struct AppState;
class MessageBoxes;

// The folder the order's Save As and Open start in: the one last saved to or
// opened from, in this run and the next (kept in Pelmora.ini). Empty until the
// first; the dialog then starts in the user's documents.
class OrderFolder {
public:
    static constexpr const char* SuggestedName = "Pelmora Order";

    explicit OrderFolder(AppState& app) : app_(app) {}

    std::string Folder();
    // The file chosen names the folder for the next time. A setting that cannot be
    // written is told, and the folder is still kept for this run.
    void Used(const std::string& file, MessageBoxes& messages);

private:
    std::string SettingsPath() const;

    AppState& app_;
    std::string folder_;
    bool read_ = false;
};

} // namespace pelmora
