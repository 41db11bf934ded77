#!/bin/bash
# metainfo.sh FILE SOURCE_DIR VERSION: the AppStream metainfo validates
# strictly offline, its newest release is the project's version, and every
# screenshot it points to is a file of the repository whose size matches
# the size the metainfo states.
set -uo pipefail
. "$(dirname "$0")/common.sh"
file=$1 source_dir=$2 version=$3
[ -f "$file" ] || { fail "$file missing"; finish; }

quiet_valid appstreamcli validate --no-net --strict "$file"

newest=$(grep -o '<release version="[^"]*"' "$file" | head -n 1 | sed 's/.*="//; s/"$//')
[ "$newest" = "$version" ] || fail "newest release in metainfo is '$newest', the project is $version"

shots=0
while read -r line; do
    url=$(sed 's/.*>\(https:[^<]*\)<.*/\1/' <<<"$line")
    path=${url#*/main/}
    shots=$((shots + 1))
    if [ "$path" = "$url" ] || [ ! -f "$source_dir/$path" ]; then
        fail "screenshot $url is not a file of the repository ($source_dir/$path)"
        continue
    fi
    width=$(grep -o 'width="[0-9]*"' <<<"$line" | grep -o '[0-9]*')
    height=$(grep -o 'height="[0-9]*"' <<<"$line" | grep -o '[0-9]*')
    actual=$(file -b "$source_dir/$path" | grep -o '[0-9]* x [0-9]*')
    [ "$actual" = "$width x $height" ] || fail "$path is $actual, the metainfo says $width x $height"
done < <(grep '<image' "$file")
[ "$shots" -ge 4 ] || fail "$shots screenshots in the metainfo; the menu and three levels make 4"
finish
