#!/bin/bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything and runs the whole test suite
# headless (Qt's offscreen platform): once in a normal build, once more in a
# build with AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# With Debian's own build flags, as the distribution builds it: the hardening
# check then sees that ours give way to the distribution's.
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON "${cmake_args[@]}"
cmake --build build-test -j"$jobs"
# The game on mutter and KWin, on X11 and Wayland (label desktop), is left to
# CI: `ctest --test-dir build-test -L desktop` after this script.
ctest --test-dir build-test --output-on-failure -j"$jobs" -LE 'soak|desktop'

# Unoptimised, which compiles in half the time and hides nothing from the
# sanitizers, with line tables for their backtraces but no fuller debug
# information, and without the tools and benchmarks no test runs. Installing
# to games/ here checks that the install rules follow GNUInstallDirs.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DBUILD_TESTING=ON \
  -DPLODWAY_SANITIZE=ON -DPLODWAY_BUILD_TOOLS=OFF -DCMAKE_INSTALL_BINDIR=games "${cmake_args[@]}"
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE 'soak|desktop'
