#!/bin/bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Plodway and starts it; arguments go to the
# game (try --help). It builds in build/, the tree the README's commands use,
# so `cmake --build build`, its tests and `cmake --install build` carry on.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only what building and playing need: the test tools and desktops are
# scripts/test.sh's to install. build/ has its tests configured once they
# are there.
deps_options=(--play)
. scripts/common.sh
testing=OFF
if bash scripts/deps.sh --check; then testing=ON; fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=$testing "${cmake_args[@]}"
# The game and what installing it needs; the tests wait for a full build.
cmake --build build -j"$(nproc)" --target plodway plodway_launcher_icons
# Under Wayland the game's icon and name need a desktop entry of the user's
# while it runs: run-from-tree.sh writes it, runs the game and removes it.
exec bash scripts/run-from-tree.sh build "$@"
