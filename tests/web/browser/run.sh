#!/usr/bin/env bash
# The page of pelmora-web in Debian's headless Chromium, as ctest runs it:
#   run.sh BIN_FOLDER CATALOGUE_FOLDER SCREENSHOT_FOLDER
# BIN_FOLDER holds pelmora-web (with its page in web/) and pelmora-cli; each test file
# starts its own server on a free loopback port over CATALOGUE_FOLDER.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ -d "$here/node_modules" ] || "$here/install-modules.sh"
[ -x /usr/bin/chromium ] || { echo "/usr/bin/chromium is missing (Debian package chromium)"; exit 1; }
command -v pdftotext >/dev/null || { echo "pdftotext is missing (Debian package poppler-utils)"; exit 1; }
export PELMORA_BIN=$1 PELMORA_CATALOGUE=$2 PELMORA_SCREENSHOTS=$3
mkdir -p "$PELMORA_SCREENSHOTS"
cd "$here"
exec node --test --test-concurrency=1 --test-reporter=spec wizard.test.mjs order.test.mjs accessibility.test.mjs
