#!/usr/bin/env bash
# Cross-builds the engine, tarnvik-cli.exe and their tests for 64-bit Windows
# with mingw-w64 and runs the tests under Wine through CTest.
#   tools/test-windows.sh [ctest options]
# Build folder: $TARNVIK_WIN_BUILD_DIR, default build-win64/; the exe is
# build-win64/cli/tarnvik-cli.exe. Dependencies are cross-built once into the
# cache of tools/windows-deps.sh; Wine keeps its own prefix in the build
# folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TARNVIK_WIN_BUILD_DIR:-$here/build-win64}
"$here/tools/setup.sh" --windows
prefixes=$("$here/tools/windows-deps.sh")
xlsx_prefix=${prefixes#*;}

# The host's pkg-config must see only the cross-built libraries.
export PKG_CONFIG_LIBDIR="$xlsx_prefix/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig"
export PKG_CONFIG_PATH=
# One Wine prefix per build folder, made on first use (the build runs the
# test programs too, to list their tests); a running wineserver (-p:
# persistent) spares every test program the server's start-up, and the time
# zone is pinned so that the tests see UTC as they do on Linux.
mkdir -p "$build"
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TZ=UTC
export WINEARCH=win64
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  wineboot --init >/dev/null 2>&1
fi
wineserver -p >/dev/null 2>&1 </dev/null || true  # one may be running already
# The first program of a fresh server starts Wine's own services; without
# this warm-up a test program may wait at its exit until CTest's timeout.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
    -DCMAKE_PREFIX_PATH="$prefixes" -DTARNVIK_GUI=OFF -DTARNVIK_BENCH=OFF \
    -DTARNVIK_WERROR="$werror" >/dev/null
else
  cmake "$build" -DTARNVIK_WERROR="$werror" >/dev/null
fi
cmake --build "$build"

ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
