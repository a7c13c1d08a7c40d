#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pelmora {

class MessageBoxes;
class TTxtTable;

// What became of the order in this session: every state it passed through, for
// undo and redo; the state last saved or opened, to know whether closing would
// lose work; and a recovery file, rewritten after every change, from which an
// order comes back after a crash or a power loss.
class OrderJournal {
public:
    explicit OrderJournal(std::string recoveryPath);

    // Called after anything that may have changed the order; a change becomes a
    // step of the history and is written to the recovery file.
    void Record(const TTxtTable& order, MessageBoxes& messages);

    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < states_.size(); }
    void Undo(TTxtTable& order, MessageBoxes& messages);
    void Redo(TTxtTable& order, MessageBoxes& messages);

    // The order as it stands is in a file the user saved or opened.
    void MarkSaved(const TTxtTable& order);
    bool Modified(const TTxtTable& order) const;

    // The order a run that did not close normally left behind, if any.
    std::optional<std::vector<std::string>> Recovered() const;
    // Closing normally, or declining a recovered order: the file goes.
    void RemoveRecovery() const;

    const std::string& RecoveryPath() const { return recoveryPath_; }

private:
    void Restore(TTxtTable& order, MessageBoxes& messages);
    void WriteRecovery(const std::vector<std::string>& lines, MessageBoxes& messages);

    std::string recoveryPath_;
    std::vector<std::vector<std::string>> states_{{}};
    size_t current_ = 0;
    std::vector<std::string> saved_;
    bool recoveryFailed_ = false;
};

} // namespace pelmora
