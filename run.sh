#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
PELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$PELMORA_ROOT/scripts/setup.sh"

pelmora_install_packages
pelmora_build "$PELMORA_ROOT/build" -DCMAKE_BUILD_TYPE=Release -DPELMORA_BUILD_TESTS=OFF \
    -DPELMORA_BUILD_BENCHMARKS=OFF
exec "$PELMORA_ROOT/build/bin/pelmora38" "$@"
