#!/usr/bin/env bash
# The main job: builds a small sample add-on and a 512x512 JPEG icon, publishes them with
# zvpublish to the local Steam stand-in, then lists the user's add-ons.
# Usage: scripts/demo.sh <build-dir>. Uses $ZV_STEAM_DIR when set, else a fresh temporary folder.
set -euo pipefail

BUILD="${1:?usage: scripts/demo.sh <build-dir>}"
BUILD="$(cd "$BUILD" && pwd)"
ZVPUBLISH="$BUILD/zvpublish/zvpublish"
FIXTURE="$BUILD/tests/zvpublish/zva_fixture"
for tool in "$ZVPUBLISH" "$FIXTURE"; do
  if [ ! -x "$tool" ]; then
    echo "demo: $tool is missing; build first (cmake --build $BUILD)" >&2
    exit 1
  fi
done

if [ -z "${ZV_STEAM_DIR:-}" ]; then
  ZV_STEAM_DIR="$(mktemp -d "${TMPDIR:-/tmp}/zv-steam-demo-XXXXXX")"
fi
export ZV_STEAM_DIR
WORK="$(mktemp -d "${TMPDIR:-/tmp}/zv-demo-XXXXXX")"
trap 'rm -rf "$WORK"' EXIT

echo "== Building the sample add-on and its icon"
"$FIXTURE" addon "$WORK/sample.zva" -title "Sample Addon" -type map -tags fun,build \
  -desc "A small sample add-on published by the demo."
"$FIXTURE" jpeg "$WORK/sample.jpg" 512 512
ls -l "$WORK/sample.zva" "$WORK/sample.jpg"

echo
echo "== zvpublish create (Steam stand-in folder: $ZV_STEAM_DIR)"
"$ZVPUBLISH" create -addon "$WORK/sample.zva" -icon "$WORK/sample.jpg"

echo
echo "== zvpublish list"
"$ZVPUBLISH" list

echo
echo "Published items, each with its file and preview byte for byte, are under $ZV_STEAM_DIR/items/"
