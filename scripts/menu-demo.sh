#!/usr/bin/env bash
# Runs the menu plug-in in the stand-in game host: zvhost loads libfoyerix.so and libzvhtml.so,
# runs the sample game's menu scripts for a few frames and saves the last frame as a PNG.
# Usage: scripts/menu-demo.sh <build-dir> [frames]. Uses $ZV_STEAM_DIR when set, else a fresh
# temporary folder.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:?usage: scripts/menu-demo.sh <build-dir> [frames]}"
BUILD="$(cd "$BUILD" && pwd)"
FRAMES="${2:-60}"
ZVHOST="$BUILD/host/zvhost"
if [ ! -x "$ZVHOST" ]; then
  echo "menu-demo: $ZVHOST is missing; build first (cmake --build $BUILD)" >&2
  exit 1
fi

WORK="$(mktemp -d "${TMPDIR:-/tmp}/zv-menu-demo-XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
if [ -z "${ZV_STEAM_DIR:-}" ]; then
  ZV_STEAM_DIR="$WORK/steam"
  mkdir -p "$ZV_STEAM_DIR"
fi
export ZV_STEAM_DIR

SHOT="${ZV_MENU_SCREENSHOT:-$WORK/menu.png}"
echo "== zvhost: the sample game's menu for $FRAMES frames"
"$ZVHOST" "$ROOT/host/sample" "$FRAMES" "$SHOT"
ls -l "$SHOT"
