#!/usr/bin/env bash
# Installs Stellarium (with its Remote Control plugin) and what runs it
# headless, for the tests labelled "stellarium".  About 270 MB, so it is
# not part of scripts/setup.sh: CI calls this, a developer may.  Without
# it those tests are skipped.  Idempotent.
set -euo pipefail

packages=(stellarium xvfb xauth iproute2 util-linux)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
$sudo apt-get -o DPkg::Lock::Timeout=600 update
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
