#!/bin/bash
# SPDX-License-Identifier: MIT
# Builds Plodway for the web (WebAssembly) on Debian 12 with Debian's
# Emscripten, as far as it goes so far: the rules tests and the replay tool,
# which run under Node, and the game's .wasm, which does not play in a
# browser yet. Installs what is missing; builds a static Qt for the web once
# into ${XDG_CACHE_HOME:-~/.cache}/plodway (scripts/web-qt.sh, about 20 minutes
# on two cores); builds into build-web/ and runs the tests there under Node.
set -euo pipefail
cd "$(dirname "$0")/.."
extra_packages=(emscripten nodejs qt6-base-dev-tools googletest)
. scripts/common.sh
. cmake/web/env.sh
jobs=$(nproc)

qt=$(bash scripts/web-qt.sh)
# A build tree made against another Qt has that Qt's paths in its cache.
fresh=()
if [ -f build-web/CMakeCache.txt ] &&
   ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$qt/lib/cmake/Qt6/qt.toolchain.cmake" build-web/CMakeCache.txt; then
  fresh=(--fresh)
fi
# Node runs the test programs; its fetch() would make Emscripten's loader
# fetch the .wasm by URL instead of reading the file.
"$qt/bin/qt-cmake" "${fresh[@]}" -S . -B build-web -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=ON \
  -DPLODWAY_BUILD_TOOLS=OFF "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch" \
  "${cmake_args[@]}"
cmake --build build-web -j"$jobs"
ctest --test-dir build-web --output-on-failure -j"$jobs"
ls -l build-web/plodway.html build-web/plodway.js build-web/plodway.wasm
echo "plodway.wasm gzipped: $(gzip -9c build-web/plodway.wasm | wc -c) bytes"
