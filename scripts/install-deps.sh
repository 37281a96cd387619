#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test packages is missing.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev libxcb1-dev libxcb-keysyms1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 iproute2 util-linux
  xvfb xauth xdotool x11-utils wmctrl imagemagick trayer fonts-dejavu-core
  desktop-file-utils appstream man-db dpkg-dev file
  icewm dbus-daemon python3-dbus python3-gi x11-session-utils x11-xserver-utils procps
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}; run this script as root to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get -o DPkg::Lock::Timeout=300 update -q
apt-get -o DPkg::Lock::Timeout=300 install -y -q --no-install-recommends "${missing[@]}"
