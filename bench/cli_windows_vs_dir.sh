#!/usr/bin/env bash
# Times tarnvik-cli.exe under Wine against "cmd /c dir /s /a-d" under Wine and
# against the Linux tarnvik-cli, on the same warm 20,000-file tree, in one
# run, and prints both ratios (target: tarnvik-cli.exe/dir <= 1.0).
#   bench/cli_windows_vs_dir.sh [RUNS]
# Needs build/ (tools/build.sh) and build-win64/ (tools/test-windows.sh);
# the tree is the one of bench/cli_vs_find.sh ($TARNVIK_BENCH_TREE).
set -euo pipefail
source "$(dirname "$0")/common.sh"
wbuild=${TARNVIK_WIN_BUILD_DIR:-$here/build-win64}
runs=${1:-7}

bench_build cli/tarnvik-cli bench/gentree_tool
[[ -f "$wbuild/cli/tarnvik-cli.exe" ]] || "$here/tools/test-windows.sh" -R '^$' >/dev/null
bench_tree
export WINEPREFIX=$wbuild/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -p >/dev/null 2>&1 </dev/null || true  # one may be running already
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wtree="Z:${tree//\//\\}"  # Wine's drive Z: is the Linux root
linux_cli="$build/cli/tarnvik-cli"
win_cli="$wbuild/cli/tarnvik-cli.exe"

now_ns() { date +%s%N; }
run_win() { wine "$win_cli" "$wtree" >/dev/null 2>&1; }
run_dir() { wine cmd /c dir /s /a-d "$wtree" >/dev/null 2>&1; }
run_linux() { "$linux_cli" "$tree" >/dev/null 2>&1; }
declare -a t_win t_dir t_linux
for ((i = 0; i < 2; i++)); do run_win; run_dir; run_linux; done  # warm the caches
for ((i = 0; i < runs; i++)); do
  s=$(now_ns); run_win; e=$(now_ns); t_win+=($(((e - s) / 1000000)))
  s=$(now_ns); run_dir; e=$(now_ns); t_dir+=($(((e - s) / 1000000)))
  s=$(now_ns); run_linux; e=$(now_ns); t_linux+=($(((e - s) / 1000000)))
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
mw=$(median "${t_win[@]}")
md=$(median "${t_dir[@]}")
ml=$(median "${t_linux[@]}")
printf 'tree: %s (%s)\n' "$tree" "$(wine "$win_cli" "$wtree" 2>&1 >/dev/null | tail -n 1)"
printf 'tarnvik-cli.exe (Wine): %d ms (median of %d)\n' "$mw" "$runs"
printf 'dir /s /a-d (Wine):     %d ms\n' "$md"
printf 'tarnvik-cli (Linux):    %d ms\n' "$ml"
awk -v a="$mw" -v b="$md" 'BEGIN { printf "ratio tarnvik-cli.exe/dir: %.2f (target <= 1.0)\n", a / b }'
awk -v a="$mw" -v b="$ml" 'BEGIN { printf "ratio tarnvik-cli.exe/tarnvik-cli: %.2f\n", a / b }'
