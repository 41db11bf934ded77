# shellcheck shell=bash
# SPDX-License-Identifier: MIT
# Sourced by scripts/web-qt.sh and scripts/web.sh: sets up Debian's
# Emscripten (the emscripten package) for building Qt and the game, with all
# that it writes kept in the cache folder and nothing asked of the user's
# environment.
em_version=$(dpkg-query -W -f='${Version}' emscripten)
em_cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/plodway

# Emscripten builds its C and C++ libraries on the first link. Debian's
# package expects them under /usr and freezes that cache (FROZEN_CACHE), where
# they are missing: ours go to the cache folder, one per Emscripten version.
# Only an empty EM_FROZEN_CACHE unfreezes it ("0" counts as true).
export EM_CACHE=$em_cache_root/emscripten-$em_version
export EM_FROZEN_CACHE=
# Emscripten's JavaScript optimiser needs Debian's acorn (node-acorn), which a
# Node that is not Debian's own does not look for there.
export NODE_PATH=/usr/share/nodejs
# Qt looks for Emscripten in an emsdk folder: one whose .emscripten names the
# folder, inside it, that holds emcc and Emscripten's CMake files.
export EMSDK=$em_cache_root/emsdk
export EMSCRIPTEN=/usr/share/emscripten
mkdir -p "$EMSDK/em" "$EM_CACHE"
ln -sfn /usr/bin/emcc "$EMSDK/em/emcc"
ln -sfn "$EMSCRIPTEN/cmake" "$EMSDK/em/cmake"
[ "$(cat "$EMSDK/.emscripten" 2>/dev/null)" = "EMSCRIPTEN_ROOT = 'em'" ] ||
  echo "EMSCRIPTEN_ROOT = 'em'" >"$EMSDK/.emscripten"
