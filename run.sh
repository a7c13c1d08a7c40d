#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
PELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$PELMORA_ROOT/scripts/setup.sh"

pelmora_install_packages
pelmora_build_release
exec "$PELMORA_ROOT/build/bin/pelmora38" "$@"
