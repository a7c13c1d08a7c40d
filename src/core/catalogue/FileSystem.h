#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Whole-file access for 8-bit text files. Files written here end every line with
// CR LF and replace the old file only once the new one is complete on disk.
namespace pelmora {

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// The path as it exists on disk. Folder and file names that differ from the given
// ones only in letter case are found too, as they would be on Windows. A path
// that does not exist in any spelling comes back unchanged.
std::string ResolvePath(const std::string& path);

// The file the catalogue names inside the folder, as it exists on disk; nothing
// when it does not exist or lies outside the folder ("../x", an absolute path, a
// link that leads out), or when the name holds a NUL.
std::optional<std::string> FileInFolder(const std::string& folder, const std::string& name);
// The same, and whether the answer rests on the folder's entries of that name (in
// any letter case) alone: a regular file found, reached by no link, or none at all.
struct FolderEntry {
    std::optional<std::string> Path;
    bool NameAlone = false;
};
FolderEntry LookUpInFolder(const std::string& folder, const std::string& name);

// What the system says of a file, enough to see that it was replaced, edited or
// touched: device, inode, size, and the nanosecond modification and change times.
// A file that does not exist has the size -1.
struct FileStamp {
    unsigned long long Device = 0;
    unsigned long long Inode = 0;
    long long Size = -1;
    long long Modified = 0;
    long long Changed = 0;
    bool operator==(const FileStamp&) const = default;
    bool Exists() const { return Size >= 0; }
};
FileStamp StampOf(const std::string& path);
// The stamp, and whether what happens to the file shows in its folder's entry of
// that name alone: a regular file that is no link and has no second hard link.
struct FileLook {
    FileStamp Stamp;
    bool NameAlone = false;
};
FileLook LookAt(const std::string& path);

// No file the program reads comes near this: a larger one is refused, not read
// until memory runs out (a table that links to /dev/zero).
constexpr size_t MaxFileSize = size_t{512} << 20;

// The program's own files (tables, settings, histories): only a regular file is
// read, opened so that a FIFO never blocks, and at most MaxFileSize bytes. Throws
// FileError when the file cannot be opened or read, is no regular file, is too
// large, or kept changing while it was read.
std::string ReadWholeFile(const std::string& path);

// The bytes of a whole file in one block that is never zero-filled first, for
// the large catalogue tables, read as ReadWholeFile reads. The stamp is the file's
// while it was read; a file written to in the last moments may still be in the
// middle of being rewritten in place, which Settled tells.
struct FileBytes {
    std::shared_ptr<const char[]> Data;
    size_t Size = 0;
    FileStamp Stamp;
    bool Settled = true;
    std::string_view View() const { return {Data.get(), Size}; }
};
FileBytes ReadFileBytes(const std::string& path);

// A file the user names (an RFQ list, a saved order, a script): a pipe or a
// terminal is read too, still at most MaxFileSize bytes.
std::string ReadInputFile(const std::string& path);

// Lines ended by CR LF, LF or CR; a break after the last line adds no line.
std::vector<std::string> SplitLines(const std::string& text);
// The same lines as views into the text.
std::vector<std::string_view> SplitLineViews(std::string_view text);

// Throws FileError when the file cannot be written; the old file is then untouched.
void WriteWholeFile(const std::string& path, const std::string& bytes);
void WriteLines(const std::string& path, const std::vector<std::string>& lines);
// The same for lines made one at a time: make hands each line to the writer it is
// given, in order, and no line is kept once written.
using LineWriter = std::function<void(std::string_view line)>;
void WriteLinesAsMade(const std::string& path, const std::function<void(const LineWriter&)>& make);

} // namespace pelmora
