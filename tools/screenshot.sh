#!/usr/bin/env bash
# Takes a screenshot of Tarnvik after a search and a keyword filter, on a
# virtual X display:
#   tools/screenshot.sh [OUT.png]         (default docs/screenshot.png)
#   tools/screenshot.sh --menu [OUT.png]  (default docs/screenshot-menu.png)
#                                         the same with a row's context menu open
# Builds what is missing into build/ (or $TARNVIK_BUILD_DIR), makes a small
# tree with Japanese and repeated file names, points slot 0 at it through a
# settings file in a temporary XDG_CONFIG_HOME, starts the program under
# Xvfb, presses the search button with xdotool, types a keyword for the
# lower table, and grabs the window.
# Needs the extras of tools/setup.sh (xvfb, xdotool, x11-utils, imagemagick).
set -euo pipefail
source "$(dirname "$0")/screenshot-tree.sh"
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TARNVIK_BUILD_DIR:-$here/build}
menu=false
if [[ "${1:-}" == "--menu" ]]; then
  menu=true
  shift
fi
if $menu; then
  out=${1:-$here/docs/screenshot-menu.png}
else
  out=${1:-$here/docs/screenshot.png}
fi
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac

if [[ ! -x "$build/app/tarnvik" || ! -x "$build/bench/gentree_tool" ]]; then
  if [[ -f "$build/build.ninja" || -f "$build/Makefile" ]]; then
    cmake --build "$build" --target tarnvik gentree_tool >/dev/null
  else
    TARNVIK_BUILD_DIR="$build" "$here/tools/build.sh" >/dev/null
  fi
fi

work=$(mktemp -d /tmp/tarnvik-shot.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The tree: the generator's mix of names when it is there, else a few
# folders made here.
tree="$work/共有フォルダー"
make_screenshot_tree "$tree" "$build/bench/gentree_tool"

mkdir -p "$work/config/Tarnvik"
cat >"$work/config/Tarnvik/Tarnvik.conf" <<CONF
[General]
Height=621
Width=736
SrchFrom0=$tree
CONF

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

export DISPLAY=$display XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
export LANG=ja_JP.UTF-8 QT_QPA_PLATFORM=xcb
"$build/app/tarnvik" >/dev/null 2>&1 &
pids+=($!)

wid=$(timeout 20 xdotool search --sync --onlyvisible --classname tarnvik | head -n 1)
[[ -n "$wid" ]] || { echo 'the window did not appear' >&2; exit 1; }
sleep 1
# The search button sits at (424, 52) in the client area, 56 x 25.
xdotool mousemove --window "$wid" 452 64 click 1
sleep 2
# Select a row and page down past the hidden dot-files, which sort first,
# as a user looking through the result would.
xdotool mousemove --window "$wid" 300 165 click 1
xdotool key --window "$wid" Next
# Filter by a keyword typed in hiragana: the lower table lists the reports
# written in katakana, full or half width.
xdotool mousemove --window "$wid" 170 358 click 1
LC_ALL=C.UTF-8 xdotool type --window "$wid" --delay 50 'れぽーと'
xdotool mousemove --window "$wid" 523 358 click 1
sleep 0.5
xdotool mousemove --window "$wid" 700 560
sleep 0.5
mkdir -p "$(dirname "$out")"
if $menu; then
  # Right-click a row of the upper table: the row is selected and its menu
  # opens. The menu is a window of its own, so the screen is grabbed and
  # cut to the main window's place.
  xdotool mousemove --window "$wid" 250 205 click 3
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
else
  import -window "$wid" "$out"
fi
echo "$out"
