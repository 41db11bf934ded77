#!/bin/bash
# SPDX-License-Identifier: MIT
# Builds the static Qt for Windows that the Windows build links, once, into a
# cache outside the tree, and prints its prefix (scripts/qt-static.sh).
# Takes about 16 minutes on two cores, 100 MB of cache.
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake

# Core, Gui and Widgets with the windows and offscreen platforms, and Qt Test
# for the window tests: everything else the game does not use is left out,
# the widgets it has no use for too, and the code is optimised for size
# (the .exe is 12.7 MB instead of 19.8). Debian's source has no wintab
# (tablets); DirectWrite 3 needs Direct2D; the Windows style needs the input
# dialog.
options=(-release -static -static-runtime -opensource -confirm-license -xplatform win32-g++
         -qt-host-path /usr -nomake tests -nomake examples -optimize-size
         -no-opengl -no-dbus -no-icu -no-zstd -qt-zlib -qt-pcre -qt-libpng -no-libjpeg
         -qt-freetype -qt-harfbuzz
         -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent
         -no-feature-xml -no-feature-tabletevent -no-feature-androiddeployqt
         -no-feature-direct2d -no-feature-directwrite3
         -no-feature-graphicsview -no-feature-mdiarea -no-feature-dockwidget -no-feature-calendarwidget
         -no-feature-datetimeedit -no-feature-colordialog -no-feature-fontdialog -no-feature-filedialog
         -no-feature-progressdialog -no-feature-errormessage -no-feature-wizard -no-feature-splashscreen
         -no-feature-lcdnumber -no-feature-dial -no-feature-undoview -no-feature-syntaxhighlighter
         -no-feature-textbrowser -no-feature-fontcombobox -no-feature-keysequenceedit
         -no-feature-columnview -no-feature-treewidget -no-feature-tablewidget)
qt_name=windows-x64
qt_for="Windows"
qt_minutes=16
key_extra=''
. scripts/qt-static.sh
