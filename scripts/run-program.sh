#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and starts it. The
# build folder is the one the test command's optimised pass uses.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
cmake -S "$ROOT" -B "$ROOT/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$ROOT/build/release" --target Calyptor
exec "$ROOT/build/release/program/Calyptor" "$@"
