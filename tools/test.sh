#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, and runs every
# test through CTest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh"
"$here/tools/check-format.sh"
"$here/tools/build.sh" "$@"
build=${TARNVIK_BUILD_DIR:-$here/build}
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
# The Debian package, installed and removed as a user would; that needs root.
if [[ $(id -u) -eq 0 ]] || { command -v sudo >/dev/null && sudo -n true 2>/dev/null; }; then
  TARNVIK_BUILD_DIR="$build" "$here/tools/test-package.sh"
else
  echo "Package test skipped: installing the .deb needs root or passwordless sudo"
fi
