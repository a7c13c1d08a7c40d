#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pelmora {

// An INI settings file as Windows reads it: "[Section]" lines and "key=value"
// lines, section and key names compared without regard to letter case. Writing a
// key keeps every other section, key and line of the file as it was.
class TIniFile {
public:
    // A missing or unreadable file reads as empty; a file that exists but cannot be
    // read is never written (each write throws FileError).
    explicit TIniFile(std::string path);

    const std::string& FileName() const { return path_; }

    bool ValueExists(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Each write replaces the file at once; throws FileError when it cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

private:
    std::optional<size_t> FindSection(const std::string& section) const;
    std::optional<size_t> FindKey(const std::string& section, const std::string& key) const;

    std::string path_;
    std::vector<std::string> lines_;
    std::string unreadable_; // why an existing file could not be read
};

} // namespace pelmora
