# SPDX-License-Identifier: MIT
# Sourced by windows-qt.sh and web-qt.sh, which set qt_for (a name for the
# messages), qt_minutes, toolchain, options and key_extra: builds Qt's
# qtbase from Debian's own source for that platform, once, into the cache
# outside the tree, and prints its prefix. The cache is keyed by Qt's
# Debian version, key_extra, the configure options and the toolchain file,
# so changing any of them builds a new one. The source is the same version
# as the host tools (moc, rcc, uic) it is built with.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
key=$( { echo "$version"; [ -z "$key_extra" ] || echo "$key_extra"; printf '%s\n' "${options[@]}"; cat "$toolchain"; } |
       sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/plodway
prefix=$cache/qt-${version%%+*}-$qt_name-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

me=$(basename "$0")
work=$cache/qt-build-$key
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts"
# Qt's source from the archives the installed tools came from, through a
# private source list: nothing in /etc/apt changes and no root is needed.
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' | sort -u |
  while read -r uri suite component; do
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $suite $component"
  done >"$work/apt/sources.list"
[ -s "$work/apt/sources.list" ] || { echo "$me: apt knows no Debian archive to fetch Qt's source from" >&2; exit 1; }
apt_private=(-o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts="$work/apt/parts"
             -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache" -o Debug::NoLocking=1)
echo "Building Qt $version for $qt_for into $prefix (about $qt_minutes minutes on two cores, once)" >&2
apt-get -qq "${apt_private[@]}" update >&2
(cd "$work" && apt-get -qq "${apt_private[@]}" source "qt6-base=$version" >&2)
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$src" ] || { echo "$me: apt-get source qt6-base unpacked nothing" >&2; exit 1; }

mkdir -p "$work/build"
(cd "$work/build" &&
  "$src/configure" -prefix "$prefix" "${options[@]}" -- \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2 &&
  cmake --build . --parallel "$(nproc)" >&2 &&
  cmake --install . >&2)
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
