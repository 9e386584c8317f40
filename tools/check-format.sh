#!/usr/bin/env bash
# Checks that every C++ source of the project is formatted by the committed
# .clang-format; prints the offending places and fails otherwise.
#   tools/check-format.sh         check
#   tools/check-format.sh --fix   format the files in place
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
clang_format=${CLANG_FORMAT:-clang-format}
if ! command -v "$clang_format" >/dev/null; then
  echo "check-format: $clang_format not found (tools/setup.sh installs it)" >&2
  exit 1
fi
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if [[ ${#files[@]} -eq 0 ]]; then
  exit 0
fi
if [[ "${1:-}" == "--fix" ]]; then
  "$clang_format" -i "${files[@]}"
  exit 0
fi
if ! "$clang_format" --dry-run -Werror "${files[@]}"; then
  echo "check-format: run tools/check-format.sh --fix" >&2
  exit 1
fi
