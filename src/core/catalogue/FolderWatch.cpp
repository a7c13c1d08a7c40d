#include "FolderWatch.h"

#include "Text1252.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace pelmora {

namespace {

// File systems whose every change passes through this kernel, so that inotify
// reports it. A network or FUSE file system is changed behind its back.
bool ReportsEveryChange(const std::string& folder) {
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0)
        return false;
    constexpr unsigned long local[] = {
        0xEF53,     // ext2, ext3, ext4
        0x58465342, // xfs
        0x9123683E, // btrfs
        0x01021994, // tmpfs
        0x858458F6, // ramfs
        0xF2F52010, // f2fs
        0x794C7630, // overlay
        0x2FC12FC1, // zfs
        0xCA451A4E, // bcachefs
        0x4D44,     // vfat
        0x2011BAB0, // exfat
        0x7366746E, // ntfs3
        0x73717368, // squashfs
        0xE0F5E1E2, // erofs
        0x9660,     // iso9660
    };
    const auto type = static_cast<unsigned long>(info.f_type);
    return std::find(std::begin(local), std::end(local), type) != std::end(local);
}

// Each folder from the root down to the folder's parent.
std::vector<std::string> FoldersAbove(const std::string& folder) {
    std::vector<std::string> above;
    for (size_t slash = 0; slash != std::string::npos && slash + 1 < folder.size();
         slash = folder.find('/', slash + 1))
        above.push_back(slash == 0 ? "/" : folder.substr(0, slash));
    return above;
}

// A link anywhere on the way is refused (IN_DONT_FOLLOW with IN_ONLYDIR): the
// link could be pointed elsewhere without a report from the folders watched.
constexpr unsigned Each = IN_ONLYDIR | IN_DONT_FOLLOW | IN_MASK_ADD;
constexpr unsigned Above = Each | IN_MOVE_SELF | IN_DELETE_SELF | IN_ATTRIB;
constexpr unsigned Files =
    Above | IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

} // namespace

FolderWatch::~FolderWatch() {
    if (fd_ >= 0)
        ::close(fd_);
}

void FolderWatch::Poll() {
    alignas(inotify_event) char buffer[8192];
    while (fd_ >= 0) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;
        for (ssize_t at = 0; fd_ >= 0 && at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            TakeIn(event->wd, event->len > 0 ? event->name : nullptr);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

void FolderWatch::TakeIn(int watch, const char* name) {
    // A report on a folder itself (moved, deleted, its permissions changed), or
    // reports lost: every file below may be another now.
    if (!name) {
        ForgetAll();
        return;
    }
    for (auto& [path, folder] : folders_) {
        if (folder.Watch != watch)
            continue;
        if (const auto asked = folder.Changed.find(UpperCase1252(name));
            asked != folder.Changed.end())
            asked->second = ++now_;
    }
}

std::optional<FolderWatch::Moment> FolderWatch::LastChange(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    return LastChange(path.substr(0, slash + 1), path.substr(slash + 1));
}

std::optional<FolderWatch::Moment> FolderWatch::LastChange(std::string_view folder,
                                                           std::string_view name) {
    auto found = folders_.find(folder);
    if (found == folders_.end()) {
        const std::string key(folder);
        found = folders_.emplace(key, Start(key)).first;
    }
    Folder& watched = found->second;
    if (watched.Watch < 0)
        return std::nullopt;
    auto asked = watched.Asked.find(name);
    if (asked == watched.Asked.end()) {
        const Moment* changed = &watched.Changed.try_emplace(UpperCase1252(name), 0).first->second;
        asked = watched.Asked.emplace(std::string(name), changed).first;
    }
    return std::max(watched.Started, *asked->second);
}

FolderWatch::Folder FolderWatch::Start(const std::string& folder) {
    Folder refused;
    const std::filesystem::path given(folder);
    // A relative path means another folder once the working folder changes.
    if (!given.is_absolute() || given.lexically_normal() != given)
        return refused;
    const std::vector<std::string> above = FoldersAbove(folder);
    if (watches_.size() + above.size() + 1 > maxFolders_ || !ReportsEveryChange(folder))
        return refused;
    if (fd_ < 0)
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return refused;
    // From the root down, each folder watched before the one below it is looked
    // up: a folder replaced meanwhile is reported.
    for (const std::string& each : above) {
        if (AddWatch(each, Above) < 0)
            return refused;
    }
    Folder watched;
    // Without its closing slash, which would follow a link.
    watched.Watch = AddWatch(folder.substr(0, folder.size() - 1), Files);
    watched.Started = ++now_;
    return watched;
}

int FolderWatch::AddWatch(const std::string& folder, unsigned mask) {
    const int watch = ::inotify_add_watch(fd_, folder.c_str(), mask);
    if (watch >= 0)
        watches_.insert(watch);
    return watch;
}

void FolderWatch::ForgetAll() {
    // Closing drops every watch at once.
    ::close(fd_);
    fd_ = -1;
    folders_.clear();
    watches_.clear();
    ++now_;
}

} // namespace pelmora
