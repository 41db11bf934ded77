#!/bin/bash
# SPDX-License-Identifier: MIT
# checks.sh CHECK ARGS...: the Windows build as a player gets it. CTest runs
# each check as a test of its own; within one, failures are collected so a
# run reports every problem.
#
#   exe EXE VERSION                 one static GUI program: imports, icon, version, manifest
#   package BUILD_DIR VERSION       the zip's contents; the installer installs, the game
#                                   starts, the uninstaller leaves nothing behind (Wine)
#   rebuild SOURCE_DIR QT_PREFIX WINE_PREFIX
#                                   a changed manifest or icon reaches the .exe in an
#                                   incremental build (a scratch build of the game)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../cmake/windows/wine-run.sh
objdump=x86_64-w64-mingw32-objdump

# shellcheck source=tests/support/check_report.sh
. "$(dirname "$0")/../support/check_report.sh"
tmp=$(mktemp -d)
trap '"$wine_run" --prefix "$tmp/prefix" --release; "$wine_run" --prefix "$tmp/install" --release; rm -rf "$tmp"' EXIT

check_exe() {
    local exe=$1 version=$2 dll system32
    local headers
    headers=$("$objdump" -p "$exe") || { fail "$objdump cannot read $exe"; finish; }
    grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" ||
        fail "$exe is not a GUI program: $(grep '^Subsystem' <<<"$headers")"

    # Only Windows' own DLLs: each must be one that a new Wine prefix has
    # in system32, and none from the toolchain or Qt.
    WINEPREFIX=$tmp/prefix "$wine_run" --headless cmd /c exit >/dev/null 2>&1
    system32=$tmp/prefix/drive_c/windows/system32
    # API sets (api-ms-win-*) are names Windows resolves itself, not files.
    while read -r dll; do
        [[ "$dll" =~ ^api-ms-win- ]] && continue
        if [[ "$dll" =~ ^(lib|Qt6|Qt5) ]] || [ -z "$(find "$system32" -maxdepth 1 -iname "$dll")" ]; then
            fail "$exe imports $dll, which is not a Windows system DLL"
        fi
    done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")

    # The icon: 16, 32, 48 and 256 pixels; Qt and Explorer look for IDI_ICON1.
    wrestool -x --type=14 --name=IDI_ICON1 -o "$tmp/icon.ico" "$exe" 2>/dev/null ||
        fail "$exe has no icon named IDI_ICON1"
    local sizes
    sizes=$(icotool -l "$tmp/icon.ico" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')
    [ "$sizes" = "16 32 48 256 " ] || fail "the icon's sizes are '$sizes', want '16 32 48 256 '"

    # The version resource names the product, its version and its licence.
    local info
    info=$(wrestool -x --type=16 --raw "$exe" 2>/dev/null | tr -d '\0')
    for want in "ProductName" "Plodway" "ProductVersion" "$version" "MIT licence"; do
        grep -qF "$want" <<<"$info" || fail "the version resource lacks '$want'"
    done

    # The manifest: per-monitor DPI aware (v2), Windows 10 and 11.
    local manifest
    manifest=$(wrestool -x --type=24 --raw "$exe" 2>/dev/null)
    grep -q '<dpiAwareness[^>]*>PerMonitorV2<' <<<"$manifest" || fail "the manifest is not per-monitor DPI aware (v2)"
    grep -qi 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"' <<<"$manifest" ||
        fail "the manifest does not name Windows 10 and 11 as supported"
    echo "$(basename "$exe"): $(stat -c %s "$exe") bytes, imports: $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
}

# A Windows path from inside the prefix, as a Linux path.
unix_path() { winepath -u "$("$wine_run" --headless cmd /c echo "$1" 2>/dev/null | tr -d '\r"')"; }

check_package() {
    local build=$1 version=$2
    local zip=$build/plodway-$version-windows-x64.zip setup=$build/plodway-$version-windows-x64-setup.exe
    (cd "$build" && cpack -G "ZIP;NSIS" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; fail "cpack failed"; finish; }

    local listed
    listed=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
    [ "$listed" = "LICENSE README.md plodway.exe " ] || fail "the zip holds '$listed', want the exe, README.md and LICENSE"

    export WINEPREFIX=$tmp/install
    "$wine_run" --headless "$setup" /S || fail "the installer failed"
    wineserver -w
    local dir lnk key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Plodway'
    dir=$(unix_path '%LOCALAPPDATA%\Programs\Plodway')
    lnk=$(unix_path '%APPDATA%\Microsoft\Windows\Start Menu\Programs')/Plodway.lnk
    [ -f "$dir/plodway.exe" ] || fail "nothing installed in $dir"
    [ -f "$lnk" ] || fail "no Start-menu shortcut $lnk"
    "$wine_run" --headless reg query "$key" /v UninstallString >/dev/null 2>&1 ||
        fail "no uninstall entry $key"

    # The installed game starts: still running after five seconds, when
    # timeout ends it (exit 124), rather than failed. (Under Wine a GUI
    # program's output goes nowhere, so --version would tell nothing here.)
    local code
    timeout 5 "$wine_run" --headless "$dir/plodway.exe"
    code=$?
    [ "$code" -eq 124 ] || fail "the installed game exited with $code within five seconds"
    wineserver -k; wineserver -w

    "$wine_run" --headless "$dir/Uninstall.exe" /S || fail "the uninstaller failed"
    wineserver -w
    [ ! -e "$dir" ] || fail "left behind after uninstalling: $(find "$dir" | tr '\n' ' ')"
    [ ! -e "$lnk" ] || fail "the Start-menu shortcut is left behind"
    if "$wine_run" --headless reg query "$key" >/dev/null 2>&1; then fail "the uninstall entry $key is left behind"; fi
    echo "$(basename "$setup"): $(stat -c %s "$setup") bytes; $(basename "$zip"): $(stat -c %s "$zip") bytes"
}

check_rebuild() {
    local source=$1 qt=$2 prefix=$3 scratch=$tmp/scratch
    local exe=$scratch/plodway.exe launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    build() {
        cmake --build "$scratch" --target plodway >"$tmp/build.log" 2>&1 ||
            { cat "$tmp/build.log"; fail "the scratch build failed"; finish; }
    }
    cmake -G Ninja -S "$source" -B "$scratch" --toolchain "$source/cmake/mingw-w64-x86_64.cmake" \
        -DPLODWAY_QT_PREFIX="$qt" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DPLODWAY_BUILD_TOOLS=OFF \
        "-DCMAKE_CROSSCOMPILING_EMULATOR=$wine_run;--prefix;$prefix;--headless" "${launcher[@]}" \
        >"$tmp/configure.log" 2>&1 || { cat "$tmp/configure.log"; fail "the scratch build did not configure"; finish; }
    build
    # Each input changed as an editor or a new icon would change it; what
    # the .exe holds afterwards must be the new one.
    sed -i 's|</assembly>|<!-- changed --></assembly>|' "$scratch/plodway.manifest"
    { icotool -x --width=16 -o "$tmp/16.png" "$scratch/plodway.ico" && icotool -c -o "$scratch/plodway.ico" "$tmp/16.png"; } ||
        fail "cannot make a one-image icon"
    build
    wrestool -x --type=24 --raw "$exe" 2>/dev/null | grep '<!-- changed -->' >/dev/null ||
        fail "plodway.exe still holds the old manifest after the manifest changed"
    wrestool -x --type=14 --name=IDI_ICON1 -o "$tmp/icon.ico" "$exe" 2>/dev/null
    local sizes
    sizes=$(icotool -l "$tmp/icon.ico" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | tr '\n' ' ')
    [ "$sizes" = "16 " ] || fail "plodway.exe still holds the old icon ('$sizes') after the icon changed"
}

check=$1
shift
case "$check" in
    exe) check_exe "$@" ;;
    package) check_package "$@" ;;
    rebuild) check_rebuild "$@" ;;
    *) echo "unknown check $check" >&2; exit 2 ;;
esac
finish
