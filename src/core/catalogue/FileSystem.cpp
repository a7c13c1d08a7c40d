#include "FileSystem.h"

#include "Errors.h"
#include "Text1252.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
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
    // Names are looked for from the deepest folder that exists: a missing settings
    // file costs one listing, not a walk from the root.
    const fs::path given(path);
    const fs::path parent = given.parent_path();
    if (parent.empty() || parent == given)
        return path;
    const fs::path folder = ResolvePath(parent.string());
    const fs::path name = given.filename();
    if (name.empty() || name == "." || name == "..")
        return (folder / name).string();
    const fs::path found = FindEntryNoCase(folder, name.string());
    return found.empty() ? path : found.string();
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
    // A NUL would end the name the system sees: "a.gif\0.png" is no file.
    if (name.empty() || name.find('\0') != std::string::npos || relative.is_absolute() ||
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

namespace {

FileError CannotRead(const std::string& path, int error) {
    // A missing file keeps the plain text the load error box quotes.
    return error == ENOENT ? FileError::CannotOpen(path)
                           : FileError("Cannot open file " + path + ": " + std::strerror(error));
}

// Reads into the block until it is full or the file ends; the count read.
size_t ReadInto(int fd, char* data, size_t size, const std::string& path) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw CannotRead(path, error);
        }
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

} // namespace

FileBytes ReadFileBytes(const std::string& path) {
    const int fd = ::open(ResolvePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw CannotRead(path, errno);
    struct stat info {};
    const size_t expected =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
    // One byte more than the size the file had, to see whether it grew meanwhile.
    auto data = std::make_shared_for_overwrite<char[]>(expected + 1);
    const size_t got = ReadInto(fd, data.get(), expected + 1, path);
    if (got <= expected) {
        ::close(fd);
        return {std::move(data), got};
    }
    std::string rest(data.get(), got);
    char chunk[65536];
    while (const size_t more = ReadInto(fd, chunk, sizeof chunk, path))
        rest.append(chunk, more);
    ::close(fd);
    auto grown = std::make_shared_for_overwrite<char[]>(rest.size());
    std::memcpy(grown.get(), rest.data(), rest.size());
    return {std::move(grown), rest.size()};
}

std::string ReadWholeFile(const std::string& path) {
    const FileBytes bytes = ReadFileBytes(path);
    return std::string(bytes.View());
}

namespace {

// Every line end (LF, CR, or CR LF counted once) of the text, handed to the line
// maker in order. Sixteen bytes at a time where the processor offers it: the
// search for line ends is most of the work of reading a large table.
template <class OnLineEnd> void ForEachLineEnd(std::string_view text, OnLineEnd onLineEnd) {
    const char* at = text.data();
    const char* const end = at + text.size();
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; at + 16 <= end; at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, lf), _mm_cmpeq_epi8(chunk, cr))));
        for (; mask != 0; mask &= mask - 1)
            onLineEnd(at + __builtin_ctz(mask));
    }
#endif
    for (; at < end; ++at) {
        if (*at == '\n' || *at == '\r')
            onLineEnd(at);
    }
}

} // namespace

std::vector<std::string_view> SplitLineViews(std::string_view text) {
    const char* start = text.data();
    const char* const end = start + text.size();
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 32 + 16);
    ForEachLineEnd(text, [&](const char* at) {
        // The LF of a CR LF: its line ended at the CR.
        if (at < start)
            return;
        lines.emplace_back(start, static_cast<size_t>(at - start));
        start = at + 1;
        if (*at == '\r' && start < end && *start == '\n')
            ++start;
    });
    if (start < end)
        lines.emplace_back(start, static_cast<size_t>(end - start));
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
