#!/bin/bash
# SPDX-License-Identifier: MIT
# Builds the static Qt for the web (WebAssembly, with Debian's Emscripten)
# that the web build links, once, into a cache outside the tree, and prints
# its prefix (scripts/qt-static.sh). Its cache key has Emscripten's version
# besides its CMake toolchain file. Takes about 20 minutes on two cores,
# 115 MB of cache, and 30 MB for the C and C++ libraries Emscripten builds
# on first use.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=cmake/web/env.sh
. cmake/web/env.sh
# shellcheck source=scripts/qt-static.sh
. scripts/qt-static.sh

# OpenGL stays: Qt's wasm platform composes its windows with WebGL. Asyncify
# lets a modal box's exec() wait for the browser's events.
build_static_qt wasm "the web" 20 "$EMSCRIPTEN/cmake/Modules/Platform/Emscripten.cmake" "$em_version" -- \
  -platform wasm-emscripten -device-option QT_EMSCRIPTEN_ASYNCIFY=1
