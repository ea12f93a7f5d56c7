#!/usr/bin/env bash
# For maintainers: how long CI takes on a small machine. Clones the committed
# HEAD into a fresh temporary folder, runs .ci/run there on two cores
# (taskset -c 0,1) and prints the wall time of each stage and of the whole.
#
#   scripts/ci-time.sh          compiler cache off (CI's first run)
#   scripts/ci-time.sh --warm   compiler cache on, in a folder of its own
#                               (CI's clone after a developer's build)
#   FUZZ_SECONDS=5 scripts/ci-time.sh   a shorter fuzz stage
#   CI_TIME_REV=abc123 scripts/ci-time.sh   an earlier commit (for a before
#                                           and after)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
CORES="${CI_TIME_CORES:-0,1}"
if [ "${1:-}" = "--warm" ]; then
  unset CCACHE_DISABLE
else
  export CCACHE_DISABLE=1
fi
CLONE="$(mktemp -d /tmp/calyptor-ci-XXXXXX)"
trap 'rm -rf "$CLONE"' EXIT
git clone --quiet "$ROOT" "$CLONE/main"
[ -z "${CI_TIME_REV:-}" ] || git -C "$CLONE/main" checkout --quiet "$CI_TIME_REV"
LOG="$CLONE/ci.log"
start=$SECONDS
status=0
(cd "$CLONE/main" && CI=true taskset -c "$CORES" bash .ci/run) >"$LOG" 2>&1 </dev/null || status=$?
total=$((SECONDS - start))
grep -E '^stage [a-z ]+: [0-9]+ s$' "$LOG" || true
grep -E 'Total Test time|tests passed|tests failed|both passes' "$LOG" || true
# The second line of `times`: user and system time of everything it ran.
cpu="$(times | sed -n 2p)"
echo "whole run: ${total} s on cores ${CORES} (exit ${status}); cpu user/system: ${cpu}"
[ "$status" -eq 0 ] || tail -n 40 "$LOG"
exit "$status"
