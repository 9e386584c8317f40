#!/usr/bin/env bash
# Takes a screenshot of the Windows build of Tarnvik after a search and a
# keyword filter, as tools/screenshot.sh does for the Linux build:
#   tools/screenshot-windows.sh [OUT.png]   (default docs/screenshot-windows.png)
# tarnvik.exe runs under Wine on Qt's "windows" platform, on a virtual X
# display, in a Wine prefix of its own with a Japanese locale (made in a
# temporary folder and removed at the end with its server). Builds
# tarnvik.exe when it is missing (tools/build-windows.sh --target tarnvik),
# makes a small tree with Japanese and repeated file names on the prefix's
# C: drive (C:\users\Public\Documents\共有フォルダー), points slot 0 at it in
# the registry (HKCU\Software\Tarnvik), presses the search button with
# xdotool, types a keyword for the lower table, and grabs the window.
# Needs the extras of tools/setup.sh (xvfb, xdotool, x11-utils, imagemagick,
# locales) and Wine (tools/setup.sh --windows).
set -euo pipefail
source "$(dirname "$0")/screenshot-tree.sh"
here=$(cd "$(dirname "$0")/.." && pwd)
wbuild=${TARNVIK_WIN_BUILD_DIR:-$here/build-win64}
lbuild=${TARNVIK_BUILD_DIR:-$here/build}
out=${1:-$here/docs/screenshot-windows.png}
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac

if [[ ! -f "$wbuild/app/tarnvik.exe" ]]; then
  qt_prefix=$(TARNVIK_WIN_BUILD_DIR="$wbuild" "$here/tools/build-windows.sh" --target tarnvik |
    tail -n 1)
else
  # The Qt that the build folder was configured with, through its toolchain
  # file.
  qt_prefix=$(sed -n 's|^CMAKE_TOOLCHAIN_FILE:[A-Z]*=\(.*\)/lib/cmake/Qt6/qt\.toolchain\.cmake$|\1|p' \
    "$wbuild/CMakeCache.txt")
fi
[[ -f "$qt_prefix/bin/Qt6Core.dll" ]] || {
  echo "no Qt for Windows found for $wbuild" >&2
  exit 1
}

work=$(mktemp -d /tmp/tarnvik-shot-win.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if [[ -d "$WINEPREFIX" ]]; then wineserver -k >/dev/null 2>&1 || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The virtual display comes first: the prefix's desktop process, which
# wineboot starts, keeps the display it started with for the programs that
# follow. -noreset: the keyboard map below must outlive the short X clients.
# Xvfb picks a free display number and tells it once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
display=:$(head -n 1 "$work/display")
[[ "$display" != ":" ]] || {
  echo 'Xvfb did not start' >&2
  exit 1
}
export DISPLAY=$display

# The keyword is typed through keys of its own: F13 and up are given its
# kana. Wine reads the keyboard map once, when the program starts, and gives
# each key of an unknown symbol a spare virtual key; the media keys of the
# default map use them all up, so they become F20 and leave some over.
keys=(U308C U307D U30FC U3068)  # れぽーと
xkbcomp -xkb "$display" "$work/keymap.xkb" 2>/dev/null
edits=('/^xkb_symbols/,/^};/{s/\bXF86[A-Za-z0-9_]*/F20/g;s/\bSun[A-Za-z0-9_]*/F20/g}')
for i in "${!keys[@]}"; do
  edits+=("s/key <FK$((13 + i))> {.*/key <FK$((13 + i))> { [ ${keys[i]} ] };/")
done
sed_args=()
for e in "${edits[@]}"; do sed_args+=(-e "$e"); done
sed "${sed_args[@]}" "$work/keymap.xkb" >"$work/keymap-kana.xkb"
xkbcomp -w 0 "$work/keymap-kana.xkb" "$display" 2>/dev/null

# A Japanese Windows: Wine takes the locale of the prefix (code page 932,
# Japanese font names, the dialog font) from the Unix locale, which is
# compiled into the work folder when the system has not got it.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  mkdir -p "$work/locale"
  localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" >/dev/null 2>&1 || true
  export LOCPATH=$work/locale
fi
# (The shell itself does not see LOCPATH and warns; only its children need
# the locale.)
{ export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null
wineboot --init >/dev/null 2>&1
wine reg add 'HKCU\Environment' /v PATH /d "Z:$qt_prefix/bin" /f >/dev/null 2>&1

# The tree, in the prefix's public documents (a folder of the prefix; the
# user's own documents are links to the Unix home): the generator's mix of
# names when the Linux build has it, else a few folders made here.
docs=$WINEPREFIX/drive_c/users/Public/Documents
[[ -d "$docs" && "$(realpath "$docs")" == "$(realpath "$WINEPREFIX")"/* ]] || {
  echo "the Wine prefix has no public documents folder of its own: $docs" >&2
  exit 1
}
tree="$docs/共有フォルダー"
wroot='C:\users\Public\Documents\共有フォルダー'
make_screenshot_tree "$tree" "$lbuild/bench/gentree_tool"
wine reg add 'HKCU\Software\Tarnvik' /v SrchFrom0 /d "$wroot" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Tarnvik' /v Height /t REG_DWORD /d 621 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Tarnvik' /v Width /t REG_DWORD /d 736 /f >/dev/null 2>&1

wine "$wbuild/app/tarnvik.exe" >"$work/tarnvik.log" 2>&1 &
pids+=($!)
wid=$(timeout 60 xdotool search --sync --onlyvisible --name 'Tarnvik\.exe' 2>/dev/null | head -n 1) ||
  true
[[ -n "$wid" ]] || {
  echo 'the window did not appear' >&2
  cat "$work/tarnvik.log" >&2
  exit 1
}
sleep 1
# Without a window manager the window gets the keyboard only when told.
xdotool windowfocus --sync "$wid" 2>/dev/null
# The search button sits at (424, 52) in the client area, 56 x 25.
xdotool mousemove --window "$wid" 452 64 click 1 2>/dev/null
sleep 3
# Select a row and page down past the hidden dot-files, which sort first,
# as a user looking through the result would.
xdotool mousemove --window "$wid" 300 165 click 1 2>/dev/null
xdotool key Next 2>/dev/null
# Filter by a keyword typed in hiragana: the lower table lists the reports
# written in katakana, full or half width.
xdotool mousemove --window "$wid" 170 358 click 1 2>/dev/null
xdotool key --delay 80 "${keys[@]}" 2>/dev/null
xdotool mousemove --window "$wid" 523 358 click 1 2>/dev/null
sleep 1
xdotool mousemove --window "$wid" 700 560 2>/dev/null
sleep 0.5
mkdir -p "$(dirname "$out")"
import -window "$wid" "$out"
echo "$out"
