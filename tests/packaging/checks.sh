#!/bin/bash
# SPDX-License-Identifier: MIT
# checks.sh CHECK ARGS...: the game as a distribution ships it. CTest runs
# each check as a test of its own; within one, failures are collected so a
# run reports every problem. Exit 77 means a tool the check needs is missing.
#
#   data SOURCE_DIR BUILD_DIR APP_ID VERSION   desktop entry, metainfo, NEWS, licence, SPDX lines
#   install BUILD_DIR APP_ID BINDIR MANDIR     `cmake --install` into a temporary prefix
#   deb BUILD_DIR SOURCE_DIR APP_ID VERSION    the Debian package, lintian included
#   source BUILD_DIR SOURCE_DIR VERSION        the source tarball
#   hardening BUILD_DIR BINARY FORTIFY         protections in the binary and its build flags
#   command_line BINARY VERSION MANPAGE        options with and without a display
#   wayland BINARY APP_ID                      under a headless weston: app id, no warnings;
#                                              run from the tree, a desktop entry while it runs
#   other_font FONTCONFIG_FILE COMMAND...      the screenshot check with another font
set -uo pipefail

# shellcheck source=tests/support/check_report.sh
. "$(dirname "$0")/../support/check_report.sh"
skip_without() {
    local tool
    for tool; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/deps.sh installs it)"; exit 77; }
    done
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The value of KEY in a desktop entry's [Desktop Entry] group.
desktop_value() {
    sed -n "/^\[Desktop Entry\]/,/^\[/ s/^$2=//p" "$1" | head -n 1
}
# Runs a validator; anything it prints above a pedantic note is a failure.
quiet_valid() {
    local out code noise=(-e '^$' -e 'Validation was successful' -e '^ *P: ' -e '\.metainfo\.xml$')
    out=$("$@" 2>&1)
    code=$?
    # AppStream before 1.0 does not know <developer> yet and says so in an info.
    [ "$(appstreamcli --version | grep -o '[0-9][0-9.]*' | head -n 1 | cut -d. -f1)" -lt 1 ] &&
        noise+=(-e '^ *I: .*: unknown-tag developer$')
    if [ "$code" -ne 0 ] || grep -qv "${noise[@]}" <<<"$out"; then
        fail "$* reports:"
        echo "$out" >&2
    fi
}
# Lines on stderr and the exit code of a command, for the command line checks.
run() {
    timeout 60 "$@" >"$tmp/out" 2>"$tmp/err"
    code=$?
}
one_line_error() {
    local what=$1 pattern=$2
    if [ "$code" -eq 0 ] || [ "$(wc -l <"$tmp/err")" -ne 1 ] || ! grep -Eq "$pattern" "$tmp/err"; then
        fail "$what: want exit code other than 0 and one line matching /$pattern/ on stderr;" \
             "got $code and: $(cat "$tmp/err")"
    fi
}

# check_tree ROOT APP_ID BINDIR FILE...: ROOT/usr holds exactly the game's
# files plus FILE..., and they fit together: the entry starts the installed
# binary, names the installed icons, and the metainfo validates in the tree.
check_tree() {
    local root=$1 id=$2 bindir=$3 size exec icon
    shift 3
    local expected actual
    expected=$(printf '%s\n' "usr/$bindir/plodway" \
        "usr/share/applications/$id.desktop" \
        "usr/share/metainfo/$id.metainfo.xml" "$@" | sort)
    for size in 32 48 64 128 256; do
        expected+=$'\n'"usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    done
    expected=$(sort <<<"$expected")
    actual=$(cd "$root" && find . ! -type d | sed 's|^\./||' | sort)
    if [ "$actual" != "$expected" ]; then
        fail "files under $root differ from the expected list:"
        diff <(echo "$expected") <(echo "$actual") >&2
    fi

    local bin=$root/usr/$bindir/plodway
    { [ -x "$bin" ] && file -b "$bin" | grep -q '^ELF .* executable'; } || fail "$bin is not an executable ELF file"
    # Distributions install binaries where the system keeps libraries.
    readelf -dW "$bin" 2>/dev/null | grep -E '\((RUNPATH|RPATH)\)' >/dev/null &&
        fail "$bin has a RUNPATH or RPATH: $(readelf -dW "$bin" | grep -E 'R(UN)?PATH')"

    local entry=$root/usr/share/applications/$id.desktop
    [ -f "$entry" ] || return 0
    quiet_valid desktop-file-validate "$entry"
    exec=$(desktop_value "$entry" Exec | cut -d' ' -f1)
    # Found on the PATH, which has /usr/games on Debian.
    [ -x "$root/usr/bin/$exec" ] || [ -x "$root/usr/games/$exec" ] || fail "Exec=$exec is not an installed binary"
    icon=$(desktop_value "$entry" Icon)
    for size in 32 48 64 128 256; do
        local png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
        file -b "$png" 2>/dev/null | grep -q "PNG image data, $size x $size," ||
            fail "Icon=$icon has no $size x $size PNG in the hicolor theme"
    done
    quiet_valid appstreamcli validate-tree --no-net "$root"
}

