#!/bin/bash
# SPDX-License-Identifier: MIT
# deps.sh [--play] [--check] [PACKAGE...]: installs what building, playing
# and testing Plodway needs on Debian 12 and 13, or with --play what building and
# playing alone need (scripts/play.sh, on a player's desktop), and the
# packages named; the apt calls are skipped when everything is there
# already. --check installs nothing and only says, by its exit code,
# whether everything is there.
set -euo pipefail
play_only=false check=false
while [ $# -gt 0 ]; do
  case $1 in
    --play) play_only=true ;;
    --check) check=true ;;
    *) break ;;
  esac
  shift
done
# The game, its launcher icons and the parts for X11 and GNOME's Wayland,
# and Qt's Wayland platform to run on.
packages=(cmake g++ make ninja-build ccache pkg-config qt6-base-dev qt6-base-private-dev qt6-wayland
          libxcb1-dev libwayland-dev fonts-dejavu-core "$@")
if ! $play_only; then
  # The tests, the benchmarks and the checks of the packages and data files.
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils appstream dpkg-dev file lintian xz-utils)
  # The checks of the shell scripts and of the C++ sources.
  packages+=(shellcheck clang-tidy)
  # The desktops the window manager test plays on: openbox, mutter, KWin
  # with the title bars every KDE desktop draws (Breeze), weston; the bell
  # heard through XKB.
  packages+=(xvfb openbox xdotool x11-utils mutter kwin-x11 kwin-wayland kwin-style-breeze weston libxcb-xkb-dev)
  # The screen reader check: Orca, the accessibility bus and a D-Bus session of its own.
  packages+=(orca at-spi2-core dbus-daemon)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if $check; then
  [ ${#missing[@]} -eq 0 ]
  exit
fi
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
