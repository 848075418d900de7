#!/usr/bin/env bash
# Runs each fuzz target on a copy of its seed corpus (fuzz/corpus/<target>/) for a bounded
# time, and fails when any target finds something. The input that did it is kept where the
# log says (build-asan/fuzz-runs/<target>/), beside the target's whole log.
#
#   bash scripts/fuzz.sh                                 # 60 s a target, targets side by side
#   FUZZ_SECONDS=600 FUZZ_JOBS=8 bash scripts/fuzz.sh    # 10 minutes a target on 8 cores
#   bash scripts/fuzz.sh fuzz_picture fuzz_macro         # only these
#
# Needs build-asan/ configured with -DFUZZ=ON (scripts/test.sh builds it).
set -uo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${FUZZ_SECONDS:-60}
JOBS=${FUZZ_JOBS:-1}  # processes per target; above 1 the targets run one after another
# FUZZ_PARALLEL: targets side by side when JOBS is 1 (default: the number of cores)
BUILD=${FUZZ_BUILD:-build-asan}
RUNS="$BUILD/fuzz-runs"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for d in fuzz/corpus/*/; do targets+=("fuzz_$(basename "$d")"); done
fi

# Leaks are checked when a run ends (-detect_leaks=0 below leaves out libFuzzer's scan of
# the whole heap after every input that allocated more than it freed, which Qt's caches make
# nearly every input, and which would cost two thirds of the runs). The fast unwinder keeps
# the runs quick; the system libraries the readers reach (fontconfig, PulseAudio, GLib)
# show in the first frames it records.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

run_one() {
  local t=$1 work="$RUNS/$1"
  local bin="$BUILD/fuzz/$t"
  rm -rf "$work"
  mkdir -p "$work/corpus"
  cp fuzz/corpus/"${t#fuzz_}"/* "$work/corpus/"
  local mode=()
  [ "$JOBS" -gt 1 ] && mode=(-fork="$JOBS")
  # -timeout: one input may take this long (a 100-megapixel picture under the sanitizers);
  # -rss_limit_mb: what a picture at the decoder's pixel bound needs, and some to spare.
  "$bin" "${mode[@]}" -max_total_time="$SECONDS_EACH" -timeout=60 -rss_limit_mb=3072 -detect_leaks=0 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" </dev/null >"$work/log" 2>&1
  echo $? >"$work/status"
}
export -f run_one
export SECONDS_EACH JOBS BUILD RUNS

for t in "${targets[@]}"; do
  if [ ! -x "$BUILD/fuzz/$t" ]; then
    echo "fuzz: $BUILD/fuzz/$t is missing (configure $BUILD with -DFUZZ=ON)" >&2
    exit 1
  fi
done

if [ "$JOBS" -gt 1 ]; then
  for t in "${targets[@]}"; do run_one "$t"; done
else
  # One process a target, as many side by side as there are cores.
  printf '%s\n' "${targets[@]}" | xargs -P "${FUZZ_PARALLEL:-$(nproc)}" -I{} bash -c 'run_one "$1"' _ {}
fi

passed=0
failed=0
printf '%-26s %10s %8s %8s  %s\n' target runs exec/s corpus result
for t in "${targets[@]}"; do
  work="$RUNS/$t"
  status=$(cat "$work/status" 2>/dev/null || echo none)
  runs=$(grep -oE '^#[0-9]+' "$work/log" | tail -1 | tr -d '#')
  speed=$(grep -oE 'stat::average_exec_per_sec: *[0-9]+' "$work/log" | grep -oE '[0-9]+$' | tail -1)
  [ -z "$speed" ] && speed=$(grep -oE 'exec/s: [0-9]+' "$work/log" | tail -1 | grep -oE '[0-9]+$')
  corpus=$(find "$work/corpus" -type f | wc -l)
  findings=$(find "$work" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o \
    -name 'timeout-*' -o -name 'oom-*' -o -name 'slow-unit-*' \) ! -name 'slow-unit-*')
  if [ "$status" = 0 ] && [ -z "$findings" ]; then
    result=ok
    passed=$((passed + 1))
  else
    result=FINDING
    failed=$((failed + 1))
  fi
  printf '%-26s %10s %8s %8s  %s\n' "$t" "${runs:-?}" "${speed:-?}" "$corpus" "$result"
done
for t in "${targets[@]}"; do
  work="$RUNS/$t"
  [ "$(cat "$work/status" 2>/dev/null)" = 0 ] && continue
  echo
  echo "==== $t found a fault (exit $(cat "$work/status" 2>/dev/null)); whole log: $work/log"
  grep -E 'ERROR:|SUMMARY:|FUZZ FINDING|Test unit written to|^artifact_prefix' "$work/log" | head -20
  if grep -q 'LeakSanitizer: detected memory leaks' "$work/log"; then
    echo "a leak, found when the run ended; its allocation's stack is in the log. To find the"
    echo "input: $BUILD/fuzz/$t -detect_leaks=1 -runs=0 $work/corpus"
  fi
  for f in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
    [ -f "$f" ] && echo "input: $f (run again: $BUILD/fuzz/$t $f)"
  done
  echo "---- end of the log"
  tail -n 40 "$work/log"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
