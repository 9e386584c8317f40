#!/usr/bin/env bash
# Builds Tarnvik and makes its Debian package with CPack (DEB generator, set
# up in cmake/Packaging.cmake): tarnvik_<version>_<arch>.deb in
# build/package/ (or $TARNVIK_BUILD_DIR/package/). Prints the package's path.
# Install it with `apt install ./tarnvik_*.deb`; `apt remove tarnvik` takes
# it away. Needs dpkg-dev (dpkg-shlibdeps) and file, from tools/setup.sh.
# An existing build folder is brought up to date with its own settings;
# extra arguments go to the configure step of a new one.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TARNVIK_BUILD_DIR:-$here/build}
if [[ -f "$build/build.ninja" || -f "$build/Makefile" ]]; then
  cmake --build "$build" --parallel "$(nproc)" >/dev/null
else
  TARNVIK_BUILD_DIR="$build" "$here/tools/build.sh" "$@" >/dev/null
fi
rm -f "$build"/package/tarnvik_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/package/tarnvik_*.deb)
[[ -f "${debs[0]}" ]] || { echo "package.sh: cpack made no package" >&2; exit 1; }
echo "${debs[0]}"
