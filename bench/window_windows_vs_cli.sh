#!/usr/bin/env bash
# The Windows build's counterpart of window_vs_cli.sh: times a whole search
# through the main window of the Windows build under Wine (Window_qtbench.exe,
# offscreen, from the press of the search button until the window is idle
# again) against a whole run of `tarnvik-cli.exe ROOT > /dev/null` under Wine,
# on the same warm 20,000-file tree (Z:\tmp\tarnvik-bench-tree to Wine), in one
# run, and prints the ratio (target <= 1.3).
#   bench/window_windows_vs_cli.sh [RUNS]
#
# Neither side includes Wine's start-up of a process. The window's figure is
# taken inside a running window, as on Linux; from tarnvik-cli.exe's figure
# the median time of `tarnvik-cli.exe --help`, the same program started and
# ended under Wine in the same rounds, is taken off. Wine needs 0.1 to 0.3 s
# here to start a Windows program (its own DLLs, the server's bookkeeping),
# many times what Windows needs and nothing of the program's own; counted on
# the command line's side alone it would move the ratio by up to a third.
# Other processes on the machine make single runs swing widely under Wine;
# the ratio of the best runs is printed beside that of the medians as the
# figure they move least.
#
# Builds Window_qtbench.exe and tarnvik-cli.exe into build-win64/ (or
# $TARNVIK_WIN_BUILD_DIR) through tools/build-windows.sh; Window_qtbench is
# not part of the default Windows build. The tree is made once by the Linux
# gentree_tool (bench/common.sh). Runs in a Wine prefix of its own in a
# temporary folder, removed at the end with its server.
set -euo pipefail
source "$(dirname "$0")/common.sh"
wbuild=${TARNVIK_WIN_BUILD_DIR:-$here/build-win64}
runs=${1:-9}

work=$(mktemp -d /tmp/tarnvik-winbench.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  if [[ -d "$WINEPREFIX" ]]; then wineserver -k >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

if ! qt_prefix=$(TARNVIK_WIN_BUILD_DIR="$wbuild" "$here/tools/build-windows.sh" \
  --target Window_qtbench tarnvik-cli 2>"$work/build.log" | tail -n 1); then
  cat "$work/build.log" >&2
  exit 1
fi
[[ -f "$tree.complete" ]] || bench_build bench/gentree_tool
bench_tree
window="$wbuild/bench/Window_qtbench.exe"
cli="$wbuild/cli/tarnvik-cli.exe"
wtree="Z:${tree//\//\\}"  # Wine's drive Z: is the Linux root

wineboot --init >/dev/null 2>&1
# Wine hands no QT_ variable of the Unix side on to Windows programs; the
# window gets its platform, its fonts and Qt's DLLs from the prefix's user
# environment.
for entry in "QT_QPA_PLATFORM=offscreen" \
  "QT_QPA_FONTDIR=Z:/usr/share/fonts/opentype/ipafont-gothic" "PATH=Z:$qt_prefix/bin"; do
  wine reg add 'HKCU\Environment' /v "${entry%%=*}" /d "${entry#*=}" /f >/dev/null 2>&1
done
# A persistent server spares every run the server's start-up (which runs
# wineboot, 2 to 3 s here). Only a server that starts persistent stays: the
# one that served the set-up above is let go first.
wineserver -w
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null || true

now_ns() { date +%s%N; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
run_cli() { wine "$cli" "$@" >/dev/null 2>&1 </dev/null; }

for ((i = 0; i < 2; i++)); do run_cli "$wtree"; run_cli --help; done  # warm the caches
# The three take turns, so that all see the same machine state.
declare -a t_cli t_start t_win gaps
for ((i = 0; i < runs; i++)); do
  s=$(now_ns); run_cli "$wtree"; e=$(now_ns); t_cli+=($(((e - s) / 1000)))
  s=$(now_ns); run_cli --help; e=$(now_ns); t_start+=($(((e - s) / 1000)))
  out=$(wine "$window" "$wtree" 3 2>/dev/null </dev/null | tr -d '\r')
  t_win+=($(sed -n 's/^search: median \([0-9.]*\) ms.*/\1/p' <<<"$out" | awk '{printf "%d", $1 * 1000}'))
  gaps+=($(sed -n 's/^longest gap without event processing: \([0-9.]*\) ms/\1/p' <<<"$out"))
done
[[ ${#t_win[@]} -eq $runs ]] || { echo "Window_qtbench.exe gave no figure: $out" >&2; exit 1; }
mc=$(median "${t_cli[@]}")
ms=$(median "${t_start[@]}")
mw=$(median "${t_win[@]}")
mg=$(printf '%s\n' "${gaps[@]}" | sort -g | tail -n 1)
best() { printf '%s\n' "$@" | sort -n | head -n 1; }
bc=$(best "${t_cli[@]}")
bs=$(best "${t_start[@]}")
bw=$(best "${t_win[@]}")
printf 'tree: %s (%s)\n' "$wtree" "$(sed -n 's/^files/files/p' <<<"$out")"
printf 'window search (Wine):         %d us (median of %d; best %d us)\n' "$mw" "$runs" "$bw"
printf 'tarnvik-cli.exe (Wine):       %d us, less start-up %d us = %d us (best %d - %d us)\n' \
  "$mc" "$ms" "$((mc - ms))" "$bc" "$bs"
awk -v a="$mw" -v b="$((mc - ms))" -v c="$bw" -v d="$((bc - bs))" \
  'BEGIN { printf "ratio window/tarnvik-cli.exe: %.2f (target <= 1.3; best runs %.2f)\n", a / b, c / d }'
printf 'longest gap without event processing: %s ms\n' "$mg"
