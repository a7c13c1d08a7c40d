#include "FileSystem.h"

#include "Errors.h"
#include "TableBlock.h"
#include "Text1252.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <thread>
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
    return LookUpInFolder(folder, name).Path;
}

FolderEntry LookUpInFolder(const std::string& folder, const std::string& name) {
    const fs::path relative(name);
    // A NUL would end the name the system sees: "a.gif\0.png" is no file.
    if (name.empty() || name.find('\0') != std::string::npos || relative.is_absolute() ||
        std::find(relative.begin(), relative.end(), "..") != relative.end())
        return {};
    const bool inFolder = name.find('/') == std::string::npos;
    // One lstat for the usual case: a plain file under its own name.
    std::string path = folder + name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        path = ResolvePath(path);
        if (::lstat(path.c_str(), &info) != 0)
            return {std::nullopt, inFolder};
    }
    // A link, or a file under sub-folders (which may be links), is followed.
    if (S_ISLNK(info.st_mode) || !inFolder) {
        std::error_code error;
        if (!fs::is_regular_file(path, error) || !ResolvesInside(folder, path))
            return {};
        return {path, false};
    }
    if (!S_ISREG(info.st_mode))
        return {};
    return {path, true};
}

namespace {

constexpr long long Billion = 1000000000LL;

FileStamp StampOf(const struct stat& info) {
    return {static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino), static_cast<long long>(info.st_size),
            info.st_mtim.tv_sec * Billion + info.st_mtim.tv_nsec,
            info.st_ctim.tv_sec * Billion + info.st_ctim.tv_nsec};
}

// A file modified this recently may be in the middle of being rewritten in place
// (truncated, then written again, as many editors save).
constexpr long long SettleNanoseconds = 50'000'000;

FileError CannotRead(const std::string& path, int error) {
    // A missing file keeps the plain text the load error box quotes.
    return error == ENOENT ? FileError::CannotOpen(path)
                           : FileError("Cannot open file " + path + ": " + std::strerror(error));
}

FileError TooLarge(const std::string& path) {
    return FileError("Cannot open file " + path + ": it is larger than " +
                     std::to_string(MaxFileSize >> 20) + " MB");
}

// Closes the descriptor whichever way the reading ends.
struct OpenFile {
    int Fd;
    ~OpenFile() { ::close(Fd); }
};

// Reads into the block until it is full or the file ends; the count read.
size_t ReadInto(int fd, char* data, size_t size, const std::string& path) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw CannotRead(path, errno);
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

// The rest of a file that grew past the size it had, up to the limit.
FileBytes ReadGrown(int fd, const char* start, size_t size, const std::string& path) {
    std::string rest(start, size);
    char chunk[65536];
    while (const size_t more = ReadInto(fd, chunk, sizeof chunk, path)) {
        if (rest.size() + more > MaxFileSize)
            throw TooLarge(path);
        rest.append(chunk, more);
    }
    auto grown = TableBlock(rest.size());
    std::memcpy(grown.get(), rest.data(), rest.size());
    return {std::move(grown), rest.size(), {}, true};
}

// One reading of the file as it is now; Stamp is left empty when the file changed
// while it was read.
FileBytes ReadOnce(const std::string& resolved, const std::string& path, bool regularOnly) {
    // Without O_NONBLOCK opening a FIFO waits for a writer, for ever.
    const int fd = ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0));
    if (fd < 0)
        throw CannotRead(path, errno);
    const OpenFile file{fd};
    struct stat before {};
    if (::fstat(fd, &before) != 0)
        throw CannotRead(path, errno);
    if (regularOnly && !S_ISREG(before.st_mode))
        throw FileError("Cannot open file " + path + ": it is not a regular file");
    if (before.st_size > static_cast<off_t>(MaxFileSize))
        throw TooLarge(path);
    const size_t expected = before.st_size > 0 ? static_cast<size_t>(before.st_size) : 0;
    // One byte more than the size the file had, to see whether it grew meanwhile.
    auto data = TableBlock(expected + 1);
    const size_t got = ReadInto(fd, data.get(), expected + 1, path);
    FileBytes bytes = got <= expected ? FileBytes{std::move(data), got, {}, true}
                                      : ReadGrown(fd, data.get(), got, path);
    struct stat after {};
    if (!S_ISREG(before.st_mode) || ::fstat(fd, &after) != 0)
        return bytes;
    if (StampOf(before) == StampOf(after) && bytes.Size == expected) {
        bytes.Stamp = StampOf(after);
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        bytes.Settled =
            now.tv_sec * Billion + now.tv_nsec - bytes.Stamp.Modified >= SettleNanoseconds;
    }
    return bytes;
}

FileBytes ReadSteadily(const std::string& path, bool regularOnly) {
    const std::string resolved = ResolvePath(path);
    // A file rewritten while it is read is read again once it holds still.
    for (int attempt = 0; attempt < 5; ++attempt) {
        FileBytes bytes = ReadOnce(resolved, path, regularOnly);
        if (bytes.Stamp.Exists() || !regularOnly)
            return bytes;
        std::this_thread::sleep_for(std::chrono::milliseconds(1 << attempt));
    }
    throw FileError("Cannot open file " + path + ": it kept changing while it was read");
}

} // namespace

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return StampOf(info);
}

FileLook LookAt(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return {};
    if (!S_ISREG(info.st_mode))
        return {StampOf(path), false};
    return {StampOf(info), info.st_nlink == 1};
}

FileBytes ReadFileBytes(const std::string& path) {
    return ReadSteadily(path, true);
}

std::string ReadWholeFile(const std::string& path) {
    const FileBytes bytes = ReadFileBytes(path);
    return std::string(bytes.View());
}

std::string ReadInputFile(const std::string& path) {
    const FileBytes bytes = ReadSteadily(path, false);
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

} // namespace pelmora