check_data() {
    local source=$1 build=$2 id=$3 version=$4
    local entry=$source/data/$id.desktop metainfo=$source/data/$id.metainfo.xml
    quiet_valid desktop-file-validate "$entry"
    quiet_valid appstreamcli validate --pedantic --no-net "$metainfo"

    grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "metainfo: project_license is not MIT"
    grep -q '<metadata_license>CC0-1.0</metadata_license>' "$metainfo" || fail "metainfo: metadata_license is not CC0-1.0"
    { grep -Eq '<developer id="[^"]+">' "$metainfo" && grep -q '<name>The Plodway developers</name>' "$metainfo"; } ||
        fail "metainfo: no <developer id=...> with the name The Plodway developers"
    grep -q '<url type="vcs-browser">' "$metainfo" || fail "metainfo: no vcs-browser URL"
    # Only the project's own addresses: its repository and files in it.
    local url
    while read -r url; do
        case $url in
            https://github.com/plodway/plodway | https://github.com/plodway/plodway/*) ;;
            https://raw.githubusercontent.com/plodway/plodway/*) ;;
            *) fail "metainfo: $url is not an address of the project" ;;
        esac
    done < <(grep -o 'https\?://[^<"]*' "$metainfo" | grep -v '^https://specifications')

    # The releases of NEWS, newest first, are the metainfo's and the project's.
    local news_releases meta_releases newest
    news_releases=$(sed -nE 's/^([0-9]+\.[0-9]+\.[0-9]+) \(([0-9-]+)\)$/\1 \2/p' "$source/NEWS")
    meta_releases=$(sed -nE 's/.*<release version="([^"]*)" date="([^"]*)".*/\1 \2/p' "$metainfo")
    { [ -n "$news_releases" ] && [ "$news_releases" = "$meta_releases" ]; } ||
        fail "releases differ: NEWS has '$news_releases', the metainfo '$meta_releases'"
    newest=$(head -n 1 <<<"$news_releases" | cut -d' ' -f1)
    [ "$newest" = "$version" ] || fail "newest release in NEWS is '$newest', the project is $version"

    # Screenshots from the tagged release, each a file of the repository as
    # large as the metainfo says, and wide enough for the software centres.
    local shots=0 line path width height actual
    while read -r line; do
        # shellcheck disable=SC2001  # a capture, which ${//} cannot make
        url=$(sed 's/.*>\(https:[^<]*\)<.*/\1/' <<<"$line")
        path=${url#"https://raw.githubusercontent.com/plodway/plodway/v$version/"}
        shots=$((shots + 1))
        if [ "$path" = "$url" ] || [ ! -f "$source/$path" ]; then
            fail "screenshot $url is not a file of the repository at tag v$version ($source/$path)"
            continue
        fi
        width=$(grep -o 'width="[0-9]*"' <<<"$line" | grep -o '[0-9]*')
        height=$(grep -o 'height="[0-9]*"' <<<"$line" | grep -o '[0-9]*')
        actual=$(file -b "$source/$path" | grep -o '[0-9]* x [0-9]*')
        [ "$actual" = "$width x $height" ] || fail "$path is $actual, the metainfo says $width x $height"
        [ "${width:-0}" -ge 620 ] || fail "$path is $width pixels wide; software centres want 620 or more"
    done < <(grep '<image' "$metainfo")
    [ "$shots" -ge 3 ] || fail "$shots screenshots in the metainfo; the three levels make 3"

    # The package's copyright file carries the licence of LICENSE word for word.
    diff <(sed -n '/^Permission/,$p' "$source/LICENSE") \
         <(sed -n '/^License: MIT$/,$p' "$source/data/copyright" | sed '1,/^ Permission/{/^ Permission/!d}' |
           sed -e 's/^ //' -e 's/^\.$//') >/dev/null || fail "data/copyright's licence text differs from LICENSE"
    grep -q '^Copyright (c) [0-9]* The Plodway developers$' "$source/LICENSE" || fail "LICENSE names no copyright holder"
    # Every source file names its licence in its first two lines: the second
    # after a #! line or the XPM header. Found with find, as a tarball has no git;
    # npm's node_modules are not ours.
    local file
    while read -r file; do
        head -n 2 "$source/$file" | grep -q 'SPDX-License-Identifier: MIT' ||
            fail "$file has no SPDX-License-Identifier: MIT line"
    done < <(cd "$source" && find CMakeLists.txt .ci bench cmake scripts src tests tools -name node_modules -prune \
                 -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.xpm' -o -name '*.cmake' \
                 -o -name CMakeLists.txt -o -name '*.sh' -o -name '*.py' -o -name '*.mjs' -o -name '*.js' \
                 -o -name '*.html' -o -path .ci/run \) -print)

    # The manual page formats without a warning.
    local warnings
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$build/doc/plodway.6" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page has warnings: $warnings"
}

check_install() {
    local build=$1 id=$2 bindir=$3 mandir=$4
    if ! cmake --install "$build" --prefix "$tmp/root/usr" >"$tmp/install.log" 2>&1; then
        cat "$tmp/install.log" >&2
        fail "cmake --install failed"
        finish
    fi
    check_tree "$tmp/root" "$id" "$bindir" "usr/$mandir/man6/plodway.6"
}

check_deb() {
    local build=$1 source=$2 id=$3 version=$4
    skip_without dpkg-deb dpkg-shlibdeps lintian
    if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1; then
        cat "$tmp/cpack.log" >&2
        fail "cpack failed"
        finish
    fi
    local arch deb
    arch=$(dpkg --print-architecture)
    deb=$tmp/plodway_${version}_${arch}.deb
    [ -f "$deb" ] || { fail "no $(basename "$deb"); cpack made: $(ls "$tmp")"; finish; }

    local info depends lib
    info=$(dpkg-deb -I "$deb")
    field() { sed -n "s/^ $1: //p" <<<"$info"; }
    [ "$(field Package)" = plodway ] || fail "Package is '$(field Package)'"
    [ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project is $version"
    [ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
    [ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
    [ "$(field Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)', not qt6-wayland"
    [ -n "$(field Maintainer)" ] || fail "no Maintainer"
    # Depends names the package that ships each library the game links, by
    # the release's own name: Debian 13 renamed libqt6core6 libqt6core6t64.
    depends=$(field Depends)
    local so multiarch release
    multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
    release=$(. /etc/os-release && echo "$PRETTY_NAME")
    for so in libQt6Widgets.so.6 libQt6Gui.so.6 libQt6Core.so.6 libc.so.6 libstdc++.so.6; do
        lib=$(dpkg -S "*/$multiarch/$so" 2>/dev/null | sed -n '1s/:.*//p')
        [ -n "$lib" ] || { fail "no package of $release ships $so"; continue; }
        grep -Eq "(^|, )${lib//+/\\+}( |,|$)" <<<"$depends" || fail "Depends lacks $lib ($so on $release): $depends"
    done
    echo "Depends on $release: $depends"

    grep -Eq '^-rwxr-xr-x root/root .* \./usr/games/plodway$' <<<"$(dpkg-deb -c "$deb")" ||
        fail "usr/games/plodway is not an executable owned by root"

    # lintian's errors and warnings fail; its infos and pedantic notes are shown.
    local report
    report=$(lintian --pedantic --display-info "$deb" 2>&1 | grep -v 'running with root privileges')
    [ -z "$report" ] || echo "$report"
    grep -q '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"

    dpkg-deb -x "$deb" "$tmp/root"
    check_tree "$tmp/root" "$id" games usr/share/man/man6/plodway.6.gz \
        usr/share/doc/plodway/changelog.gz usr/share/doc/plodway/copyright
    readelf -SW "$tmp/root/usr/games/plodway" | grep '\.comment' >/dev/null && fail "the packaged binary keeps its .comment section"
    cmp -s "$source/data/copyright" "$tmp/root/usr/share/doc/plodway/copyright" ||
        fail "the packaged copyright file is not data/copyright"
    zcat "$tmp/root/usr/share/doc/plodway/changelog.gz" | sed -n 1p | grep -q "^plodway ($version) " ||
        fail "the changelog does not start with $version: $(zcat "$tmp/root/usr/share/doc/plodway/changelog.gz" | head -n 1)"
    local size rel
    for size in 32 48 64 128 256; do
        rel=icons/hicolor/${size}x${size}/apps/$id.png
        cmp -s "$build/$rel" "$tmp/root/usr/share/$rel" || fail "packaged $rel differs from the one built"
    done
}

check_source() {
    local build=$1 source=$2 version=$3
    if ! cpack --config "$build/CPackSourceConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1; then
        cat "$tmp/cpack.log" >&2
        fail "cpack of the source failed"
        finish
    fi
    local tarball=$tmp/plodway-$version.tar.xz listing top
    [ -f "$tarball" ] || { fail "no $(basename "$tarball"); cpack made: $(ls "$tmp")"; finish; }
    listing=$(tar -tJf "$tarball" | sed 's|/$||')
    top=$(cut -d/ -f1 <<<"$listing" | sort -u)
    [ "$top" = "plodway-$version" ] || fail "the tarball's top directories are: $top"
    grep -qx "plodway-$version/CMakeLists.txt" <<<"$listing" || fail "no CMakeLists.txt at the top of the tarball"
    local stray
    stray=$(grep -E "^plodway-$version/(build[^/]*|\.git)(/|$)" <<<"$listing" | head -n 3)
    [ -z "$stray" ] || fail "build trees or repository data in the tarball: $stray"
    # Everything under version control, so the tarball builds as the tree does.
    if git -C "$source" rev-parse --show-toplevel >/dev/null 2>&1; then
        local missing
        missing=$(git -C "$source" ls-files | sed "s|^|plodway-$version/|" | grep -vxFf <(echo "$listing"))
        [ -z "$missing" ] || fail "files under version control missing from the tarball: $missing"
    else
        echo "not a git checkout: the tarball's contents are not compared with it"
    fi
}

check_hardening() {
    local build=$1 bin=$2 fortify=$3
    local header dynamic segments symbols
    header=$(readelf -hW "$bin") || { fail "readelf cannot read $bin"; finish; }
    dynamic=$(readelf -dW "$bin")
    segments=$(readelf -lW "$bin")
    symbols=$(readelf --dyn-syms -W "$bin")
    grep -Eq 'Type:[[:space:]]+DYN' <<<"$header" || fail "ELF type is not DYN: not position-independent"
    grep -Eq '\(FLAGS_1\).*\bPIE\b' <<<"$dynamic" || fail "no DF_1_PIE flag: a shared object, not a PIE"
    grep -Eq '\(BIND_NOW\)|\(FLAGS\).*\bBIND_NOW\b|\(FLAGS_1\).*\bNOW\b' <<<"$dynamic" ||
        fail "no BIND_NOW: only partial RELRO"
    grep -q 'GNU_RELRO' <<<"$segments" || fail "no GNU_RELRO segment"
    grep -Eq '\b__stack_chk_fail\b' <<<"$symbols" || fail "no __stack_chk_fail: no stack protector"
    if [ "$fortify" = 1 ]; then
        grep -Eq '\b__[a-z_]+_chk\b' <<<"$(grep -v __stack_chk_fail <<<"$symbols")" ||
            fail "no __*_chk function: _FORTIFY_SOURCE is not in effect"
    fi

    # Each protection is asked for once, by the distribution's flags or by
    # ours: ours must not repeat or override what the build flags set.
    local object command
    for object in plodway.dir/app/main.cpp.o plodway_rules.dir/rules/collisions.cpp.o; do
        command=$(grep -F "\"command\": " "$build/compile_commands.json" | grep -F -- "CMakeFiles/$object ")
        [ -n "$command" ] || { fail "no compile command for $object in $build/compile_commands.json"; continue; }
        count() { grep -oE -- "$1" <<<"$command" | wc -l; }
        [ "$(count '-fstack-protector[a-z-]*')" -eq 1 ] ||
            fail "$object: stack protector flags: $(grep -oE -- '-fstack-protector[a-z-]*' <<<"$command" | xargs)"
        [ "$(count '-fstack-clash-protection')" -eq 1 ] ||
            fail "$object: -fstack-clash-protection given $(count '-fstack-clash-protection') times"
        if [ "$(uname -m)" = x86_64 ]; then
            [ "$(count '-fcf-protection[=a-z]*')" -eq 1 ] ||
                fail "$object: -fcf-protection given $(count '-fcf-protection[=a-z]*') times"
        fi
        { [ "$(count '-D_FORTIFY_SOURCE')" -le 1 ] && [ "$(count '-U_FORTIFY_SOURCE')" -eq 0 ]; } ||
            fail "$object: _FORTIFY_SOURCE set more than once or undone: $(grep -oE -- '-[DU]_FORTIFY_SOURCE[=0-9]*' <<<"$command" | xargs)"
    done
}

check_command_line() {
    local bin=$1 version=$2 manpage=$3
    local nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
    local option

    # Help and version need no display, print to stdout and succeed.
    for option in --help-all -h --help; do
        run "${nodisplay[@]}" "$bin" "$option"
        { [ "$code" -eq 0 ] && grep -q '^Usage: ' "$tmp/out" && grep -q -- '--version' "$tmp/out" && [ ! -s "$tmp/err" ]; } ||
            fail "$option without a display: exit code $code, stdout: $(head -n 3 "$tmp/out"), stderr: $(cat "$tmp/err")"
        [ "$option" != --help-all ] || grep -q -- '--platform' "$tmp/out" ||
            fail "--help-all does not list Qt's options such as --platform"
    done
    # Every option --help lists is in the manual page.
    for option in $(grep -oE -- '(^| )--?[a-z][a-z-]*' "$tmp/out" | xargs); do
        grep -q -- "${option//-/\\\\-}" "$manpage" || fail "the manual page does not mention $option"
    done
    for option in --version -v; do
        run "${nodisplay[@]}" "$bin" "$option"
        { [ "$code" -eq 0 ] && [ "$(cat "$tmp/out")" = "plodway $version" ] && [ ! -s "$tmp/err" ]; } ||
            fail "$option: exit code $code, stdout '$(cat "$tmp/out")', stderr '$(cat "$tmp/err")'"
    done

    # Without a display: one line that says so, not Qt's abort.
    run "${nodisplay[@]}" "$bin"
    one_line_error "no display" '^plodway: .*display'
    run "${nodisplay[@]}" DISPLAY=:987 "$bin"
    one_line_error "an unreachable display" '^plodway: .*display.*:987'

    # Qt takes its own options; what is left must be the game's.
    run "${nodisplay[@]}" "$bin" -platform offscreen --bogus
    one_line_error "--bogus" "^plodway: Unknown option 'bogus'\\.$"
    run "${nodisplay[@]}" "$bin" -platform offscreen -style fusion -reverse stray
    one_line_error "a stray argument after Qt's options" "^plodway: unexpected argument 'stray'$"
}

check_wayland() {
    local bin=$1 id=$2
    skip_without weston
    export XDG_RUNTIME_DIR=$tmp/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    local socket=plodway-check weston_pid game_pid
    weston --backend=headless-backend.so --socket=$socket --idle-time=0 >"$tmp/weston.log" 2>&1 &
    weston_pid=$!
    for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.1; done
    [ -S "$XDG_RUNTIME_DIR/$socket" ] || { cat "$tmp/weston.log" >&2; kill "$weston_pid"; fail "weston did not start"; finish; }

    env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$socket WAYLAND_DEBUG=1 "$bin" >"$tmp/game.log" 2>&1 &
    game_pid=$!
    # The menu window is mapped once its surface has a buffer attached.
    for _ in $(seq 300); do
        grep -q 'wl_surface@[0-9]*\.commit()' "$tmp/game.log" && grep -q 'set_app_id' "$tmp/game.log" && break
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$game_pid" "$weston_pid" 2>/dev/null
    wait "$game_pid" "$weston_pid" 2>/dev/null

    if grep -q 'platform plugin "wayland"' "$tmp/game.log"; then
        echo "SKIP: Qt's Wayland platform plugin is not installed (qt6-wayland)"
        exit 77
    fi
    local app_ids
    app_ids=$(sed -n 's/.*set_app_id("\([^"]*\)").*/\1/p' "$tmp/game.log" | sort -u)
    [ "$app_ids" = "$id" ] || fail "app id is '$app_ids', the desktop entry is $id.desktop"
    # Everything but the protocol trace is a message from Qt or the game.
    local messages
    messages=$(grep -v -e '^\[ *[0-9.]*\] ' -e '^$' "$tmp/game.log")
    [ -z "$messages" ] || fail "messages under Wayland: $messages"

    # Run from the build tree (scripts/play.sh), the game has a desktop entry
    # of the user's while it runs, for the compositor to find its icon by.
    local build entry runner code
    build=$(cd "$(dirname "$bin")" && pwd)
    entry=$tmp/home/.local/share/applications/$id.desktop
    mkdir -p "$tmp/home"
    env -u XDG_DATA_HOME HOME="$tmp/home" WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=offscreen \
        bash "$(dirname "$0")/../../scripts/run-from-tree.sh" "$build" >"$tmp/tree.log" 2>&1 &
    runner=$!
    for _ in $(seq 100); do [ -f "$entry" ] && break; sleep 0.1; done
    if [ -f "$entry" ]; then
        quiet_valid desktop-file-validate "$entry"
        [ "$(desktop_value "$entry" Exec)" = "\"$build/plodway\"" ] ||
            fail "the tree's entry starts $(desktop_value "$entry" Exec), not $build/plodway"
        [ -f "$(desktop_value "$entry" Icon)" ] || fail "the tree's entry has no icon: $(desktop_value "$entry" Icon)"
    else
        fail "no desktop entry in the user's data while the game ran from the tree: $(cat "$tmp/tree.log")"
    fi
    kill "$runner"
    wait "$runner"
    code=$?
    [ "$code" -eq 143 ] || fail "run-from-tree.sh ended with $code when asked to stop, not 143"
    [ ! -e "$entry" ] || fail "the tree's desktop entry stayed after the game ended"
}

check_other_font() {
    local config=$1
    shift
    run env FONTCONFIG_FILE="$config" "$@"
    { [ "$code" -eq 0 ] && grep -q 'this system draws text with DejaVu Serif' "$tmp/err"; } ||
        fail "with DejaVu Serif first: exit code $code, and: $(cat "$tmp/err")"
}

check=$1
shift
case $check in
    data) check_data "$@" ;;
    install) check_install "$@" ;;
    deb) check_deb "$@" ;;
    source) check_source "$@" ;;
    hardening) check_hardening "$@" ;;
    command_line) check_command_line "$@" ;;
    wayland) check_wayland "$@" ;;
    other_font) check_other_font "$@" ;;
    *) echo "unknown check $check" >&2; exit 2 ;;
esac
finish
