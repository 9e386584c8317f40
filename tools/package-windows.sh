#!/usr/bin/env bash
# Makes Tarnvik's Windows packages from the cross-build:
#   Tarnvik-VERSION-win64.zip    a portable folder Tarnvik/ to unpack anywhere
#   Tarnvik-VERSION-setup.exe    an installer for C:\Program Files\Tarnvik
#                                with a Start-menu entry and an uninstaller
#                                (packaging/windows/tarnvik.nsi)
#   tools/package-windows.sh [OUTPUT_FOLDER]
# Output folder default: build-win64/package/ (the build folder is
# $TARNVIK_WIN_BUILD_DIR, default build-win64/). tarnvik.exe and
# tarnvik-cli.exe are built by tools/build-windows.sh where they are missing
# or out of date. Both packages hold the two programs, every DLL they load
# that is not part of Windows, and the Qt plugins the window needs beside
# the programs (platforms/, styles/), where Qt looks without a qt.conf; all
# stripped. The DLLs are found by following the programs' and plugins'
# imports through Qt's bin/ folder; an import that is neither there nor a
# Windows DLL stops the packaging. Prints the zip's and the installer's paths.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TARNVIK_WIN_BUILD_DIR:-$here/build-win64}
out=${1:-$build/package}
triple=x86_64-w64-mingw32
sysroot=/usr/$triple

fail() {
  echo "package-windows: $*" >&2
  exit 1
}

qt_prefix=$("$here/tools/build-windows.sh" --target tarnvik tarnvik-cli | tail -n 1)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[[ -n $version ]] || fail "no project version in $build/CMakeCache.txt"
command -v makensis >/dev/null || fail "makensis is missing (tools/setup.sh --windows installs nsis)"

mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d "$out/.stage.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/Tarnvik
mkdir -p "$stage/platforms" "$stage/styles"

cp "$build/app/tarnvik.exe" "$build/cli/tarnvik-cli.exe" "$stage/"
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"

# The DLLs that may be shipped, by lower-case name (Windows matches DLL
# names without regard to case).
declare -A shippable=()
for dll in "$qt_prefix"/bin/*.dll; do
  name=$(basename "$dll")
  shippable[${name,,}]=$dll
done
# A Windows DLL is one that mingw-w64 has an import library for, or one of
# Windows' API sets (api-ms-win-*, ext-ms-win-*).
is_windows_dll() {
  local base=${1,,}
  base=${base%.dll}
  [[ $base == api-ms-win-* || $base == ext-ms-win-* || -f "$sysroot/lib/lib$base.a" ]]
}

declare -A seen=()
queue=("$stage/tarnvik.exe" "$stage/tarnvik-cli.exe" "$stage/platforms/qwindows.dll"
  "$stage/styles/qwindowsvistastyle.dll")
while [[ ${#queue[@]} -gt 0 ]]; do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  imports=$("$triple-objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r') ||
    fail "cannot read the imports of $file"
  while read -r name; do
    [[ -z $name ]] && continue
    key=${name,,}
    [[ -n ${seen[$key]:-} ]] && continue
    seen[$key]=1
    if [[ -n ${shippable[$key]:-} ]]; then
      cp "${shippable[$key]}" "$stage/"
      queue+=("$stage/$(basename "${shippable[$key]}")")
    elif ! is_windows_dll "$name"; then
      fail "$(basename "$file") needs $name, which is neither in $qt_prefix/bin nor a Windows DLL"
    fi
  done <<<"$imports"
done
[[ ! -e "$stage/Qt6Test.dll" ]] || fail "Qt6Test.dll was pulled in; a program links the test library"

for file in "$stage"/*.exe; do
  "$triple-strip" --strip-all "$file"
done
for file in "$stage"/*.dll "$stage"/*/*.dll; do
  "$triple-strip" --strip-unneeded "$file"
done

# The portable zip: the folder Tarnvik/ as it is, in name order.
zip=$out/Tarnvik-$version-win64.zip
(cd "$work" && find Tarnvik -type f | LC_ALL=C sort >"$work/zip-list" &&
  cmake -E tar cf "$work/package.zip" --format=zip --files-from="$work/zip-list")
mv -f "$work/package.zip" "$zip"

# The installer. The uninstaller deletes exactly the staged files, then the
# folders deepest first.
list=$work/uninstall.nsh
# shellcheck disable=SC2016  # $INSTDIR is for makensis
{
  (cd "$stage" && find . -type f | sort) | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
} >"$list"
IFS=. read -r -a parts <<<"$version"
while [[ ${#parts[@]} -lt 4 ]]; do parts+=(0); done
version_quad=$(IFS=.; echo "${parts[*]:0:4}")
setup=$out/Tarnvik-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_QUAD="$version_quad" \
  -DSTAGE="$stage" -DUNINSTALL_LIST="$list" -DICON="$here/data/icons/tarnvik.ico" \
  -DOUTFILE="$work/setup.exe" "$here/packaging/windows/tarnvik.nsi" >"$work/makensis.log" 2>&1 ||
  { cat "$work/makensis.log" >&2; fail "makensis failed"; }
mv -f "$work/setup.exe" "$setup"

echo "$zip"
echo "$setup"
