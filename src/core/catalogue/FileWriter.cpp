// Writing a whole file so that a crash, a kill or a full disk never leaves a
// half-written one: the bytes go to an unnamed file in the target's folder, which
// is flushed, given a short name and renamed over the target.
#include "Errors.h"
#include "FileSystem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <mutex>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pelmora {

namespace {

// Every temporary name has this form and a fixed length, whatever the length of
// the target's name: a target of 255 bytes is written like any other.
constexpr std::string_view TemporaryPrefix = ".pelmora-";
constexpr std::string_view TemporarySuffix = ".tmp";

std::string TemporaryName() {
    static std::mutex mutex;
    static std::mt19937_64 names{std::random_device{}()};
    const std::lock_guard lock(mutex);
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(names()));
    return std::string(TemporaryPrefix) + hex + std::string(TemporarySuffix);
}

bool IsTemporaryName(const std::string& name) {
    return name.size() == TemporaryPrefix.size() + 16 + TemporarySuffix.size() &&
           name.starts_with(TemporaryPrefix) && name.ends_with(TemporarySuffix);
}

// The file a write must replace: a symbolic link is followed to the file it names,
// so that the link stays a link.
fs::path WriteTarget(const std::string& path) {
    fs::path target(path);
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(target, error); ++hops) {
        const fs::path next = fs::read_symlink(target, error);
        if (error)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// Writes every byte, going on after interrupted or partial writes.
bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = EIO;
        if (written <= 0)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

// The file being written, locked for as long as its writer lives: a temporary
// name whose file nobody holds was left by a writer that died.
class Temporary {
public:
    explicit Temporary(const fs::path& folder) : folder_(folder) {
        // An unnamed file vanishes by itself if the writer dies before it is done.
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) == 0)
            return;
        if (fd_ >= 0)
            ::close(fd_);
        // File systems without unnamed files: a named one, created exclusively so
        // that nothing planted under that name is followed or replaced.
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ = folder / TemporaryName();
            fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST)
                break;
        }
        if (fd_ >= 0)
            ::flock(fd_, LOCK_EX);
        else
            name_.clear();
    }
    ~Temporary() {
        if (!name_.empty())
            ::unlink(name_.c_str());
        if (fd_ >= 0)
            ::close(fd_);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    int Fd() const { return fd_; }

    // Gives an unnamed file its short name; false with errno set when it fails.
    bool Name() {
        if (!name_.empty())
            return true;
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path name = folder_ / TemporaryName();
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                name_ = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    bool RenameTo(const fs::path& target) {
        if (::rename(name_.c_str(), target.c_str()) != 0)
            return false;
        name_.clear();
        return true;
    }

    // Closing reports a write the system could only fail at the end. A copy of
    // the descriptor keeps the file, and its lock, until it has its final name.
    bool Close() {
        const int kept = ::dup(fd_);
        const bool closed = ::close(fd_) == 0;
        fd_ = kept;
        return closed && kept >= 0;
    }

private:
    fs::path folder_;
    fs::path name_;
    int fd_ = -1;
};

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Removes what writers that died mid-write left in the folder: a temporary file
// whose lock can be taken has no writer any more. A listing costs far less than
// the flush of the write it comes with.
void SweepLeftovers(const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!IsTemporaryName(entry.path().filename().string()))
            continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(entry.path().c_str());
        ::close(fd);
    }
}

} // namespace

namespace {

// The bytes that write puts into a new temporary file take the file's place whole,
// or not at all.
void WriteReplacing(const std::string& path, const std::function<bool(int fd)>& write) {
    const fs::path target = WriteTarget(path);
    const fs::path folder = FolderOf(target);
    SweepLeftovers(folder);
    Temporary temporary(folder);
    auto fail = [&path](int error) { throw WriteError(path, std::strerror(error)); };
    if (temporary.Fd() < 0)
        fail(errno);
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && ::fchmod(temporary.Fd(), old.st_mode & 07777) != 0)
        fail(errno);
    if (!write(temporary.Fd()) || ::fsync(temporary.Fd()) != 0 || !temporary.Close())
        fail(errno);
    if (!temporary.Name() || !temporary.RenameTo(target))
        fail(errno);
    SyncFolder(folder);
}

} // namespace

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    WriteReplacing(path, [&bytes](int fd) { return WriteAll(fd, bytes); });
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    WriteLinesAsMade(path, [&lines](const LineWriter& write) {
        for (const auto& line : lines)
            write(line);
    });
}

void WriteLinesAsMade(const std::string& path, const std::function<void(const LineWriter&)>& make) {
    // Written in pieces: a file of a million lines is never held a second time whole.
    constexpr size_t Piece = 1 << 20;
    WriteReplacing(path, [&make](int fd) {
        std::string piece;
        piece.reserve(Piece);
        // The lines after a failed write are let go; the failure's reason is kept.
        int failure = 0;
        make([&](std::string_view line) {
            piece += line;
            piece += "\r\n";
            if (piece.size() >= Piece) {
                if (failure == 0 && !WriteAll(fd, piece))
                    failure = errno;
                piece.clear();
            }
        });
        errno = failure;
        return failure == 0 && WriteAll(fd, piece);
    });
}

} // namespace pelmora
