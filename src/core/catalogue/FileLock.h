#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace pelmora {

// An advisory lock on a file of its own, shared by every copy of the program that
// uses the same folder. The lock ends with the object, or with the process however
// it ends, so a lock that can be taken has no living holder.
class FileLock {
public:
    // The lock when nobody holds it; the file is made when missing.
    static std::optional<FileLock> TryTake(const std::string& path);
    // Waits for the lock as long as the timeout allows; nothing when another holder
    // keeps it longer or the file cannot be made.
    static std::optional<FileLock> Take(const std::string& path, std::chrono::milliseconds timeout);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    const std::string& Path() const { return path_; }
    // Removes the lock file while still holding it, so that no later holder of
    // the old file can think itself alone.
    void RemoveFile();

private:
    FileLock(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}

    std::string path_;
    int fd_ = -1;
};

} // namespace pelmora
