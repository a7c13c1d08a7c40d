#pragma once

#include "RecoveryFile.h"

#include <string>
#include <vector>

namespace pelmora {

class MessageBoxes;
class TTxtTable;

// What became of the order in this session: every state it passed through, for
// undo and redo; the state last saved or opened, to know whether closing would
// lose work; and this run's recovery file, rewritten after every change.
class OrderJournal {
public:
    // The recovery file goes into the folder.
    explicit OrderJournal(std::string folder);

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

    // The orders runs that did not close normally left behind, newest first.
    std::vector<LeftOrder> LeftBehind() const { return recovery_.LeftBehind(); }
    // Closing normally: this run's file goes.
    void RemoveRecovery() { recovery_.Remove(); }
    // Whether the order ever held a line in this run.
    bool HeldAnOrder() const { return heldAnOrder_; }

    const std::string& RecoveryPath() const { return recovery_.Path(); }

private:
    void Restore(TTxtTable& order, MessageBoxes& messages);
    void WriteRecovery(const std::vector<std::string>& lines, MessageBoxes& messages);

    RecoveryFile recovery_;
    bool heldAnOrder_ = false;
    std::vector<std::vector<std::string>> states_{{}};
    size_t current_ = 0;
    std::vector<std::string> saved_;
    bool recoveryFailed_ = false;
};

} // namespace pelmora
