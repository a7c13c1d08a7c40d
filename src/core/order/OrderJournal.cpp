#include "OrderJournal.h"

#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TxtTable.h"
#include "platform/MessageBoxes.h"

#include <cstdio>

namespace pelmora {

namespace {

constexpr const char* RecoveryHeader = "PELMORA 38 ORDER RECOVERY";

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

} // namespace

OrderJournal::OrderJournal(std::string recoveryPath) : recoveryPath_(std::move(recoveryPath)) {}

void OrderJournal::Record(const TTxtTable& order, MessageBoxes& messages) {
    if (order.Lines == states_[current_])
        return;
    states_.resize(current_ + 1);
    states_.push_back(order.Lines);
    ++current_;
    WriteRecovery(order.Lines, messages);
}

void OrderJournal::Undo(TTxtTable& order, MessageBoxes& messages) {
    if (!CanUndo())
        return;
    --current_;
    Restore(order, messages);
}

void OrderJournal::Redo(TTxtTable& order, MessageBoxes& messages) {
    if (!CanRedo())
        return;
    ++current_;
    Restore(order, messages);
}

void OrderJournal::Restore(TTxtTable& order, MessageBoxes& messages) {
    order.Lines = states_[current_];
    WriteRecovery(order.Lines, messages);
}

void OrderJournal::MarkSaved(const TTxtTable& order) {
    saved_ = order.Lines;
}

bool OrderJournal::Modified(const TTxtTable& order) const {
    return order.Lines != saved_;
}

void OrderJournal::WriteRecovery(const std::vector<std::string>& lines, MessageBoxes& messages) {
    if (lines.empty()) {
        RemoveRecovery();
        return;
    }
    std::vector<std::string> file{RecoveryHeader};
    for (const std::string& line : lines)
        file.push_back(Escaped(line));
    try {
        WriteLines(recoveryPath_, file);
        recoveryFailed_ = false;
    } catch (const FileError& error) {
        // Once per run of failures: the order itself is still in memory.
        if (!recoveryFailed_)
            messages.Error(std::string(error.what()) +
                           "\rThe order cannot be recovered if the program stops unexpectedly.");
        recoveryFailed_ = true;
    }
}

std::optional<std::vector<std::string>> OrderJournal::Recovered() const {
    if (!FileExists(recoveryPath_))
        return std::nullopt;
    std::vector<std::string> file;
    try {
        file = SplitLines(ReadWholeFile(recoveryPath_));
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

void OrderJournal::RemoveRecovery() const {
    std::remove(recoveryPath_.c_str());
}

} // namespace pelmora
