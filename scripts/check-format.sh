#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of it
# (.clang-format). `bash scripts/check-format.sh --fix` formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
# The version the files were formatted with; another may place a few things differently.
CF=clang-format-14
command -v "$CF" >/dev/null || CF=clang-format
list() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files '*.cpp' '*.h'
  else
    find . -path ./build -prune -o -path ./build-asan -prune -o \
      \( -name '*.cpp' -o -name '*.h' \) -print
  fi
}
if [ "${1:-}" = --fix ]; then
  list | xargs "$CF" -i
else
  list | xargs "$CF" --dry-run --Werror
fi
