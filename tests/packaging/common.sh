# Shared by the packaging test scripts: failures are collected, so one run
# reports every problem, and the script exits non-zero if there was any.
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}
# The value of KEY in a desktop entry's [Desktop Entry] group.
desktop_value() {
    sed -n "/^\[Desktop Entry\]/,/^\[/ s/^$2=//p" "$1" | head -n 1
}
# Runs a validator; any output at all (hints included) counts as a failure.
quiet_valid() {
    local out
    if ! out=$("$@" 2>&1) || [ -n "$(grep -v -e '^$' -e 'Validation was successful' -e '^P: ' \
                                           -e '\.metainfo\.xml$' <<<"$out")" ]; then
        fail "$* reports:"
        echo "$out" >&2
    fi
}

# check_tree ROOT APP_ID: ROOT/usr holds exactly the game's files, and they
# fit together: the entry starts the installed binary, names the installed
# icons, and the metainfo validates against the tree.
check_tree() {
    local root=$1 id=$2 size exec icon
    local expected actual
    expected=$(printf '%s\n' usr/bin/plodway \
        "usr/share/applications/$id.desktop" \
        "usr/share/icons/hicolor/128x128/apps/$id.png" \
        "usr/share/icons/hicolor/256x256/apps/$id.png" \
        "usr/share/icons/hicolor/32x32/apps/$id.png" \
        "usr/share/icons/hicolor/64x64/apps/$id.png" \
        "usr/share/metainfo/$id.metainfo.xml" | sort)
    actual=$(cd "$root" && find . ! -type d | sed 's|^\./||' | sort)
    if [ "$actual" != "$expected" ]; then
        fail "files under $root differ from the expected list:"
        diff <(echo "$expected") <(echo "$actual") >&2
    fi

    local bin=$root/usr/bin/plodway
    [ -x "$bin" ] && file -b "$bin" | grep -q '^ELF .* executable' || fail "$bin is not an executable ELF file"

    local entry=$root/usr/share/applications/$id.desktop
    [ -f "$entry" ] || return 0
    quiet_valid desktop-file-validate "$entry"
    exec=$(desktop_value "$entry" Exec | cut -d' ' -f1)
    [ -x "$root/usr/bin/$exec" ] || fail "Exec=$exec is not an installed binary"
    icon=$(desktop_value "$entry" Icon)
    for size in 32 64 128 256; do
        local png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
        file -b "$png" 2>/dev/null | grep -q "PNG image data, $size x $size," ||
            fail "Icon=$icon has no $size x $size PNG in the hicolor theme"
    done
    quiet_valid appstreamcli validate-tree --no-net --strict "$root"
}
