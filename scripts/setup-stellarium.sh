#!/usr/bin/env bash
# Installs Stellarium (with its Remote Control plugin) and what runs it
# headless, for the tests labelled "stellarium".  About 270 MB, so it is
# not part of the default setup: CI calls this, a developer may.  Without
# it those tests are skipped.  Idempotent.
set -euo pipefail
exec "$(dirname "$0")/setup.sh" stellarium xvfb xauth iproute2 util-linux
