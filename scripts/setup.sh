#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test,
# or, given package names, just those.  Idempotent: does nothing when all of
# them are already installed.
set -euo pipefail

packages=("$@")
[ $# -gt 0 ] || packages=(
  cmake g++ make ninja-build ccache
  qt6-base-dev libgl-dev qt6-tools-dev qt6-l10n-tools
  fonts-ipafont-gothic fontconfig
  libgtest-dev libgmock-dev libbenchmark-dev
  liberfa-dev libnova-dev
  xplanet
  tzdata python3
  xvfb xauth
  iproute2 util-linux
  clang libclang-rt-14-dev
  help2man dpkg-dev desktop-file-utils appstream qt6-qpa-plugins
)

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
