#!/usr/bin/env bash
# Sets up, builds and starts the planetarium host with the pad.  Without a
# display it runs off-screen, writes a screenshot next to the build and
# prints what the pad shows.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running off-screen; the window's picture goes to build/lumira.png"
  export QT_QPA_PLATFORM=offscreen
  exec ./build/bin/lumira --screenshot build/lumira.png --print "$@"
fi
exec ./build/bin/lumira "$@"
