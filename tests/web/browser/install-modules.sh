#!/usr/bin/env bash
# Installs the browser tests' npm packages, exactly as package-lock.json names them,
# when they are missing or older than the lock file. playwright-core brings no
# browser: the tests drive Debian's chromium.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
if [ -f node_modules/.package-lock.json ] && [ node_modules/.package-lock.json -nt package-lock.json ]; then
    exit 0
fi
command -v npm >/dev/null || { echo "npm is missing: the browser tests need Node.js 20 and npm"; exit 1; }
echo "Installing the browser tests' npm packages"
PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null
