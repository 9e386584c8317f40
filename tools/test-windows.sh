#!/usr/bin/env bash
# Cross-builds Tarnvik for 64-bit Windows (tools/build-windows.sh) and runs
# every test under Wine through CTest, the window tests on Qt's offscreen
# platform; then packages the build and tests the installer in a Wine prefix
# of its own (tools/test-package-windows.sh).
#   tools/test-windows.sh [ctest options]
# With ctest options (a chosen few tests) the package test is left out.
# Build folder: $TARNVIK_WIN_BUILD_DIR, default build-win64/, with its Wine
# prefix in build-win64/wine-prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TARNVIK_WIN_BUILD_DIR:-$here/build-win64}
qt_prefix=$("$here/tools/build-windows.sh" | tail -n 1)

# A running wineserver (-p: persistent) spares every test program the
# server's start-up, and the time zone is pinned so that the tests see UTC
# as they do on Linux.
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TZ=UTC
export WINEARCH=win64
# Wine hands no QT_ variable of the Unix side on to Windows programs; the
# window tests get theirs from the prefix's user environment: the offscreen
# platform, messages on stderr (not the debugger's channel) and the host's
# Japanese Gothic font, and Qt's DLLs on the PATH.
wine_env=(
  "QT_QPA_PLATFORM=offscreen"
  "QT_FORCE_STDERR_LOGGING=1"
  "QT_QPA_FONTDIR=Z:/usr/share/fonts/opentype/ipafont-gothic"
  "PATH=Z:$qt_prefix/bin"
)
for entry in "${wine_env[@]}"; do
  wine reg add 'HKCU\Environment' /v "${entry%%=*}" /d "${entry#*=}" /f >/dev/null 2>&1
done
# A server that is running already (the one the settings above started)
# would not become persistent; it is let go first.
timeout 60 wineserver -w >/dev/null 2>&1 </dev/null || true
wineserver -p >/dev/null 2>&1 </dev/null || true
# The first program of a fresh server starts Wine's own services; without
# this warm-up a test program may wait at its exit until CTest's timeout.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
if [[ $# -eq 0 ]]; then
  "$here/tools/test-package-windows.sh"
fi
