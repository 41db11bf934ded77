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

# Qt's source, changed for the web before it is configured. The game draws
# all its text in DejaVu Sans (src/desktop/web), so of the three fonts Qt's
# wasm platform builds in (1 MB) only that one stays, cut to the Latin
# letters and punctuation: 300 KB less to download. Its hinting and kerning
# stay, so the text is drawn pixel for pixel as before. The platform loads
# its fonts in order and stops at the first one missing, so the other two go
# from its list too.
prepare_qt_source() {
  local src=$1 fonts=$1/src/3rdparty/wasm plugin=$1/src/plugins/platforms/wasm
  pyftsubset "$fonts/DejaVuSans.ttf" --output-file="$fonts/DejaVuSans.cut.ttf" --layout-features='*' \
    --unicodes='U+0020-007E,U+00A0-017F,U+2000-206F,U+20AC,U+2122,U+FFFD' || return
  mv "$fonts/DejaVuSans.cut.ttf" "$fonts/DejaVuSans.ttf" || return
  sed -i '/wasm\/Vera.ttf"/d; /wasm\/DejaVuSansMono.ttf"/d' "$plugin/CMakeLists.txt" || return
  sed -i '/":\/fonts\/Vera.ttf"/d; /":\/fonts\/DejaVuSansMono.ttf"/d' "$plugin/qwasmfontdatabase.cpp" || return
  ! grep -q 'Vera.ttf"\|DejaVuSansMono.ttf"' "$plugin/CMakeLists.txt" "$plugin/qwasmfontdatabase.cpp" ||
    { echo "web-qt.sh: this Qt's wasm platform lists its fonts elsewhere" >&2; return 1; }
  cut_style_pictures "$src" || return
  # Qt 6.4's QtWidgets header that forwards QFileSystemModel to QtGui has no
  # guard of its own, so without the model OpenGLWidgets would not build.
  local forward=$src/src/widgets/dialogs/qfilesystemmodel.h
  grep -qx '#include <QtGui/QFileSystemModel>' "$forward" || return
  sed -i 's|^#include <QtGui/QFileSystemModel>$|#include <QtGui/qtguiglobal.h>\n#if QT_CONFIG(filesystemmodel)\n&\n#endif|' \
    "$forward" || return
  # The wasm platform's drag and drop names the MIME database but uses none.
  grep -qx '#include <QMimeDatabase>' "$plugin/qwasmdrag.cpp" || return
  sed -i '/^#include <QMimeDatabase>$/d' "$plugin/qwasmdrag.cpp"
}

# OpenGL stays: Qt's wasm platform composes its windows with WebGL. Besides
# what every platform leaves out (qt-static.sh), the download goes without
# what no page of the game reaches: style sheets, gestures, the file system
# model, table and tree views, rich text (HTML, CSS, Markdown, ODF) and its
# editor, animated images, MIME types (their database alone is 330 KB), the
# Hijri and Jalali calendars, settings files, combo and spin boxes, line
# completion, tab bars and recorded pictures. (Qt 6.4 does not configure
# without regular expressions.)
build_static_qt wasm "the web" 20 "$EMSCRIPTEN/cmake/Modules/Platform/Emscripten.cmake" "$em_version" -- \
  -platform wasm-emscripten \
  -no-feature-style-stylesheet -no-feature-gestures -no-feature-filesystemmodel -no-feature-tableview \
  -no-feature-treeview -no-feature-textmarkdownreader -no-feature-textmarkdownwriter -no-feature-textodfwriter \
  -no-feature-movie -no-feature-mimetype -no-feature-hijricalendar -no-feature-jalalicalendar \
  -no-feature-texthtmlparser -no-feature-cssparser -no-feature-textedit \
  -no-feature-settings -no-feature-combobox -no-feature-spinbox -no-feature-completer -no-feature-tabbar \
  -no-feature-picture
