#!/bin/bash
# SPDX-License-Identifier: MIT
# Installs what building, playing and testing Plodway needs on Debian 12,
# skipping the apt calls when everything is already there.
set -euo pipefail
packages=(cmake g++ make ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core
          desktop-file-utils appstream dpkg-dev file xvfb openbox xdotool x11-utils
          lintian weston qt6-wayland xz-utils ccache "$@")
# The screen reader check: Orca, the accessibility bus and a D-Bus session of its own.
packages+=(orca at-spi2-core dbus-daemon)
# Modal windows on X11 and GNOME's Wayland, and the desktops the window manager test plays on,
# KWin with the title bars every KDE desktop draws (Breeze), and the bell heard through XKB.
packages+=(pkg-config libxcb1-dev libwayland-dev qt6-base-private-dev mutter kwin-x11 kwin-wayland kwin-style-breeze
           libxcb-xkb-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # Only the installing needs root: the build and the game run as yourself.
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Run as root, or install sudo, to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
