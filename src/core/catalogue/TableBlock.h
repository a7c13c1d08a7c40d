#pragma once

#include <cstddef>
#include <memory>

namespace pelmora {

// A block of at least the given size for a whole table's bytes, never zero-filled
// by the program. A large one comes already faulted in, on huge pages where the
// system offers them, and goes back to a spare slot when its last user lets it go,
// so that reading a large table again (edited, or in another operation) writes
// into memory that is already there instead of faulting in and clearing every
// page anew. Safe to use from any thread.
std::shared_ptr<char[]> TableBlock(size_t size);

// The bytes the spare slot holds now (for tests and measurements).
size_t SpareTableBlockBytes();

} // namespace pelmora
