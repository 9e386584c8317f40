#!/usr/bin/env bash
# Cross-builds the libraries the Windows build needs and Debian does not ship
# for mingw-w64 (GoogleTest, libxlsxwriter) into a cache folder outside the
# repository, one folder per version, and prints the prefix list for
# CMAKE_PREFIX_PATH. A build that is already there is reused; a build goes to
# a temporary folder first and is renamed into place only when complete.
#   tools/windows-deps.sh        prints "GTEST_PREFIX;XLSXWRITER_PREFIX"
# Cache: $TARNVIK_CACHE_DIR, else $XDG_CACHE_HOME/tarnvik, else ~/.cache/tarnvik.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${TARNVIK_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnvik}
toolchain=$here/cmake/mingw-w64.cmake
jobs=$(nproc)

gtest_version=$(dpkg-query -W -f='${Version}' googletest)
xlsx_version=1.1.4-2  # the source package of Debian's libxlsxwriter-dev
gtest_prefix=$cache/mingw-w64/googletest-$gtest_version
xlsx_prefix=$cache/mingw-w64/libxlsxwriter-$xlsx_version
mkdir -p "$cache/mingw-w64"

# Runs "$2" (a function) in a fresh work folder; it installs for the prefix
# $1 into the staging folder $DESTDIR, whose copy of $1 is then moved into
# place in one step.
build_into() {
  local prefix=$1 step=$2 work status=0
  [[ -d "$prefix" ]] && return 0
  work=$(mktemp -d "$cache/mingw-w64/.work.XXXXXX")
  (cd "$work" && DESTDIR="$work/stage" "$step" "$prefix") >"$work/log" 2>&1 || status=$?
  if [[ $status -eq 0 ]]; then
    mv "$work/stage$prefix" "$prefix"
  else
    cat "$work/log" >&2
    echo "windows-deps: building $(basename "$prefix") failed" >&2
  fi
  rm -rf "$work"
  return $status
}

cmake_build() {  # source, install prefix, options...
  local src=$1 prefix=$2
  shift 2
  cmake -S "$src" -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
  cmake --build build -j "$jobs"
  cmake --install build
}

build_gtest() {
  cmake_build /usr/src/googletest "$1" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
}

build_xlsxwriter() {
  # The source package, fetched with private apt state so that nothing of
  # the system's apt set-up changes.
  local mirror
  mirror=$(grep -h -m1 -o 'http[s]*://[^ ]*debian/*$' /etc/apt/sources.list.d/*.sources \
    /etc/apt/sources.list 2>/dev/null | head -n1 || true)
  mirror=${mirror:-http://deb.debian.org/debian}
  mkdir -p apt/state/lists/partial apt/cache/archives/partial
  echo "deb-src $mirror bookworm main" >apt/sources.list
  local opts=(-o Dir::State="$PWD/apt/state" -o Dir::State::status=/var/lib/dpkg/status
    -o Dir::Etc::SourceList="$PWD/apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
    -o Dir::Cache="$PWD/apt/cache" -o APT::Sandbox::User=root -qq)
  apt-get "${opts[@]}" update
  apt-get "${opts[@]}" --download-only source "libxlsxwriter=$xlsx_version"
  tar xzf libxlsxwriter_*.orig.tar.gz
  local src
  src=$(ls -d libxlsxwriter-*/ | head -n1)
  # MinGW builds take the library's ANSI file paths by default; the Windows
  # paths of its MSVC build (UTF-8 names opened as UTF-16) are what a
  # program with Japanese folder names needs.
  sed -i '/^#ifdef __MINGW32__$/,/^#endif$/d' "$src/src/utility.c" "$src/src/packager.c"
  sed -i 's/^    if(MSVC)$/    if(WIN32)/' "$src/CMakeLists.txt"
  grep -q '_WIN32' "$src/src/packager.c"
  cmake_build "$src" "$1" -DBUILD_SHARED_LIBS=OFF -DZLIB_ROOT=/usr/x86_64-w64-mingw32
}

build_into "$gtest_prefix" build_gtest
build_into "$xlsx_prefix" build_xlsxwriter
echo "$gtest_prefix;$xlsx_prefix"
