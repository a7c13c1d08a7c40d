#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace pelmora {

class TTxtTable;

// The first line of each part number in an order that grows a line at a time. It
// keeps row numbers and hashes only, in an open-addressed table at most half full,
// and tells part numbers apart by the order's own lines: an order of a million
// lines holds no second copy of its part numbers.
class OrderLineIndex {
public:
    // The row of the first line holding the part number, or -1. An order other than
    // the one indexed, or one whose size changed since, is read again first.
    int Find(const TTxtTable& lines, std::string_view partNumber);
    // The order's last line was just added.
    void Added(const TTxtTable& lines);

private:
    void Rebuild(const TTxtTable& lines);
    // The slot of the part number, or the free slot where it would go.
    size_t SlotOf(const TTxtTable& lines, std::string_view partNumber, uint32_t hash) const;
    void Insert(const TTxtTable& lines, int row);

    struct Slot {
        // 0 marks a free slot.
        uint32_t RowPlusOne = 0;
        // Of the part number: most slots of other part numbers are passed over
        // without reading their line.
        uint32_t Hash = 0;
    };
    std::vector<Slot> slots_;
    const TTxtTable* indexed_ = nullptr;
    int rows_ = 0;
};

} // namespace pelmora
