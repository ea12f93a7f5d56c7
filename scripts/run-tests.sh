#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice, headless:
#  1. sanitized: AddressSanitizer and UndefinedBehaviorSanitizer (its vptr
#     check included) at -O0, the libraries and tests in unity batches;
#  2. optimised: the configuration the program is built with (Release, the
#     libraries one unit at a time, so that a missing include shows), plus
#     the tests.
# Both passes run even when the first fails; the script fails when either
# does. Arguments go to both ctest runs (e.g. -R grid).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SANITIZED="${CALYPTOR_TEST_BUILD:-$ROOT/build/asan}"
OPTIMISED="${CALYPTOR_RELEASE_BUILD:-$ROOT/build/release}"
stage_start=$SECONDS
"$ROOT/scripts/install-deps.sh" || exit 1
echo "stage packages: $((SECONDS - stage_start)) s"
# ccache may serve units built with the shared precompiled header, and a
# clone in another folder (CI's) hits what a work tree built: paths below
# the project root are hashed relative to it.
export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
export CCACHE_BASEDIR="$ROOT"
export QT_QPA_PLATFORM=offscreen
export QT_SCALE_FACTOR=1

# configure_and_build NAME FOLDER CMAKE-ARGS...
configure_and_build() {
  local name="$1" folder="$2"
  shift 2
  local start=$SECONDS
  cmake -S "$ROOT" -B "$folder" -G Ninja "$@" ${CALYPTOR_CMAKE_ARGS:-} >/dev/null &&
    cmake --build "$folder" || return 1
  echo "stage build $name: $((SECONDS - start)) s"
}

# run_suite NAME FOLDER [ctest args]: ctest's closing lines give the tests' own time.
run_suite() {
  local name="$1" folder="$2"
  shift 2
  local start=$SECONDS status=0
  (cd "$folder" && ctest --output-on-failure -j "$(nproc)" "$@") || status=$?
  echo "stage tests $name: $((SECONDS - start)) s"
  return "$status"
}

failed=0

# The libraries build as unity batches: a cold sanitized build took 40 CPU
# minutes so against 61 one unit at a time.
if configure_and_build sanitized "$SANITIZED" -DCMAKE_BUILD_TYPE=Debug \
     -DCALYPTOR_SANITIZE=ON -DCMAKE_CXX_FLAGS="-O0" -DCALYPTOR_UNITY=ON; then
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0" \
  LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    run_suite sanitized "$SANITIZED" "$@" || failed=1
else
  echo "the sanitized build failed" >&2
  failed=1
fi

# The test programs build as unity batches here too (they are most of the
# build); the libraries, which make the program, stay one unit at a time.
if configure_and_build optimised "$OPTIMISED" -DCMAKE_BUILD_TYPE=Release -DCALYPTOR_UNITY_TESTS=ON; then
  run_suite optimised "$OPTIMISED" "$@" || failed=1
else
  echo "the optimised build failed" >&2
  failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "TESTS FAILED (see the passes above)" >&2
else
  echo "both passes passed"
fi
exit "$failed"
