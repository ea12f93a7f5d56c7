#!/usr/bin/env bash
# Installs what is missing, builds the sanitized configuration and runs
# every test in it, headless.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${CALYPTOR_TEST_BUILD:-$ROOT/build/asan}"
stage_start=$SECONDS
"$ROOT/scripts/install-deps.sh"
echo "stage packages: $((SECONDS - stage_start)) s"
# ccache may serve units built with the shared precompiled header, and a
# clone in another folder (CI's) hits what a work tree built: paths below
# the project root are hashed relative to it.
export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
export CCACHE_BASEDIR="$ROOT"
stage_start=$SECONDS
# The libraries build as unity batches: a cold sanitized build took 40 CPU
# minutes so against 61 one unit at a time.
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCALYPTOR_SANITIZE=ON -DCMAKE_CXX_FLAGS="-O0" -DCALYPTOR_UNITY=ON ${CALYPTOR_CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD"
echo "stage build: $((SECONDS - stage_start)) s"

export QT_QPA_PLATFORM=offscreen
export QT_SCALE_FACTOR=1
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$BUILD"
# ctest's closing lines end the output; they give the tests' own time.
exec ctest --output-on-failure -j "$(nproc)" "$@"
