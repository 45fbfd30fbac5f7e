#!/usr/bin/env bash
# Sets up, builds and packs the Debian package build/lumira_VERSION_ARCH.deb
# (its dependencies computed by dpkg-shlibdeps).  Install it with
#   sudo apt-get install ./build/lumira_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
cmake --build build --target package
