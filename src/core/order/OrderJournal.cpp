#include "OrderJournal.h"

#include "catalogue/Errors.h"
#include "catalogue/TxtTable.h"
#include "platform/MessageBoxes.h"

namespace pelmora {

OrderJournal::OrderJournal(std::string folder) : recovery_(std::move(folder)) {}

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
    heldAnOrder_ = true;
    try {
        recovery_.Write(lines);
        recoveryFailed_ = false;
    } catch (const FileError& error) {
        // Once per run of failures: the order itself is still in memory.
        if (!recoveryFailed_)
            messages.Error(std::string(error.what()) +
                           "\rThe order cannot be recovered if the program stops unexpectedly.");
        recoveryFailed_ = true;
    }
}

} // namespace pelmora
