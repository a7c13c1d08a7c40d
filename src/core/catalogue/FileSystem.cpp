#include "FileSystem.h"

#include "Errors.h"
#include "Text1252.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

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

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(ResolvePath(path), std::ios::binary);
    if (!in)
        throw FileError::CannotOpen(path);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw FileError("Read error on file " + path);
    return bytes;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    const std::string target = ResolvePath(path);
    const std::string temporary = target + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            throw FileError::CannotCreate(path);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temporary.c_str());
            throw FileError("Write error on file " + path);
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        std::remove(temporary.c_str());
        throw FileError::CannotCreate(path);
    }
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
