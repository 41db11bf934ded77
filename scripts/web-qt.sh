#!/bin/bash
# SPDX-License-Identifier: MIT
# Builds the static Qt for the web (WebAssembly, with Debian's Emscripten)
# that the web build links, once, into a cache outside the tree, and prints
# its prefix. As for the Windows Qt, the cache is keyed by Qt's Debian
# version, the configure options and the toolchain (here Emscripten's
# version and its CMake toolchain file), and Qt's source is Debian's own
# package, the same version as the host tools (moc, rcc, uic) it is built
# with. Takes about 20 minutes on two cores, 115 MB of cache, and 30 MB for
# the C and C++ libraries Emscripten builds on first use.
set -euo pipefail
cd "$(dirname "$0")/.."
. cmake/web/env.sh
toolchain=$EMSCRIPTEN/cmake/Modules/Platform/Emscripten.cmake

# What the Windows Qt leaves out is left out here too, and the code is
# optimised for size, which on the web is download time. OpenGL stays: Qt's
# wasm platform composes its windows with WebGL. Asyncify lets a modal box's
# exec() wait for the browser's events. Qt Test is kept: it costs little to
# build and is there for window tests in a browser.
options=(-release -static -opensource -confirm-license -platform wasm-emscripten
         -qt-host-path /usr -nomake tests -nomake examples -optimize-size
         -device-option QT_EMSCRIPTEN_ASYNCIFY=1
         -no-dbus -no-icu -no-zstd -qt-zlib -qt-pcre -qt-libpng -no-libjpeg
         -qt-freetype -qt-harfbuzz
         -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent
         -no-feature-xml -no-feature-tabletevent
         -no-feature-graphicsview -no-feature-mdiarea -no-feature-dockwidget -no-feature-calendarwidget
         -no-feature-datetimeedit -no-feature-colordialog -no-feature-fontdialog -no-feature-filedialog
         -no-feature-progressdialog -no-feature-errormessage -no-feature-wizard -no-feature-splashscreen
         -no-feature-lcdnumber -no-feature-dial -no-feature-undoview -no-feature-syntaxhighlighter
         -no-feature-textbrowser -no-feature-fontcombobox -no-feature-keysequenceedit
         -no-feature-columnview -no-feature-treewidget -no-feature-tablewidget)
qt_name=wasm
qt_for="the web"
qt_minutes=20
key_extra="$em_version"
. scripts/qt-static.sh
