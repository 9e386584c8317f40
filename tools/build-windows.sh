#!/usr/bin/env bash
# Cross-builds Tarnvik for 64-bit Windows with mingw-w64: the window
# tarnvik.exe, tarnvik-cli.exe and the tests.
#   tools/build-windows.sh [cmake --build options, e.g. --target tarnvik]
# Build folder: $TARNVIK_WIN_BUILD_DIR, default build-win64/; the programs are
# build-win64/app/tarnvik.exe and build-win64/cli/tarnvik-cli.exe. Qt for
# Windows (tools/build-qt-windows.sh) and the other dependencies
# (tools/windows-deps.sh) are cross-built once into the cache; the first
# build of Qt takes about half an hour. The test programs are run under
# Wine to list their tests, in a Wine prefix kept in the build folder
# (build-win64/wine-prefix). The last line on stdout is Qt's prefix, whose
# bin/ holds the DLLs tarnvik.exe needs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TARNVIK_WIN_BUILD_DIR:-$here/build-win64}
exec 3>&1 1>&2
"$here/tools/setup.sh" --windows
prefixes=$("$here/tools/windows-deps.sh")
xlsx_prefix=${prefixes#*;}
qt_prefix=$("$here/tools/build-qt-windows.sh" | tail -n 1)

# The host's pkg-config must see only the cross-built libraries.
export PKG_CONFIG_LIBDIR="$xlsx_prefix/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig"
export PKG_CONFIG_PATH=
mkdir -p "$build"
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  wineboot --init >/dev/null 2>&1
fi

werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
# Qt's toolchain file finds Qt in its prefix and loads the project's own
# mingw-w64 toolchain. A build folder made with another toolchain (another
# Qt, or none) is configured anew.
toolchain=$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake
if [[ -f "$build/CMakeCache.txt" ]] &&
  ! grep -qx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$toolchain" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles" "$build/build.ninja"
fi
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
    -DCMAKE_PREFIX_PATH="$prefixes" -DTARNVIK_BENCH=OFF \
    -DTARNVIK_WERROR="$werror" >/dev/null
else
  cmake "$build" -DTARNVIK_WERROR="$werror" >/dev/null
fi
cmake --build "$build" "$@"
echo "$qt_prefix" >&3
