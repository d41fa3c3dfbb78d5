#!/usr/bin/env bash
# Sets up the machine, builds everything (optimised) and runs the main job.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"

BUILD="$ROOT/build"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZV_SANITIZE=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

if [ -x "$ROOT/scripts/demo.sh" ]; then
  "$ROOT/scripts/demo.sh" "$BUILD"
else
  echo "Build complete: $BUILD"
fi
if [ -x "$ROOT/scripts/menu-demo.sh" ]; then
  echo
  "$ROOT/scripts/menu-demo.sh" "$BUILD" 60
fi
