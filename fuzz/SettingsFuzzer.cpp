// A settings file of any bytes: reading never faults, and writing one key gives
// that key its value and keeps every other value and line of the file.
#include "Require.h"
#include "catalogue/FileSystem.h"
#include "catalogue/IniFile.h"
#include "catalogue/Text1252.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::fuzzing {
namespace {

// Names looked at per input: enough for every kind of line, quick per input.
constexpr size_t NamesChecked = 12;
constexpr const char* Absent = "\x01"
                               "absent";

// Section and key names as the file spells them, the way a person reads it.
struct Names {
    std::vector<std::string> Sections;
    std::vector<std::string> Keys;
};

Names NamesIn(const std::vector<std::string>& lines) {
    Names names;
    auto add = [](std::vector<std::string>& list, std::string_view name) {
        if (list.size() < NamesChecked)
            list.emplace_back(TrimControlAndBlank(name));
    };
    for (const std::string& raw : lines) {
        const std::string_view line = TrimControlAndBlank(raw);
        if (line.starts_with('[') && line.find(']') != std::string_view::npos)
            add(names.Sections, line.substr(1, line.find(']') - 1));
        else if (line.find('=') != std::string_view::npos)
            add(names.Keys, line.substr(0, line.find('=')));
    }
    return names;
}

struct Reading {
    std::string Section;
    std::string Key;
    std::string Value;
};

std::vector<Reading> ReadAll(const TIniFile& ini, const Names& names) {
    std::vector<Reading> readings;
    for (const std::string& section : names.Sections) {
        for (const std::string& key : names.Keys) {
            const std::string value = ini.ReadString(section, key, Absent);
            Require(ini.ValueExists(section, key) == (value != Absent),
                    "ValueExists agrees with ReadString");
            ini.ReadInteger(section, key, 0);
            readings.push_back({section, key, value});
        }
    }
    return readings;
}

// A name that reads back as written: trimmed, and with nothing that would make
// its line another kind of line (a key line that opens with "[" can close as a
// section line).
std::string CleanName(std::string_view text, std::string_view forbidden) {
    std::string name(text);
    std::erase_if(name, [&](char c) { return forbidden.find(c) != std::string_view::npos; });
    std::string_view clean = TrimControlAndBlank(name);
    while (clean.starts_with('['))
        clean = TrimControlAndBlank(clean.substr(1));
    return std::string(clean);
}

// Of the old lines, at most the one holding the key changes; at most a blank line,
// a section line and the key's line are added.
void CheckOtherLinesKept(const std::vector<std::string>& before,
                         const std::vector<std::string>& after) {
    size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    Require(before.size() - prefix - suffix <= 1, "a write changes at most the key's own line");
    Require(after.size() >= before.size() && after.size() - prefix - suffix <= 3,
            "a write adds at most a blank line, a section line and the key's line");
}

void CheckWrite(const testing::TempFolder& folder, const std::string& bytes,
                const std::string& section, const std::string& key, const std::string& value) {
    const std::string path = folder.Write("settings.ini", bytes);
    const std::vector<std::string> linesBefore = SplitLines(bytes);
    const Names names = NamesIn(linesBefore);
    const std::vector<Reading> before = ReadAll(TIniFile(path), names);

    TIniFile(path).WriteString(section, key, value);

    const TIniFile written(path);
    Require(written.ReadString(section, key, Absent) == TrimControlAndBlank(value),
            "a written value reads back");
    for (const Reading& reading : before) {
        if (SameTextNoCase(reading.Section, section) && SameTextNoCase(reading.Key, key))
            continue;
        Require(written.ReadString(reading.Section, reading.Key, Absent) == reading.Value,
                "a write keeps every other value");
    }
    CheckOtherLinesKept(linesBefore, SplitLines(folder.Read("settings.ini")));

    const int number = static_cast<int>(bytes.size()) - 1000;
    TIniFile(path).WriteInteger(section, key, number);
    Require(TIniFile(path).ReadInteger(section, key, 0) == number, "a written number reads back");
    Require(TIniFile(path).ReadBool(section, key, number == 0) == (number != 0),
            "a written number reads as a flag");
}

const testing::TempFolder& Scratch() {
    static const testing::TempFolder folder;
    return folder;
}

} // namespace
} // namespace pelmora::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pelmora::fuzzing;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = pelmora::SplitLines(bytes);
    const Names names = NamesIn(lines);

    // The value is the file's last line, blanks and all.
    const std::string value = lines.empty() ? "" : lines.back();
    const std::string section =
        names.Sections.empty() ? "" : CleanName(names.Sections.front(), "]");
    const std::string key = names.Keys.empty() ? "" : CleanName(names.Keys.front(), "=");

    // A key that is there, a new key in a section that is there, a new section.
    CheckWrite(Scratch(), bytes, section, key, value);
    CheckWrite(Scratch(), bytes, section, "Fuzzed" + key, value);
    CheckWrite(Scratch(), bytes, "Fuzzed" + section, key, value);
    return 0;
}
