#!/bin/sh
# Rebuilds the bitmap generator and remakes res/bitmaps/*.bmp.
# Usage: res/tools/make-bitmaps.sh [BUILD_DIR]   (default: build-bitmaps)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-"$root/build-bitmaps"}
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target make-bitmaps -j2
"$build/bin/make-bitmaps" "$root/res/bitmaps"
echo "bitmaps written to $root/res/bitmaps"
