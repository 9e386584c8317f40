#!/usr/bin/env bash
# Checks the Windows installer the way a user meets it, under Wine in a
# fresh Wine prefix that is thrown away afterwards: installs it silently
# (/S), checks the files in C:\Program Files\Tarnvik, the Start-menu
# shortcut and the entry in Add/Remove Programs, compares the files with the
# portable zip beside the installer, runs the installed tarnvik-cli.exe on a
# small tree, starts the installed tarnvik.exe on Qt's real "windows"
# platform under Xvfb and waits for its main window, searches, ends it with
# 終 了 and checks the settings it saved in the registry, uninstalls
# silently and checks that the program, the shortcut and the entry are gone
# while the user's settings stay.
#   tools/test-package-windows.sh [Tarnvik-VERSION-setup.exe]
# Without an installer it makes one with tools/package-windows.sh, which
# builds only what is missing. Takes about a minute.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
start_time=$SECONDS

fail() {
  echo "test-package-windows: FAILED: $*" >&2
  exit 1
}

"$here/tools/setup.sh" --windows
if [[ $# -gt 0 ]]; then
  setup=$(realpath "$1")
else
  setup=$("$here/tools/package-windows.sh" | tail -n 1)
fi
[[ -f $setup ]] || fail "no installer at $setup"
echo "installer: $setup"

# The caption the main window is known by, as the program sets it.
caption=$(grep -A1 'kCaption =' "$here/app/pgTarnvik.h" | sed -n 's/.*QStringLiteral("\(.*\)").*/\1/p' | head -n 1)
[[ -n $caption ]] || fail "no kCaption found in app/pgTarnvik.h"

work=$(mktemp -d /tmp/tarnvik-winpkg.XXXXXX)
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installer prompts, and no menu entries on this machine
# for the shortcuts made inside the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
xvfb_pid=
app_pid=
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# An X server of our own on a free display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || fail "Xvfb did not start"
display=$(cat "$work/display")
export DISPLAY=:$display

wineboot --init >/dev/null 2>&1 || fail "wineboot could not make a Wine prefix"
drive_c=$WINEPREFIX/drive_c
instdir_win='C:\Program Files\Tarnvik'
instdir=$drive_c/Program\ Files/Tarnvik
shortcut=$drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Tarnvik.lnk
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnvik'

# Waits (bounded) until no Windows program runs in the prefix any more.
wait_for_wine() {
  timeout "$1" wineserver -w || fail "$2"
}

# Install.
wine "$setup" /S >"$work/setup.log" 2>&1 || fail "the installer failed: $(cat "$work/setup.log")"
wait_for_wine 120 "the installer did not finish within 120 s"
for f in tarnvik.exe tarnvik-cli.exe uninstall.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
  libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll \
  styles/qwindowsvistastyle.dll; do
  [[ -f "$instdir/$f" ]] || fail "$instdir_win\\$f was not installed"
done
for f in Qt6Test.dll platforms/qoffscreen.dll qt.conf; do
  [[ ! -e "$instdir/$f" ]] || fail "$instdir_win\\$f should not be installed"
done
[[ -f $shortcut ]] || fail "no Start-menu shortcut Tarnvik.lnk"
grep -aq 'tarnvik\.exe' "$shortcut" || fail "the Start-menu shortcut does not lead to tarnvik.exe"
wine reg query "$uninstall_key" >"$work/uninstall-entry" 2>&1 ||
  fail "no Add/Remove Programs entry $uninstall_key"
for value in 'DisplayName.*Tarnvik' 'DisplayVersion' 'UninstallString.*uninstall\.exe' \
  'InstallLocation.*Program Files\\Tarnvik'; do
  grep -q "$value" "$work/uninstall-entry" || {
    cat "$work/uninstall-entry" >&2
    fail "the Add/Remove Programs entry lacks $value"
  }
done

# The portable zip beside the installer holds the same program.
zip=${setup%-setup.exe}-win64.zip
if [[ -f $zip ]]; then
  (cd "$instdir" && find . -type f ! -name uninstall.exe | sed 's|^\./|Tarnvik/|' | LC_ALL=C sort) >"$work/installed"
  unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort >"$work/zipped"
  diff "$work/zipped" "$work/installed" >&2 || fail "$(basename "$zip") and the installer hold other files"
fi

# The DLLs the package ships are the ones loaded: Wine may not stand in for
# them with builtins of its own.
overrides=$WINEDLLOVERRIDES
for dll in "$instdir"/*.dll; do
  overrides+=";$(basename "$dll" .dll)=n"
done

# The installed command-line tool lists a small tree.
mkdir -p "$work/tree/sub"
printf 'abc' >"$work/tree/a.txt"
printf 'abc' >"$work/tree/sub/a.txt"
WINEDLLOVERRIDES=$overrides wine "$instdir/tarnvik-cli.exe" "Z:${work//\//\\}\\tree" \
  >"$work/cli.out" 2>"$work/cli.err" || fail "tarnvik-cli.exe failed: $(cat "$work/cli.err")"
[[ $(tr -d '\r' <"$work/cli.err" | tail -n 1) == "files=2 folders=2 same=1" ]] ||
  fail "tarnvik-cli.exe counted otherwise: $(cat "$work/cli.out" "$work/cli.err")"

# The installed window starts from its folder alone (no Qt on the PATH, no
# qt.conf) on the real windows platform, with slot 0 on the small tree, and
# shows its main window; 検 索 searches, 終 了 saves the settings in the
# registry and ends the program.
tree_win="Z:${work//\//\\}\\tree"
settings_key='HKCU\Software\Tarnvik'
wine reg add "$settings_key" /v SrchFrom0 /d "$tree_win" /f >/dev/null 2>&1
WINEDLLOVERRIDES=$overrides WINEDEBUG=-all,err+module wine "$instdir/tarnvik.exe" \
  >"$work/window.log" 2>&1 &
app_pid=$!
found=
for _ in $(seq 120); do
  for id in $(xdotool search --name 'Tarnvik\.exe' 2>/dev/null); do
    if [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$caption" ]]; then
      found=$id
      break 2
    fi
  done
  kill -0 "$app_pid" 2>/dev/null || fail "tarnvik.exe ended before its window came up: $(cat "$work/window.log")"
  sleep 0.5
done
[[ -n $found ]] || fail "no window titled \"$caption\" within 60 s: $(cat "$work/window.log")"
echo "window up after $((SECONDS - start_time)) s: $caption"

# The buttons at their places in the window's first-run size: 検 索 at
# (424, 52), 終 了 at (644, 318), each 56 x 25. The window takes no input
# while it searches, so 終 了 is pressed until the program ends.
sleep 2
xdotool mousemove --window "$found" 452 64 click 1 2>/dev/null || fail "could not press 検 索"
for _ in $(seq 60); do
  kill -0 "$app_pid" 2>/dev/null || break
  xdotool mousemove --window "$found" 672 330 click 1 2>/dev/null || true
  sleep 1
done
if kill -0 "$app_pid" 2>/dev/null; then
  wine taskkill /f /im tarnvik.exe >/dev/null 2>&1 || true
  fail "tarnvik.exe did not end within 60 s of pressing 終 了"
fi
status=0
wait "$app_pid" || status=$?
app_pid=
[[ $status -eq 0 ]] || fail "tarnvik.exe ended with status $status: $(cat "$work/window.log")"

# The settings 終 了 saved: the roots as strings, the size as numbers.
wine reg query "$settings_key" >"$work/settings" 2>&1 || fail "終 了 saved no settings in $settings_key"
tr -d '\r' <"$work/settings" >"$work/settings.txt"
want_value() {
  grep -qE "^ +$1 +$2 +$3\$" "$work/settings.txt" || {
    cat "$work/settings.txt" >&2
    fail "$settings_key lacks $1 ($2) $3"
  }
}
want_value SrchFrom0 REG_SZ "$(sed 's/[][\\.*^$]/\\&/g' <<<"$tree_win")"
for slot in 1 2 3 4; do want_value "SrchFrom$slot" REG_SZ 'C:'; done
want_value Height REG_DWORD '0x[0-9a-f]+'
want_value Width REG_DWORD '0x[0-9a-f]+'
echo "searched and saved the settings through 終 了"

# Uninstall. The uninstaller copies itself to a temporary folder, starts
# the copy and returns; the copy's end is waited for.
wine "$instdir/uninstall.exe" /S >"$work/uninstall.log" 2>&1 ||
  fail "the uninstaller failed: $(cat "$work/uninstall.log")"
wait_for_wine 120 "the uninstaller did not finish within 120 s"
if [[ -e $instdir ]]; then
  find "$instdir" >&2
  fail "$instdir_win is still there after uninstalling"
fi
[[ ! -e $shortcut ]] || fail "the Start-menu shortcut is still there after uninstalling"
! wine reg query "$uninstall_key" >/dev/null 2>&1 ||
  fail "the Add/Remove Programs entry is still there after uninstalling"
wine reg query "$settings_key" /v SrchFrom0 >/dev/null 2>&1 ||
  fail "uninstalling took away the user's settings in HKCU\\Software\\Tarnvik"

echo "Windows package test passed in $((SECONDS - start_time)) s: installed, ran tarnvik-cli.exe and the window, uninstalled"
