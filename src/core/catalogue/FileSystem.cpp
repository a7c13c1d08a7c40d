#include "FileSystem.h"

#include "Errors.h"
#include "Text1252.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pelmora {

bool FileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(ResolvePath(path), error);
}

bool FolderExists(const std::string& path) {
    std::error_code error;
    return fs::is_directory(ResolvePath(path), error);
}

namespace {

fs::path FindEntryNoCase(const fs::path& folder, const std::string& name) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (SameTextNoCase(entry.path().filename().string(), name))
            return entry.path();
    }
    return {};
}

} // namespace

std::string ResolvePath(const std::string& path) {
    std::error_code error;
    if (path.empty() || fs::exists(path, error))
        return path;
    fs::path resolved;
    for (const auto& part : fs::path(path)) {
        const fs::path next = resolved / part;
        if (part == "/" || fs::exists(next, error) || resolved.empty()) {
            resolved = next;
            continue;
        }
        const fs::path found = FindEntryNoCase(resolved, part.string());
        if (found.empty())
            return path;
        resolved = found;
    }
    return resolved.string();
}

namespace {

// A file reached through a link must still lie in the folder once the links are
// followed.
bool ResolvesInside(const fs::path& folder, const fs::path& file) {
    std::error_code error;
    const fs::path base = fs::weakly_canonical(folder, error);
    const fs::path target = fs::weakly_canonical(file, error);
    if (error)
        return false;
    const auto [inBase, inTarget] =
        std::mismatch(base.begin(), base.end(), target.begin(), target.end());
    return inBase == base.end() && inTarget != target.end();
}

} // namespace

std::optional<std::string> FileInFolder(const std::string& folder, const std::string& name) {
    const fs::path relative(name);
    if (name.empty() || relative.is_absolute() ||
        std::find(relative.begin(), relative.end(), "..") != relative.end())
        return std::nullopt;
    // One lstat for the usual case: a plain file under its own name.
    std::string path = folder + name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        path = ResolvePath(path);
        if (::lstat(path.c_str(), &info) != 0)
            return std::nullopt;
    }
    // A link, or a file under sub-folders (which may be links), is followed.
    if (S_ISLNK(info.st_mode) || name.find('/') != std::string::npos) {
        std::error_code error;
        if (!fs::is_regular_file(path, error) || !ResolvesInside(folder, path))
            return std::nullopt;
        return path;
    }
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    auto failure = [&path](int error) {
        // A missing file keeps the plain text the load error box quotes.
        return error == ENOENT
                   ? FileError::CannotOpen(path)
                   : FileError("Cannot open file " + path + ": " + std::strerror(error));
    };
    const int fd = ::open(ResolvePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw failure(errno);
    struct stat info {};
    std::string bytes;
    if (::fstat(fd, &info) == 0 && info.st_size > 0)
        bytes.reserve(static_cast<size_t>(info.st_size) + 1);
    // One read for the whole file, then on to the end in case it grew meanwhile.
    size_t size = 0;
    for (;;) {
        if (bytes.capacity() - size < 4096)
            bytes.reserve(bytes.capacity() * 2 + 65536);
        bytes.resize(bytes.capacity());
        const ssize_t got = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw failure(error);
        }
        if (got == 0)
            break;
        size += static_cast<size_t>(got);
    }
    ::close(fd);
    bytes.resize(size);
    return bytes;
}

std::vector<std::string_view> SplitLineViews(std::string_view text) {
    std::vector<std::string_view> lines;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* start = begin;
    while (start < end) {
        // Most files end their lines in LF or CR LF: the next LF is found with one
        // vectorised search, and only the line before it is searched for a CR.
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', end - start));
        const char* stop = lf ? lf : end;
        const auto* cr = static_cast<const char*>(std::memchr(start, '\r', stop - start));
        if (cr) {
            lines.emplace_back(start, cr - start);
            start = cr + 1 == lf ? lf + 1 : cr + 1;
            continue;
        }
        lines.emplace_back(start, stop - start);
        start = stop + 1;
    }
    return lines;
}

std::vector<std::string> SplitLines(const std::string& text) {
    const std::vector<std::string_view> views = SplitLineViews(text);
    return {views.begin(), views.end()};
}

namespace {

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

std::string Reason(int error) {
    return std::strerror(error);
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

// A new, empty file of a name no one else uses, beside the target. Created
// exclusively so that nothing planted under that name is followed or replaced; the
// mode 0666 is narrowed by the umask as for any new file.
int CreateTemporary(const fs::path& target, fs::path& temporary) {
    static std::mt19937_64 names{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target;
        temporary += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(names());
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void SyncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    const fs::path target = WriteTarget(path);
    fs::path temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0)
        throw WriteError(path, Reason(errno));

    auto fail = [&](int error) {
        ::unlink(temporary.c_str());
        throw WriteError(path, Reason(error));
    };
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) {
        const int error = errno;
        ::close(fd);
        fail(error);
    }
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        fail(error);
    }
    if (::close(fd) != 0)
        fail(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        fail(errno);
    SyncFolder(target.parent_path());
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    WriteWholeFile(path, bytes);
}

} // namespace pelmora
