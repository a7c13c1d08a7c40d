#include "TableBlock.h"

#include <cstdint>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace pelmora {

namespace {

// Below this a table is read into ordinary memory: faults are few, and the shipped
// catalogue's tables keep no spare block in the window.
constexpr size_t LargeBlock = size_t{2} << 20;
// A spare block larger than this is given back to the system rather than kept.
constexpr size_t LargestSpare = size_t{128} << 20;
constexpr size_t HugePage = size_t{2} << 20;

struct Mapping {
    char* Start = nullptr;
    size_t Size = 0;
};

// A mapping aligned to a huge page, so that the whole of it can be one, faulted in
// at once; nothing when the system has no memory to give.
Mapping Map(size_t size) {
    const size_t rounded = (size + HugePage - 1) / HugePage * HugePage;
    void* raw = ::mmap(nullptr, rounded + HugePage, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return {};
    char* const base = static_cast<char*>(raw);
    const size_t lead = (HugePage - reinterpret_cast<uintptr_t>(base) % HugePage) % HugePage;
    if (lead > 0)
        ::munmap(base, lead);
    if (HugePage - lead > 0)
        ::munmap(base + lead + rounded, HugePage - lead);
    char* const start = base + lead;
    // Both are hints: without them the block is still good, only slower to fill.
    ::madvise(start, rounded, MADV_HUGEPAGE);
    ::madvise(start, rounded, MADV_POPULATE_WRITE);
    return {start, rounded};
}

class SpareSlot {
public:
    Mapping Take(size_t size) {
        const std::lock_guard lock(mutex_);
        // A spare much larger than asked would pin memory the table does not use.
        if (spare_.Start == nullptr || spare_.Size < size || spare_.Size / 2 > size)
            return {};
        return std::exchange(spare_, {});
    }

    void Give(Mapping block) {
        if (block.Size <= LargestSpare) {
            const std::lock_guard lock(mutex_);
            std::swap(block, spare_);
        }
        if (block.Start != nullptr)
            ::munmap(block.Start, block.Size);
    }

    size_t Bytes() {
        const std::lock_guard lock(mutex_);
        return spare_.Size;
    }

private:
    std::mutex mutex_;
    Mapping spare_;
};

SpareSlot& Spare() {
    // Never destroyed: a table may outlive static destruction.
    static SpareSlot* const slot = new SpareSlot;
    return *slot;
}

} // namespace

std::shared_ptr<char[]> TableBlock(size_t size) {
    if (size < LargeBlock)
        return std::make_shared_for_overwrite<char[]>(size);
    Mapping block = Spare().Take(size);
    if (block.Start == nullptr)
        block = Map(size);
    if (block.Start == nullptr)
        throw std::bad_alloc();
    return {block.Start, [block](char*) { Spare().Give(block); }};
}

size_t SpareTableBlockBytes() {
    return Spare().Bytes();
}

} // namespace pelmora
