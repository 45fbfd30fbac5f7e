#!/bin/sh
# Builds lumira and writes the README's pictures into docs/images: the
# window over its star chart and the pad bar alone.  Off-screen unless a
# platform is chosen, so it runs without a display.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target lumira
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
./build/bin/lumira --script docs/images/lumira-window.lmscript --screenshot docs/images/lumira-window.png >/dev/null
./build/bin/lumira --script docs/images/pad-bar.lmscript --screenshot-bar docs/images/pad-bar.png >/dev/null
echo "wrote docs/images/lumira-window.png and docs/images/pad-bar.png"
