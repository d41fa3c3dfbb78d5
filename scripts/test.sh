#!/usr/bin/env bash
# Sets up the machine, builds every test with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs them all through CTest.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"

BUILD="$ROOT/build-test"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DZV_SANITIZE=ON -DZV_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)" --timeout 600
