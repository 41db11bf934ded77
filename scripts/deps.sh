#!/bin/bash
# Installs what building, playing and testing Plodway needs on Debian 12,
# skipping the apt calls when everything is already there.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core
          desktop-file-utils appstream dpkg-dev file xvfb openbox xdotool x11-utils "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
