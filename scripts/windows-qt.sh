#!/bin/bash
# SPDX-License-Identifier: MIT
# Builds the static Qt for Windows that the Windows build links, once, into a
# cache outside the tree, and prints its prefix (scripts/qt-static.sh).
# Takes about 16 minutes on two cores, 100 MB of cache.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/qt-static.sh
. scripts/qt-static.sh

# The styles' pictures the game never shows go (qt-static.sh).
prepare_qt_source() {
  cut_style_pictures "$1"
}

# Windows' own platform beside the offscreen one, with MinGW's runtime
# linked in, as the game's .exe links it (cmake/mingw-w64-x86_64.cmake).
# The game draws no OpenGL, and no Android tools are wanted. DirectWrite 3
# needs Direct2D, which is left out.
build_static_qt windows-x64 Windows 16 "$PWD/cmake/mingw-w64-x86_64.cmake" '' -- \
  -xplatform win32-g++ -static-runtime -no-opengl -no-feature-androiddeployqt \
  -no-feature-direct2d -no-feature-directwrite3
