#!/usr/bin/env bash
# Builds a libFuzzer target with clang-14 (address and undefined-behaviour
# sanitizers, coverage on the engine libraries) in build-fuzz/ and runs it.
#   tools/fuzz.sh [SECONDS] [TARGET]     defaults: 300 seconds, MatchKey_fuzz
# The corpus grows in build-fuzz/corpus/TARGET; a crash leaves its input in
# build-fuzz/ and makes the script fail.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
target=${2:-MatchKey_fuzz}
build=${TARNVIK_FUZZ_DIR:-$here/build-fuzz}
generator=()
command -v ninja >/dev/null && [[ ! -f "$build/Makefile" ]] && generator=(-G Ninja)
cmake -S "$here" -B "$build" "${generator[@]}" \
  -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DTARNVIK_SANITIZE=ON \
  -DTARNVIK_FUZZ=ON -DTARNVIK_GUI=OFF -DTARNVIK_BENCH=OFF >/dev/null
cmake --build "$build" --target "$target"

corpus=$build/corpus/$target
mkdir -p "$corpus"
# A few seeds in the input layout (connective, two keyword lengths, UTF-16LE
# text), so the run starts among kana and full-width forms.
seed() {
  local name=$1 header=$2 text=$3
  { printf "$header"; printf '%s' "$text" | iconv -f UTF-8 -t UTF-16LE; } >"$corpus/seed-$name"
}
seed kana '\001\004\000' 'れぽーとレポート.xls'
seed width '\002\003\003' 'ａｂｃplana b c.txt'
seed voiced '\000\002\001' 'ガ　ガイド ﾊﾟﾝﾌﾚｯﾄ'
seed blank '\002\001\004' '　report　 plan'
cd "$build"
exec "$build/fuzz/$target" -max_total_time="$seconds" -max_len=1024 -print_final_stats=1 "$corpus"
