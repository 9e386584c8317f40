#!/usr/bin/env bash
# Configures and builds Tarnvik into build/ (or $TARNVIK_BUILD_DIR).
# Extra arguments go to the CMake configure step, e.g. -DTARNVIK_SANITIZE=ON.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TARNVIK_BUILD_DIR:-$here/build}
werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
generator=()
command -v ninja >/dev/null && [[ ! -f "$build/Makefile" ]] && generator=(-G Ninja)
cmake -S "$here" -B "$build" "${generator[@]}" -DTARNVIK_WERROR=$werror "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
