# Shared by the benchmark scripts (sourced, not run): where the build and the
# bench tree are, building what a script needs, and making the tree once.
#   here   the project root;  build  build/ or $TARNVIK_BUILD_DIR
#   tree   $TARNVIK_BENCH_TREE, default /tmp/tarnvik-bench-tree
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TARNVIK_BUILD_DIR:-$here/build}
tree=${TARNVIK_BENCH_TREE:-/tmp/tarnvik-bench-tree}

# bench_build PATH...: builds the programs (paths below the build folder,
# e.g. cli/tarnvik-cli) that are not there yet; only those targets when the
# build folder is configured, else the whole project.
bench_build() {
  local missing=() t
  for t in "$@"; do
    [[ -x "$build/$t" ]] || missing+=("$(basename "$t")")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  if [[ -f "$build/build.ninja" || -f "$build/Makefile" ]]; then
    cmake --build "$build" --target "${missing[@]}" >/dev/null
  else
    TARNVIK_BUILD_DIR="$build" "$here/tools/build.sh" >/dev/null
  fi
}

# bench_tree: the deterministic 20,000-file tree of gentree_tool in $tree,
# made once (a marker file says it is complete).
bench_tree() {
  if [[ ! -f "$tree.complete" ]]; then
    rm -rf "$tree"
    "$build/bench/gentree_tool" "$tree" --seed 1 >/dev/null
    touch "$tree.complete"
  fi
}
