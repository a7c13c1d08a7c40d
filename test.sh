#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the whole test suite, then every fuzz target.
set -euo pipefail
PELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$PELMORA_ROOT/scripts/setup.sh"

pelmora_install_packages "${PELMORA_TEST_PACKAGES[@]}"
"$PELMORA_ROOT/tests/web/browser/install-modules.sh"
# -O1 keeps the sanitized tests quick while every check stays in.
pelmora_build "$PELMORA_ROOT/build-test" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DPELMORA_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PELMORA_ROOT/tests/lsan.supp
export QT_QPA_PLATFORM=offscreen
status=0
ctest --test-dir "$PELMORA_ROOT/build-test" --output-on-failure --parallel 2 "$@" || status=$?

# Tests chosen by name run alone. Otherwise every fuzz target of fuzz/CMakeLists.txt
# runs for 20 s.
if [ $# -eq 0 ]; then
    "$PELMORA_ROOT/tools/run-fuzzers" 20 || status=$?
fi
exit $status
