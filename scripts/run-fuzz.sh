#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each from its
# seed corpus for a while (FUZZ_SECONDS, default 60). A crash, leak,
# sanitizer report or time-out fails the run; the reproducer is left in
# build/fuzz/findings/ (add it to tests/fuzz/corpus/<target>/ once fixed, so
# the normal test run replays it).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${CALYPTOR_FUZZ_BUILD:-$ROOT/build/fuzz}"
SECONDS_PER_TARGET="${FUZZ_SECONDS:-60}"
"$ROOT/scripts/install-deps.sh"
stage_start=$SECONDS
cmake -S "$ROOT/tests/fuzz" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD"

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$BUILD/findings"
for t in matcher text drop picture dropdownedit textcells csv fixed cliptext stream xml; do
  # New inputs go to a scratch folder; the seed corpus stays as it is.
  rm -rf "$BUILD/work/$t"
  mkdir -p "$BUILD/work/$t"
  echo "Fuzzing $t for ${SECONDS_PER_TARGET}s"
  status=0
  max_len=1024
  # One input taking 25 s is a hang; a tighter limit tripped on a busy
  # machine over inputs that take a fraction of a second alone.
  # Streams reach their picture records, and XML deep nesting, only with
  # room to spare.
  [ "$t" = stream ] || [ "$t" = xml ] && max_len=65536
  "$BUILD/fuzz_$t" -max_total_time="$SECONDS_PER_TARGET" -timeout=25 -max_len="$max_len" -print_final_stats=1 \
    -artifact_prefix="$BUILD/findings/$t-" "$BUILD/work/$t" "$ROOT/tests/fuzz/corpus/$t" \
    >"$BUILD/$t.log" 2>&1 || status=$?
  grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$BUILD/$t.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$BUILD/$t.log" >&2
    echo "fuzz_$t found a problem; see $BUILD/findings/" >&2
    exit 1
  fi
done
echo "stage fuzz: $((SECONDS - stage_start)) s"
