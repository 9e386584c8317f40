#!/usr/bin/env bash
# Cross-builds Qt 6 for 64-bit Windows with mingw-w64 from Debian's own
# qt6-base source package, once per machine, and prints the install prefix as
# the last line on stdout:
#
#   QT_WIN=$(tools/build-qt-windows.sh)
#   cmake -DCMAKE_TOOLCHAIN_FILE="$QT_WIN/lib/cmake/Qt6/qt.toolchain.cmake" ...
#
# Qt's toolchain file loads the mingw-w64 toolchain kept in the prefix (or the
# one given as -DQT_CHAINLOAD_TOOLCHAIN_FILE) and lets find_package(Qt6) look
# inside the prefix. A project using only its own toolchain file passes
# -DCMAKE_PREFIX_PATH="$QT_WIN" -DCMAKE_FIND_ROOT_PATH="$QT_WIN" instead.
#
# The prefix is ${TARNVIK_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnvik}/
# qt6-win64-<Qt version>-<recipe hash>. The hash covers the source package
# version, the compiler package version, the toolchain and the configure
# options, so a changed recipe builds a new prefix and an unchanged one is
# never rebuilt: when the prefix exists the script prints it at once.
# The prefix is complete or absent: Qt is installed into a staging folder
# and renamed into place only after the install succeeded.
#
# The prefix holds Core, Gui, Widgets and Test as shared libraries in bin/,
# the "windows" and "offscreen" platform plugins in plugins/platforms/, and
# the mingw runtime DLLs (libstdc++, libgcc_s_seh, libwinpthread) in bin/
# beside the Qt DLLs, so a program built against it runs once bin/ and
# plugins/platforms/ are next to it (or bin/ is on WINEPATH/PATH).
# Moc, rcc and uic come from the host's Qt (qt6-base-dev-tools), whose version
# the source package matches.
#
# Environment:
#   TARNVIK_CACHE_DIR      cache root (default ~/.cache/tarnvik)
#   TARNVIK_QT_JOBS        parallel compile jobs (default: number of cores)
#   TARNVIK_DEBIAN_MIRROR  Debian mirror for the source package (default: the
#                          one this machine's apt sources use for bookworm)
# Progress goes to stderr; the full build log is kept beside the prefix as
# <prefix>.log, and its tail is shown when a step fails.
set -euo pipefail

