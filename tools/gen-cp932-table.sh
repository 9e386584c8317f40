#!/usr/bin/env bash
# Regenerates lib/Cp932Table.inc, the CP932 decoding table, from the C
# library's iconv converter (glibc's "CP932"). The table is committed; run
# this only to check or rebuild it:
#   tools/gen-cp932-table.sh            rewrites lib/Cp932Table.inc
#   tools/gen-cp932-table.sh --check    fails when the committed table differs
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/tarnvik-cp932.XXXXXX)
trap 'rm -rf "$work"' EXIT
c++ -std=c++20 -O1 -Wall -Wextra -o "$work/gen" "$here/tools/cp932/gen_cp932_table.cpp"
"$work/gen" >"$work/Cp932Table.inc"
if [[ "${1:-}" == "--check" ]]; then
  cmp "$work/Cp932Table.inc" "$here/lib/Cp932Table.inc"
  exit
fi
mv "$work/Cp932Table.inc" "$here/lib/Cp932Table.inc"
echo "$here/lib/Cp932Table.inc"
