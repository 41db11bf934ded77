# shellcheck shell=bash
# SPDX-License-Identifier: MIT
# Sourced by play.sh and test.sh from the top of the tree: refuses to run
# under sudo, installs what is missing, and sets cmake_args for configuring.

# Run as root through sudo, the build trees would end up owned by root and
# the game would put a window on the screen as root. deps.sh asks sudo
# itself, for apt-get alone.
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  echo "Run scripts/$(basename "$0") as yourself, without sudo: it asks for sudo only to install packages." >&2
  exit 1
fi
# A script may ask for more packages in extra_packages, and for what
# playing alone needs with deps_options=(--play).
# shellcheck disable=SC2154  # both are the caller's, and either may be unset
bash scripts/deps.sh ${deps_options[@]+"${deps_options[@]}"} ${extra_packages[@]+"${extra_packages[@]}"}

cmake_args=()
# Ninja starts the next job sooner than make; a tree made before keeps the
# generator it was made with.
if [ -z "${CMAKE_GENERATOR:-}" ] && command -v ninja >/dev/null; then
  export CMAKE_GENERATOR=Ninja
fi
# Rebuilds after a small change, or of a second build tree, come from the cache.
if command -v ccache >/dev/null; then
  cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
