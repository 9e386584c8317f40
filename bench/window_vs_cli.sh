#!/usr/bin/env bash
# Times a whole search through the main window (offscreen, from the press of
# the search button until the window is idle again) against a whole run of
# `tarnvik-cli ROOT > /dev/null` on the same warm 20,000-file tree, in one
# run, and prints the ratio (target <= 1.3) and the longest stretch in which
# the window processed no events (target <= 50 ms).
#   bench/window_vs_cli.sh [RUNS]
# Builds into build/ (or $TARNVIK_BUILD_DIR) when needed; the tree is made
# once by gentree_tool in $TARNVIK_BENCH_TREE (default /tmp/tarnvik-bench-tree).
set -euo pipefail
source "$(dirname "$0")/common.sh"
runs=${1:-15}

bench_build bench/Window_qtbench cli/tarnvik-cli bench/gentree_tool
window="$build/bench/Window_qtbench"
cli="$build/cli/tarnvik-cli"
bench_tree

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
now_ns() { date +%s%N; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for ((i = 0; i < 3; i++)); do "$cli" "$tree" >/dev/null 2>&1; done  # warm the caches
# The window and the command-line program take turns, so that both see the
# same machine state.
declare -a t_cli t_win gaps
for ((i = 0; i < runs; i++)); do
  s=$(now_ns); "$cli" "$tree" >/dev/null 2>&1; e=$(now_ns); t_cli+=($(((e - s) / 1000)))
  out=$("$window" "$tree" 3 2>/dev/null)
  t_win+=($(sed -n 's/^search: median \([0-9.]*\) ms.*/\1/p' <<<"$out" | awk '{printf "%d", $1 * 1000}'))
  gaps+=($(sed -n 's/^longest gap without event processing: \([0-9.]*\) ms/\1/p' <<<"$out"))
done
mc=$(median "${t_cli[@]}")
mw=$(median "${t_win[@]}")
mg=$(printf '%s\n' "${gaps[@]}" | sort -g | tail -n 1)
printf 'tree: %s (%s)\n' "$tree" "$(sed -n 's/^files/files/p' <<<"$out")"
printf 'window search: %d us (median of %d)\n' "$mw" "$runs"
printf 'tarnvik-cli:   %d us (median of %d)\n' "$mc" "$runs"
awk -v a="$mw" -v b="$mc" 'BEGIN { printf "ratio window/tarnvik-cli: %.2f (target <= 1.3)\n", a / b }'
printf 'longest gap without event processing: %s ms (target <= 50)\n' "$mg"
