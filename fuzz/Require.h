#pragma once

#include <cstdio>
#include <cstdlib>

namespace pelmora::fuzzing {

// A property every input must keep. A broken one ends the run as a crash, so that
// libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

} // namespace pelmora::fuzzing