if [[ $# -gt 0 ]]; then
  sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
  [[ "$1" == "-h" || "$1" == "--help" ]] && exit 0
  exit 2
fi

# Everything but the final prefix line goes to stderr.
exec 3>&1 1>&2

suite=bookworm
triplet=x86_64-w64-mingw32
packages=(
  qt6-base-dev qt6-base-dev-tools
  cmake ninja-build perl python3 dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq >/dev/null
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The target Qt must be the same version as the host tools that generate its
# code, so the source package is pinned to the installed tools' version.
source_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
qt_version=${source_version#*:}
qt_version=${qt_version%%[+~-]*}
compiler_version=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)

toolchain="set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER $triplet-gcc-posix)
set(CMAKE_CXX_COMPILER $triplet-g++-posix)
set(CMAKE_RC_COMPILER $triplet-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triplet)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
"

# The "windows" plugin without OpenGL must also drop dynamic GL (INPUT_opengl,
# not FEATURE_opengl) and DirectWrite 3, which needs Direct2D; Debian's source
# drops the Wintab headers that tablet events need. Third-party libraries are
# the bundled ones so that no DLL beyond Qt's and the compiler's is needed;
# FreeType also brings the "offscreen" platform plugin that headless tests use.
options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DINPUT_opengl=no
  -DFEATURE_directwrite3=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_testlib=ON
  -DFEATURE_freetype=ON
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
  -DFEATURE_network=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_vulkan=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_glib=OFF
)

recipe_hash=$(printf '%s\n' "$source_version" "$compiler_version" "$toolchain" "${options[@]}" |
  sha256sum | cut -c1-12)
root=${TARNVIK_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnvik}
prefix=$root/qt6-win64-$qt_version-$recipe_hash
log=$prefix.log

if [[ -d "$prefix" ]]; then
  echo "$prefix" >&3
  exit 0
fi

mkdir -p "$root"
# One build at a time per cache root; a second caller waits and then finds
# the prefix the first one made.
exec 9>"$root/qt6-win64.lock"
if ! flock -n 9; then
  echo "Waiting for another Qt build in $root"
  flock 9
fi
if [[ -d "$prefix" ]]; then
  echo "$prefix" >&3
  exit 0
fi

# Holding the lock, any work folder left here is from a build that died.
rm -rf "$root"/qt6-win64-work.*
work=$(mktemp -d "$root/qt6-win64-work.XXXXXX")
: >"$log"
echo "Building Qt $qt_version for Windows into $prefix (log: $log)"

step() {
  local what=$1
  shift
  echo "$(date +%T) $what"
  echo "=== $what: $*" >>"$log"
  if ! "$@" >>"$log" 2>&1; then
    echo "Failed: $what. Last lines of $log:"
    tail -n 40 "$log"
    echo "Work folder kept for inspection: $work"
    exit 1
  fi
}

# The source comes through a private apt state so that the machine's own
# sources and package lists stay untouched.
mirror_for() {
  local want=$1 f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [[ -f "$f" ]] || continue
    awk -v want="$want" '
      function flush() {
        if (deb && uri != "" && (" " suites " ") ~ (" " want " ")) { print uri; found = 1; exit }
        deb = 0; uri = ""; suites = ""
      }
      /^[ \t]*#/ { next }
      FILENAME ~ /\.sources$/ {
        if ($0 ~ /^[ \t]*$/) { flush(); next }
        if ($1 == "Types:") { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
        if ($1 == "URIs:") uri = $2
        if ($1 == "Suites:") { $1 = ""; suites = $0 }
        next
      }
      $1 == "deb" {
        i = 2
        if ($2 ~ /^\[/) while (i <= NF && $i !~ /\]$/) i++
        if ($2 ~ /^\[/) i++
        if ($(i + 1) == want) { print $i; found = 1; exit }
      }
      END { if (!found) flush() }
    ' "$f" | head -n 1
  done | head -n 1
}
mirror=${TARNVIK_DEBIAN_MIRROR:-$(mirror_for "$suite")}
mirror=${mirror:-http://deb.debian.org/debian}
security=$(mirror_for "$suite-security")
security=${security:-http://deb.debian.org/debian-security}

apt_dir=$work/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat >"$apt_dir/sources.list" <<EOF
deb-src [signed-by=$keyring] $mirror $suite main
deb-src [signed-by=$keyring] $mirror $suite-updates main
deb-src [signed-by=$keyring] $security $suite-security main
EOF
apt_options=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
)
# Root's apt downloads as the _apt user, who cannot enter a private home.
[[ $(id -u) -eq 0 ]] && apt_options+=(-o APT::Sandbox::User=root)
step "Reading source lists from $mirror" apt-get "${apt_options[@]}" update
step "Fetching qt6-base $source_version" \
  bash -c 'cd "$1" && shift && apt-get "$@"' _ "$work" "${apt_options[@]}" source "qt6-base=$source_version"
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[[ -n "$src" ]] || { echo "No unpacked qt6-base source in $work"; exit 1; }

printf '%s' "$toolchain" >"$work/toolchain.cmake"
# Installed with DESTDIR under the final path so every recorded path is the
# final one; the staged tree is then renamed into place in one step.
stage=$work/stage
step "Configuring" nice -n 10 cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  "${options[@]}"
jobs=${TARNVIK_QT_JOBS:-$(nproc)}
step "Compiling with $jobs jobs (about 25 minutes on 2 cores)" \
  nice -n 10 cmake --build "$work/build" --parallel "$jobs"
step "Installing" env DESTDIR="$stage" cmake --install "$work/build"

staged=$stage$prefix
# The compiler's runtime DLLs travel with Qt's, from the compiler that built it.
gcc_dir=$(dirname "$("$triplet-g++-posix" -print-libgcc-file-name)")
for dll in "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" "/usr/$triplet/lib/libwinpthread-1.dll"; do
  [[ -f "$dll" ]] || { echo "Missing mingw runtime DLL: $dll"; exit 1; }
  cp "$dll" "$staged/bin/"
done
# Qt's toolchain file chain-loads the toolchain Qt was configured with, which
# lived in the work folder; a copy inside the prefix keeps it usable.
qt_toolchain=$staged/lib/cmake/Qt6/qt.toolchain.cmake
cp "$work/toolchain.cmake" "$staged/lib/cmake/Qt6/mingw-w64-x86_64-posix.cmake"
sed -i 's|^set(__qt_initially_configured_toolchain_file ".*")$|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-posix.cmake")|' \
  "$qt_toolchain"
grep -qF 'CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-posix.cmake' "$qt_toolchain" ||
  { echo "Could not point $qt_toolchain at the kept toolchain"; exit 1; }
for needed in bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Test.dll \
  plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll; do
  [[ -f "$staged/$needed" ]] || { echo "Build finished without $needed"; exit 1; }
done

mv -T "$staged" "$prefix"
rm -rf "$work"
echo "$(date +%T) Qt $qt_version for Windows is in $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix" >&3
