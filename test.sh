#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite.
set -euo pipefail
PELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$PELMORA_ROOT/scripts/setup.sh"

pelmora_install_packages
# -O1 keeps the sanitized tests quick while every check stays in.
pelmora_build "$PELMORA_ROOT/build-test" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DPELMORA_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PELMORA_ROOT/tests/lsan.supp
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$PELMORA_ROOT/build-test" --output-on-failure --parallel 2 "$@"
