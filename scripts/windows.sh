#!/bin/bash
# SPDX-License-Identifier: MIT
# Cross-builds Plodway for 64-bit Windows on Debian 12 and tests it under
# Wine. Installs what is missing; builds a static Qt for Windows once into
# ${XDG_CACHE_HOME:-~/.cache}/plodway (scripts/windows-qt.sh, about 16
# minutes on two cores); builds the game, its tests and the replay tool into
# build-windows/; runs the tests under Wine, headless and on a desktop of
# their own (Xvfb and openbox); and makes the release files:
#   build-windows/plodway-VERSION-windows-x64.zip        the game, README, LICENSE
#   build-windows/plodway-VERSION-windows-x64-setup.exe  a per-user installer
set -euo pipefail
cd "$(dirname "$0")/.."
extra_packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 wine wine64
                qt6-base-dev-tools googletest nsis icoutils unzip fonts-wine)
. scripts/common.sh
jobs=$(nproc)

qt=$(bash scripts/windows-qt.sh)
# A build tree made against another Qt has that Qt's paths in its cache.
fresh=()
if [ -f build-windows/CMakeCache.txt ] && ! grep -qxF "PLODWAY_QT_PREFIX:UNINITIALIZED=$qt" build-windows/CMakeCache.txt; then
  fresh=(--fresh)
fi
cmake "${fresh[@]}" -S . -B build-windows --toolchain "$PWD/cmake/mingw-w64-x86_64.cmake" -DPLODWAY_QT_PREFIX="$qt" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DPLODWAY_BUILD_TOOLS=OFF "${cmake_args[@]}"
# The build runs test programs under Wine too, to list their tests: it holds
# the tests' Wine server as the tests do, and whatever way this script ends,
# it ends that server and every program still running in it.
wine_run=(cmake/windows/wine-run.sh --prefix build-windows/wine --headless)
trap '"${wine_run[@]}" --release; cmake/windows/wine-run.sh --prefix build-windows/wine-desktop --release' EXIT
"${wine_run[@]}" --hold
cmake --build build-windows -j"$jobs"
ctest --test-dir build-windows --output-on-failure -j"$jobs"
(cd build-windows && cpack -G "ZIP;NSIS" >/dev/null)
ls -l build-windows/plodway-*-windows-x64.zip build-windows/plodway-*-windows-x64-setup.exe
