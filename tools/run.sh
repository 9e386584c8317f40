#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tarnvik.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh"
"$here/tools/build.sh" >/dev/null
build=${TARNVIK_BUILD_DIR:-$here/build}
if [[ ! -x "$build/app/tarnvik" ]]; then
  echo "run.sh: $build/app/tarnvik was not built (is TARNVIK_GUI off in $build?);" \
    "configure with -DTARNVIK_GUI=ON, or use $build/cli/tarnvik-cli for scripts" >&2
  exit 1
fi
exec "$build/app/tarnvik" "$@"
