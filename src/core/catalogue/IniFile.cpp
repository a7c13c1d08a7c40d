#include "IniFile.h"

#include "Errors.h"
#include "FileSystem.h"
#include "Text1252.h"

#include <charconv>
#include <filesystem>

namespace pelmora {

namespace {

std::optional<std::string_view> SectionName(std::string_view line) {
    line = TrimControlAndBlank(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return TrimControlAndBlank(line.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> SplitKeyValue(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return KeyValue{TrimControlAndBlank(line.substr(0, equals)),
                    TrimControlAndBlank(line.substr(equals + 1))};
}

} // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
    try {
        lines_ = SplitLines(ReadWholeFile(path_));
    } catch (const FileError& error) {
        lines_.clear();
        std::error_code ignored;
        if (std::filesystem::exists(path_, ignored))
            unreadable_ = error.what();
    }
}

std::optional<size_t> TIniFile::FindSection(const std::string& section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i]);
        if (name && SameTextNoCase(*name, section))
            return i;
    }
    return std::nullopt;
}

std::optional<size_t> TIniFile::FindKey(const std::string& section, const std::string& key) const {
    const auto start = FindSection(section);
    if (!start)
        return std::nullopt;
    for (size_t i = *start + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
        const auto pair = SplitKeyValue(lines_[i]);
        if (pair && SameTextNoCase(pair->key, key))
            return i;
    }
    return std::nullopt;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
    return FindKey(section, key).has_value();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    const auto line = FindKey(section, key);
    if (!line)
        return defaultValue;
    return std::string(SplitKeyValue(lines_[*line])->value);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key,
                          int defaultValue) const {
    const std::string text = ReadString(section, key, "");
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return defaultValue;
    return value;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key,
                        bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    // Writing would replace every other setting the file holds with nothing.
    if (!unreadable_.empty())
        throw FileError(unreadable_ + "; the settings file is left as it is");
    const std::string line = key + "=" + value;
    if (const auto existing = FindKey(section, key)) {
        // The key keeps the spelling the file gave it.
        lines_[*existing] = std::string(SplitKeyValue(lines_[*existing])->key) + "=" + value;
    } else if (const auto start = FindSection(section)) {
        // New keys go after the section's last key, before any blank lines that
        // separate it from the next section.
        size_t insertAt = *start + 1;
        for (size_t i = insertAt; i < lines_.size() && !SectionName(lines_[i]); ++i) {
            if (!TrimControlAndBlank(lines_[i]).empty())
                insertAt = i + 1;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
    } else {
        if (!lines_.empty() && !TrimControlAndBlank(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back("[" + section + "]");
        lines_.push_back(line);
    }
    WriteLines(path_, lines_);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

} // namespace pelmora
