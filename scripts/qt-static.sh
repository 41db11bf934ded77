# shellcheck shell=bash
# SPDX-License-Identifier: MIT
# Sourced by windows-qt.sh and web-qt.sh for build_static_qt: builds Qt's
# qtbase from Debian's own source for one platform, once, into the cache
# outside the tree, and prints its prefix. The cache is keyed by Qt's Debian
# version, the key extra, the configure options and the toolchain file, so
# changing any of them builds a new one. The source is the same version as
# the host tools (moc, rcc, uic) it is built with.

# build_static_qt NAME PLATFORM MINUTES TOOLCHAIN KEY_EXTRA -- [OPTION...]
#   NAME       the Qt's name in the cache (windows-x64, wasm)
#   PLATFORM   the platform, as the messages name it ("Windows")
#   MINUTES    about how long the build takes on two cores, for the messages
#   TOOLCHAIN  the CMake toolchain file, an absolute path
#   KEY_EXTRA  what else the build depends on (Emscripten's version), or ''
#   OPTION...  the platform's own configure options, after the shared ones
# A caller may define prepare_qt_source, which is given the unpacked source's
# folder to change before configuring (cut_style_pictures below is there for
# it); its text and cut_style_pictures' are part of the cache key.
# Prints the prefix on stdout, everything else on stderr; returns non-zero
# when the build fails, leaving no prefix behind.
build_static_qt() {
  if [ $# -lt 6 ] || [ "$6" != -- ] || [ ! -f "$4" ]; then
    echo "usage: build_static_qt NAME PLATFORM MINUTES TOOLCHAIN KEY_EXTRA -- [OPTION...]" \
         "(TOOLCHAIN an existing file)" >&2
    return 2
  fi
  local name=$1 platform=$2 minutes=$3 toolchain=$4 key_extra=$5
  shift 6
  # Core, Gui and Widgets, and Qt Test, which costs little to build and is
  # there for the window tests (on Windows, and in a browser): everything
  # else the game does not use is left out, the widgets it has no use for
  # too, and the code is optimised for size (the Windows .exe is 12.4 MB
  # instead of 19.8; on the web size is download time). The host tools are
  # Debian's own, of the same version. Debian's source has no wintab
  # (tablets) for Windows, and the web leaves tablets out as well. The input
  # dialog stays: the Windows style needs it.
  local options=(-release -static -opensource -confirm-license
                 -qt-host-path /usr -nomake tests -nomake examples -optimize-size
                 -no-dbus -no-icu -no-zstd -qt-zlib -qt-pcre -qt-libpng -no-libjpeg
                 -qt-freetype -qt-harfbuzz
                 -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent
                 -no-feature-xml -no-feature-tabletevent
                 -no-feature-graphicsview -no-feature-mdiarea -no-feature-dockwidget -no-feature-calendarwidget
                 -no-feature-datetimeedit -no-feature-colordialog -no-feature-fontdialog -no-feature-filedialog
                 -no-feature-progressdialog -no-feature-errormessage -no-feature-wizard -no-feature-splashscreen
                 -no-feature-lcdnumber -no-feature-dial -no-feature-undoview -no-feature-syntaxhighlighter
                 -no-feature-textbrowser -no-feature-fontcombobox -no-feature-keysequenceedit
                 -no-feature-columnview -no-feature-treewidget -no-feature-tablewidget
                 "$@")
  local me version key cache prefix work src
  me=$(basename "$0")
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools) || return
  key=$( { echo "$version"; [ -z "$key_extra" ] || echo "$key_extra"; printf '%s\n' "${options[@]}"; cat "$toolchain"
           declare -f prepare_qt_source cut_style_pictures || true; } |
         sha256sum | cut -c1-12) || return
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/plodway
  prefix=$cache/qt-${version%%+*}-$name-$key
  if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    return 0
  fi

  work=$cache/qt-build-$key
  rm -rf "$work" "$prefix"
  mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts" || return
  # Qt's source from the archives the installed tools came from, through a
  # private source list: nothing in /etc/apt changes and no root is needed.
  # shellcheck disable=SC2016  # apt's own $(...) fields, not the shell's
  apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' | sort -u |
    while read -r uri suite component; do
      echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $suite $component"
    done >"$work/apt/sources.list"
  [ -s "$work/apt/sources.list" ] || { echo "$me: apt knows no Debian archive to fetch Qt's source from" >&2; return 1; }
  local apt_private=(-o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts="$work/apt/parts"
                     -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache" -o Debug::NoLocking=1)
  echo "Building Qt $version for $platform into $prefix (about $minutes minutes on two cores, once)" >&2
  apt-get -qq "${apt_private[@]}" update >&2 || return
  (cd "$work" && apt-get -qq "${apt_private[@]}" source "qt6-base=$version" >&2) || return
  src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
  [ -n "$src" ] || { echo "$me: apt-get source qt6-base unpacked nothing" >&2; return 1; }
  if declare -F prepare_qt_source >/dev/null; then
    prepare_qt_source "$src" >&2 || { echo "$me: preparing Qt's source for $platform failed" >&2; return 1; }
  fi

  mkdir -p "$work/build" || return
  if ! (cd "$work/build" &&
        "$src/configure" -prefix "$prefix" "${options[@]}" -- \
          -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2 &&
        cmake --build . --parallel "$(nproc)" >&2 &&
        cmake --install . >&2); then
    echo "$me: building Qt for $platform failed; its build is left in $work" >&2
    rm -rf "$prefix"
    return 1
  fi
  touch "$prefix/.complete" || return
  rm -rf "$work"
  echo "$prefix"
}

# cut_style_pictures SRC: of the pictures the widget styles build in (330 KB
# of PNG, which no compression shrinks), all but the title bars' buttons go,
# as the game shows none of them: drives, files and folders, media players,
# arrows, web navigation, dock and tool bars, fonts, and the icons of dialog
# buttons. The file dialog, dock and tool bars are left out, and the game's
# buttons show no icons. The macOS style's own pictures go as a whole.
cut_style_pictures() {
  local list=$1/src/widgets/CMakeLists.txt before
  local images='(cdr|computer|desktop|dirclosed|dirlink|diropen|dvd|file|filecontents|fileinfo|filelink|floppy'
  images+='|harddrive|media-[a-z-]+|networkdrive|newdirectory|parentdir|standardbutton-[a-z-]+|trash|viewdetailed'
  images+='|viewlist|up|down|left|right|refresh|stop|cleartext|closedock|normalizedockup|toolbar-ext-[a-z-]+'
  images+='|fontbitmap|fonttruetype)-[0-9]+\.png'
  before=$(grep -c '"styles/images/' "$list") || return
  sed -i -E "/\"styles\/images\/$images\"/d" "$list" || return
  [ "$(grep -c '"styles/images/' "$list")" -lt "$before" ] ||
    { echo "qt-static.sh: this Qt lists its style pictures elsewhere" >&2; return 1; }
  sed -i '/^qt_internal_add_resource(Widgets "qstyle1"$/,/^)$/d' "$list" || return
  ! grep -q '"qstyle1"' "$list" ||
    { echo "qt-static.sh: this Qt adds the macOS style's pictures elsewhere" >&2; return 1; }
}
