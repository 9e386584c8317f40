#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tarnvik.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh"
"$here/tools/build.sh" >/dev/null
build=${TARNVIK_BUILD_DIR:-$here/build}
if [[ -x "$build/app/tarnvik" ]]; then
  exec "$build/app/tarnvik" "$@"
fi
exec "$build/cli/tarnvik-cli" "${1:-$HOME}"
