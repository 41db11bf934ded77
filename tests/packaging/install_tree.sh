#!/bin/bash
# install_tree.sh BUILD_DIR APP_ID: `cmake --install` into a temporary
# prefix puts exactly the game's files there, and they validate.
set -uo pipefail
. "$(dirname "$0")/common.sh"
build=$1 id=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if ! cmake --install "$build" --prefix "$tmp/root/usr" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log" >&2
    fail "cmake --install failed"
    finish
fi
check_tree "$tmp/root" "$id"
finish
