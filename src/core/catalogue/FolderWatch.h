#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace pelmora {

// Learns from the kernel (inotify) which files of the folders it is asked about
// changed, so that a file known unchanged needs no look at the disk. A folder is
// watched only where every change to its files is reported here: on a local file
// system, by an absolute path through no link, with each folder above it watched
// too, so that moving or deleting any of them counts as a change of every file
// below. Where no watch can be set (no inotify, a network file system, the limit
// reached), the caller looks at its files itself.
class FolderWatch {
public:
    // A count that grows with the changes reported.
    using Moment = unsigned long long;

    // At most this many folders are watched, the folders above them included.
    explicit FolderWatch(size_t maxFolders = 32) : maxFolders_(maxFolders) {}
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Takes in what the kernel reported since the last call, without waiting.
    void Poll();
    // The moment of the last change reported for the file's name (in any letter
    // case) in its folder, or of the start of that folder's watch; nothing when the
    // folder cannot be watched.
    std::optional<Moment> LastChange(std::string_view folder, std::string_view name);
    // The same for folder and name split at the last '/'.
    std::optional<Moment> LastChange(std::string_view path);
    // Later than every change taken in so far; it moves on with every change taken
    // in and every watch started or dropped.
    Moment Now() const { return now_; }

private:
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    template <class T> using ByText = std::unordered_map<std::string, T, TextHash, std::equal_to<>>;

    struct Folder {
        // -1 for a folder that cannot be watched.
        int Watch = -1;
        Moment Started = 0;
        // Under the names in capitals; only the names asked about, the others'
        // changes concern nobody.
        std::unordered_map<std::string, Moment> Changed;
        // Each name as asked about, to its entry in Changed.
        ByText<const Moment*> Asked;
    };
    Folder Start(const std::string& folder);
    int AddWatch(const std::string& folder, unsigned mask);
    void TakeIn(int watch, const char* name);
    void ForgetAll();

    const size_t maxFolders_;
    int fd_ = -1;
    Moment now_ = 0;
    ByText<Folder> folders_;
    // Every watch set, the folders above the watched ones included.
    std::unordered_set<int> watches_;
};

} // namespace pelmora
