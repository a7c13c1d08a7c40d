#include "RecoveryFile.h"

#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pelmora {

namespace {

constexpr const char* RecoveryHeader = "PELMORA 38 ORDER RECOVERY";
constexpr std::string_view Prefix = "pelmora38";
constexpr std::string_view Extension = ".recovery";
constexpr std::string_view LockExtension = ".lock";

// One order line a line of the file, whatever bytes it holds.
std::string Escaped(const std::string& line) {
    std::string text;
    for (const char c : line) {
        if (c == '\\')
            text += "\\\\";
        else if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else
            text += c;
    }
    return text;
}

std::string Unescaped(const std::string& text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            line += text[i];
            continue;
        }
        const char next = text[++i];
        line += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return line;
}

// "pelmora38-<pid>-<start>.lock" beside "pelmora38-<pid>-<start>.recovery"; the
// single file of earlier versions, "pelmora38.recovery", has "pelmora38.lock".
std::string LockPathOf(const std::string& recoveryPath) {
    return recoveryPath.substr(0, recoveryPath.size() - Extension.size()) +
           std::string(LockExtension);
}

std::string RecoveryPathOf(const std::string& lockPath) {
    return lockPath.substr(0, lockPath.size() - LockExtension.size()) + std::string(Extension);
}

bool IsRecoveryName(const std::string& name) {
    return name.starts_with(Prefix) && name.ends_with(Extension);
}

bool IsLockName(const std::string& name) {
    return name.starts_with(Prefix) && name.ends_with(LockExtension);
}

std::optional<std::vector<std::string>> ReadOrder(const std::string& path) {
    std::vector<std::string> file;
    try {
        file = SplitLines(ReadWholeFile(path));
    } catch (const FileError&) {
        return std::nullopt;
    }
    if (file.empty() || file.front() != RecoveryHeader)
        return std::nullopt;
    std::vector<std::string> lines;
    for (size_t i = 1; i < file.size(); ++i)
        lines.push_back(Unescaped(file[i]));
    return lines;
}

} // namespace

void LeftOrder::Discard() {
    std::remove(Path.c_str());
    Claim.RemoveFile();
}

RecoveryFile::RecoveryFile(std::string folder) : folder_(std::move(folder)) {
    const auto start = std::chrono::system_clock::now().time_since_epoch();
    path_ = folder_ + std::string(Prefix) + "-" + std::to_string(::getpid()) + "-" +
            std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(start).count()) +
            std::string(Extension);
}

void RecoveryFile::Write(const std::vector<std::string>& lines) {
    if (!owner_) {
        auto lock = FileLock::TryTake(LockPathOf(path_));
        if (!lock)
            throw FileError("Cannot create file " + LockPathOf(path_));
        owner_ = std::make_shared<FileLock>(std::move(*lock));
    }
    std::vector<std::string> file{RecoveryHeader};
    for (const std::string& line : lines)
        file.push_back(Escaped(line));
    WriteLines(path_, file);
}

void RecoveryFile::Remove() {
    std::remove(path_.c_str());
    if (owner_)
        owner_->RemoveFile();
    owner_.reset();
}

std::vector<LeftOrder> RecoveryFile::LeftBehind() const {
    std::vector<std::pair<fs::file_time_type, LeftOrder>> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder_, error)) {
        const std::string path = entry.path().string();
        const std::string name = entry.path().filename().string();
        if (IsLockName(name) && !fs::exists(RecoveryPathOf(path))) {
            // A run that ended between taking its lock and writing its order.
            if (auto lock = FileLock::TryTake(path))
                lock->RemoveFile();
            continue;
        }
        if (!IsRecoveryName(name) || path == path_)
            continue;
        // Its owner still runs, or another copy of the program is offering it.
        auto claim = FileLock::TryTake(LockPathOf(path));
        if (!claim)
            continue;
        auto lines = ReadOrder(path);
        const auto written = fs::last_write_time(entry.path(), error);
        if (!lines || error) {
            // Gone meanwhile, or no order: nothing to offer.
            if (!fs::exists(path))
                claim->RemoveFile();
            continue;
        }
        found.emplace_back(written, LeftOrder{path, std::move(*lines), std::move(*claim)});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<LeftOrder> orders;
    for (auto& [written, order] : found)
        orders.push_back(std::move(order));
    return orders;
}

} // namespace pelmora
