#!/usr/bin/env bash
# Installs, builds and runs every test. Then the checked build (build-asan/, clang): the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz
# target for a bounded time on its seed corpus (scripts/fuzz.sh). Any finding fails.
# CHECKED_BUILD=0 stops after the first stage (a quick local run).
set -euo pipefail
cd "$(dirname "$0")/.."
# No folder includes one of a layer above it.
python3 scripts/check-layers.py
bash scripts/build.sh
# Every C++ file as clang-format makes it.
bash scripts/check-format.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 600)
[ "${CHECKED_BUILD:-1}" = 1 ] || exit 0

echo "==== checked build: AddressSanitizer, UndefinedBehaviorSanitizer, fuzz targets"
if [ ! -f build-asan/build.ninja ]; then
  CXX=clang++-14 cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSANITIZE=ON -DFUZZ=ON >/dev/null
fi
cmake --build build-asan -j "$(nproc)"
(
  # Leaks count; those allocated inside the system libraries are listed in scripts/lsan.supp.
  # The libraries have no frame pointers, so only the slow unwinder finds their frames in an
  # allocation's stack; eight frames are enough to reach them and keep the suite quick.
  export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=8
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS=print_stacktrace=1
  cd build-asan
  # The sanitizers make the program several times slower; on a loaded machine a test that
  # counts the steps of an effect between two events can miss once, so a failed shard runs
  # a second time. The first stage has no such second chance.
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 900 \
    --repeat until-pass:2
)
bash scripts/fuzz.sh
