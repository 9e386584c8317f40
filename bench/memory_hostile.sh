#!/usr/bin/env bash
# Peak memory of whole searches on hostile trees, against the same searches
# on the ordinary 20,000-file tree, in one run:
#   bench/memory_hostile.sh
# - deep60: 60 nested folders with 200-character names and 20,000 empty
#   files in the deepest one. Target: peak RSS at most 64 MB for tarnvik-cli
#   and for a whole search through the offscreen window (Window_qtbench).
# - deep1000: 1,000 nested folders with 250-character names, 20,000 files
#   at the bottom (a 4.5 MB tree). Target: both finish without an abort.
#   Each program runs with its address space capped (MEMORY_CAP_KB, default
#   4 GB) so that a fault ends in an abort instead of starving the machine.
# Builds into build/ (or $TARNVIK_BUILD_DIR) when needed; the trees are made
# once by deeptree_tool next to $TARNVIK_BENCH_TREE (default
# /tmp/tarnvik-bench-tree, the ordinary tree of gentree_tool).
set -euo pipefail
source "$(dirname "$0")/common.sh"
cap=${MEMORY_CAP_KB:-4194304}

bench_build bench/Window_qtbench cli/tarnvik-cli bench/gentree_tool bench/deeptree_tool \
  bench/peakrss_tool
window="$build/bench/Window_qtbench"
cli="$build/cli/tarnvik-cli"
peak="$build/bench/peakrss_tool"
bench_tree
make_deep() {  # NAME LEVELS NAME_LENGTH
  local dir="$tree-$1"
  if [[ ! -f "$dir.complete" ]]; then
    rm -rf "$dir"
    "$build/bench/deeptree_tool" "$dir" --levels "$2" --name-length "$3" --files 20000 >/dev/null
    touch "$dir.complete"
  fi
}
make_deep deep60 60 200
make_deep deep1000 1000 250

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

# Runs a command under the cap with its output discarded; sets peak_kb and
# ended ("ok", "exit N" or the signal).
measure() {
  local report status
  set +e
  report=$( (ulimit -v "$cap"; "$peak" "$@" 2>&1 >/dev/null) | grep -E '^(peak RSS|exit|killed)')
  status=$?
  set -e
  peak_kb=$(sed -n 's/^peak RSS: \([0-9]*\) kB$/\1/p' <<<"$report")
  ended=$(grep -E '^(exit|killed)' <<<"$report" || echo "no report ($status)")
  [[ "$ended" == "exit: 0" ]] && ended=ok
  return 0
}

mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }
verdict() {  # KB TARGET_MB
  awk -v k="$1" -v t="$2" 'BEGIN { print (k / 1024 <= t ? "ok" : "OVER") }'
}

run() {  # PROGRAM ROOT
  if [[ $1 == cli ]]; then measure "$cli" "$2"; else measure "$window" "$2" 1; fi
}
printf 'cap: %d kB of address space per program\n' "$cap"
for program in cli window; do
  run $program "$tree"
  base=$peak_kb base_end=$ended
  run $program "$tree-deep60"
  printf '%-6s ordinary tree: %s (%s); deep60: %s (%s), ratio %s, target <= 64 MB: %s\n' \
    "$program" "$(mb "$base")" "$base_end" "$(mb "$peak_kb")" "$ended" \
    "$(awk -v a="$peak_kb" -v b="$base" 'BEGIN { printf "%.2f", a / b }')" \
    "$(verdict "$peak_kb" 64)"
  run $program "$tree-deep1000"
  printf '%-6s deep1000: %s, %s (target: ok)\n' "$program" "$(mb "$peak_kb")" "$ended"
done
