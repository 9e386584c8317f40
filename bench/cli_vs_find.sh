#!/usr/bin/env bash
# Times tarnvik-cli against find on the same warm 20,000-file tree, in one
# run, and prints the ratio (target: <= 1.2).
#   bench/cli_vs_find.sh [RUNS]
# Builds into build/ (or $TARNVIK_BUILD_DIR) when needed; the tree is made
# once by gentree_tool in $TARNVIK_BENCH_TREE (default /tmp/tarnvik-bench-tree).
set -euo pipefail
source "$(dirname "$0")/common.sh"
runs=${1:-15}

bench_build cli/tarnvik-cli bench/gentree_tool
cli="$build/cli/tarnvik-cli"
bench_tree

# Median wall time in milliseconds of a command, the two commands taking
# turns so that both see the same machine state.
now_ns() { date +%s%N; }
declare -a t_cli t_find
for ((i = 0; i < 3; i++)); do  # warm the caches
  "$cli" "$tree" >/dev/null 2>&1
  find "$tree" -printf '%P\t%T@\t%s\n' >/dev/null
done
for ((i = 0; i < runs; i++)); do
  s=$(now_ns); "$cli" "$tree" >/dev/null 2>&1; e=$(now_ns); t_cli+=($(((e - s) / 1000)))
  s=$(now_ns); find "$tree" -printf '%P\t%T@\t%s\n' >/dev/null; e=$(now_ns); t_find+=($(((e - s) / 1000)))
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
mc=$(median "${t_cli[@]}")
mf=$(median "${t_find[@]}")
files=$("$cli" "$tree" 2>&1 >/dev/null | tail -n 1)
printf 'tree: %s (%s)\n' "$tree" "$files"
printf 'tarnvik-cli: %d us (median of %d)\n' "$mc" "$runs"
printf 'find:        %d us (median of %d)\n' "$mf" "$runs"
awk -v a="$mc" -v b="$mf" 'BEGIN { printf "ratio tarnvik-cli/find: %.2f (target <= 1.2)\n", a / b }'
