#pragma once

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

// Throws FileError when the file cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// The bytes of a whole file in one block that is never zero-filled first, for
// the large catalogue tables. Throws FileError as ReadWholeFile does.
struct FileBytes {
    std::shared_ptr<const char[]> Data;
    size_t Size = 0;
    std::string_view View() const { return {Data.get(), Size}; }
};
FileBytes ReadFileBytes(const std::string& path);

// Lines ended by CR LF, LF or CR; a break after the last line adds no line.
std::vector<std::string> SplitLines(const std::string& text);
// The same lines as views into the text.
std::vector<std::string_view> SplitLineViews(std::string_view text);

// Throws FileError when the file cannot be written; the old file is then untouched.
void WriteWholeFile(const std::string& path, const std::string& bytes);
void WriteLines(const std::string& path, const std::vector<std::string>& lines);

} // namespace pelmora
