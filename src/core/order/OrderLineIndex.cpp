#include "OrderLineIndex.h"

#include "OrderItem.h"
#include "catalogue/TxtTable.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace pelmora {

namespace {

uint32_t HashOf(std::string_view partNumber) {
    return static_cast<uint32_t>(std::hash<std::string_view>{}(partNumber));
}

} // namespace

int OrderLineIndex::Find(const TTxtTable& lines, std::string_view partNumber) {
    if (indexed_ != &lines || rows_ != lines.RowCount())
        Rebuild(lines);
    return static_cast<int>(slots_[SlotOf(lines, partNumber, HashOf(partNumber))].RowPlusOne) - 1;
}

void OrderLineIndex::Added(const TTxtTable& lines) {
    if (indexed_ != &lines || rows_ + 1 != lines.RowCount()) {
        indexed_ = nullptr;
        return;
    }
    ++rows_;
    if (2 * static_cast<size_t>(rows_) > slots_.size())
        Rebuild(lines);
    else
        Insert(lines, rows_ - 1);
}

void OrderLineIndex::Rebuild(const TTxtTable& lines) {
    indexed_ = &lines;
    rows_ = lines.RowCount();
    slots_.assign(std::bit_ceil(std::max<size_t>(16, 2 * static_cast<size_t>(rows_) + 2)), {});
    for (int row = 0; row < rows_; ++row)
        Insert(lines, row);
}

size_t OrderLineIndex::SlotOf(const TTxtTable& lines, std::string_view partNumber,
                              uint32_t hash) const {
    const size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    for (;; slot = (slot + 1) & mask) {
        const Slot& at = slots_[slot];
        if (at.RowPlusOne == 0 ||
            (at.Hash == hash &&
             lines.FieldView(static_cast<int>(at.RowPlusOne) - 1, olPartNumber) == partNumber))
            return slot;
    }
}

void OrderLineIndex::Insert(const TTxtTable& lines, int row) {
    // A later line of a part number already indexed leaves the first in place.
    const std::string_view partNumber = lines.FieldView(row, olPartNumber);
    const uint32_t hash = HashOf(partNumber);
    Slot& slot = slots_[SlotOf(lines, partNumber, hash)];
    if (slot.RowPlusOne == 0)
        slot = {static_cast<uint32_t>(row) + 1, hash};
}

} // namespace pelmora
