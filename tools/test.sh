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
