#!/bin/bash
# SPDX-License-Identifier: MIT
# Builds Plodway for the web (WebAssembly) on Debian 12 with Debian's
# Emscripten: installs what is missing; builds a static Qt for the web once
# into ${XDG_CACHE_HOME:-~/.cache}/plodway (scripts/web-qt.sh, about 20
# minutes on two cores); builds into build-web/, which stages the site a web
# server serves as it is (build-web/site, web/CMakeLists.txt), and runs the
# tests there under Node and in browsers; then zips the site as
# build-web/plodway-<version>-web.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
extra_packages=(emscripten nodejs qt6-base-dev-tools googletest zip brotli fonttools)
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

# The browser tests (tests/web) load the staged site, in Chromium and
# Firefox ESR driven by puppeteer-core.
bash scripts/web-browsers.sh
ctest --test-dir build-web --output-on-failure -j"$jobs"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-web/CMakeCache.txt)
site=build-web/site
name=plodway-$version-web
rm -rf "build-web/$name" "build-web/$name.zip"
cp -r "$site" "build-web/$name"
(cd build-web && TZ=UTC zip -qr9X "$name.zip" "$name")
rm -r "build-web/$name"

ls -l "$site"
echo "build-web/$name.zip: $(stat -c %s "build-web/$name.zip") bytes"
echo "plodway.wasm: $(stat -c %s "$site/plodway.wasm") bytes, $(stat -c %s "$site/plodway.wasm.br") with brotli," \
     "$(stat -c %s "$site/plodway.wasm.gz") gzipped"
# The download's budget: every file of the site, as a server that sends the
# compressed copies sends it to a browser that takes brotli (README.md, "Web";
# bench/web/wire.mjs measures the visit itself).
visit=0
for file in "$site"/*; do
  case $file in *.br | *.gz) continue ;; esac
  [ ! -f "$file.br" ] || file=$file.br
  visit=$((visit + $(stat -c %s "$file")))
done
budget=1900000
echo "a first visit with brotli: $visit bytes, $([ "$visit" -le "$budget" ] && echo within || echo OVER) the budget of $budget"
echo "Play it here: python3 -m http.server --directory $site 8000, then open http://localhost:8000/"
