#pragma once

#include <algorithm>
#include <chrono>

namespace pelmora::testing {

// The best of three runs of the work, in seconds, so that another process taking
// the processor for a moment counts as little as possible. Tests compare such
// times as ratios only, never against a fixed bound.
template <typename Work> double BestSeconds(Work work) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

} // namespace pelmora::testing
