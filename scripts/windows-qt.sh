#!/bin/bash
# SPDX-License-Identifier: MIT
# Builds the static Qt for Windows that the Windows build links, once, into a
# cache outside the tree, and prints its prefix. The cache is keyed by Qt's
# Debian version, the configure options and the toolchain file, so changing
# any of them builds a new one. Qt's source is Debian's own package, the same
# version as the host tools (moc, rcc, uic) it is built with.
# Takes about 16 minutes on two cores, 100 MB of cache.
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake

version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
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
key=$( { echo "$version"; printf '%s\n' "${options[@]}"; cat "$toolchain"; } | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/plodway
prefix=$cache/qt-${version%%+*}-windows-x64-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$cache/qt-build-$key
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts"
# Qt's source from the archives the installed tools came from, through a
# private source list: nothing in /etc/apt changes and no root is needed.
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' | sort -u |
  while read -r uri suite component; do
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $suite $component"
  done >"$work/apt/sources.list"
[ -s "$work/apt/sources.list" ] || { echo "windows-qt.sh: apt knows no Debian archive to fetch Qt's source from" >&2; exit 1; }
apt_private=(-o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts="$work/apt/parts"
             -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache" -o Debug::NoLocking=1)
echo "Building Qt $version for Windows into $prefix (about 16 minutes on two cores, once)" >&2
apt-get -qq "${apt_private[@]}" update >&2
(cd "$work" && apt-get -qq "${apt_private[@]}" source "qt6-base=$version" >&2)
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$src" ] || { echo "windows-qt.sh: apt-get source qt6-base unpacked nothing" >&2; exit 1; }

mkdir -p "$work/build"
(cd "$work/build" &&
  "$src/configure" -prefix "$prefix" "${options[@]}" -- \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2 &&
  cmake --build . --parallel "$(nproc)" >&2 &&
  cmake --install . >&2)
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
