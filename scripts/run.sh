#!/usr/bin/env bash
# Installs, builds and starts the program: on the given file, or on the demo show.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ $# -gt 0 ]; then
  target="$(realpath -- "$1")"
else
  bash samples/make-demo.sh build/samples >/dev/null
  target="$(realpath build/samples/demo.kvz)"
fi
exec build/slideshow "$target"
