#!/bin/bash
# deb_package.sh BUILD_DIR APP_ID VERSION: CPack makes a .deb whose control
# fields and contents are right, and whose unpacked tree validates.
set -uo pipefail
. "$(dirname "$0")/common.sh"
build=$1 id=$2 version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log" >&2
    fail "cpack failed"
    finish
fi
arch=$(dpkg --print-architecture)
deb=$tmp/plodway_${version}_${arch}.deb
[ -f "$deb" ] || { fail "no $(basename "$deb"); cpack made: $(ls "$tmp")"; finish; }

info=$(dpkg-deb -I "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = plodway ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project is $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6; do
    grep -Eq "(^|, )${lib//+/\\+}( |,|$)" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

listing=$(dpkg-deb -c "$deb")
grep -Eq '^-rwxr-xr-x root/root .* \./usr/bin/plodway$' <<<"$listing" ||
    fail "usr/bin/plodway is not an executable owned by root: $(grep plodway$ <<<"$listing")"

dpkg-deb -x "$deb" "$tmp/root"
check_tree "$tmp/root" "$id"
for size in 32 64 128 256; do
    rel=icons/hicolor/${size}x${size}/apps/$id.png
    cmp -s "$build/$rel" "$tmp/root/usr/share/$rel" || fail "packaged $rel differs from the one built"
done
finish
