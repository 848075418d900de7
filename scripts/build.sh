#!/usr/bin/env bash
# Installs what is missing and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# GStreamer builds its plugin registry at its first use; doing it here keeps that
# cost out of the first player the tests or the program open.
gst-inspect-1.0 >/dev/null
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build -j "$(nproc)"
