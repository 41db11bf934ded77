#!/bin/bash
# SPDX-License-Identifier: MIT
# wine-run.sh [--prefix DIR] [--headless] PROGRAM.exe ARGS...
# Runs a cross-built program under Wine, for CMake (its cross-compiling
# emulator), CTest and the Windows checks, as if it ran natively:
# - in the Wine prefix DIR, made on first use (a few seconds, 700 MB), with
#   Tahoma, the font of Windows' dialogs (fonts-wine);
# - --headless: with no display, so Wine opens no window of its own (a prefix
#   serves either headless or windowed runs: Wine misbehaves when they mix);
# - Wine keeps QT_* variables from Windows programs, and passes WINEQT_* on
#   as QT_*: so the Qt settings of a test (QT_QPA_PLATFORM...) go that way;
# - the offscreen platform finds DejaVu, which the Linux tests draw with;
# - a crash exits non-zero instead of opening Wine's debugger and exiting 0;
# - Wine's own chatter stays out of the output that tests compare, and it
#   adds no menu entries to the Linux desktop.
set -euo pipefail
if [ "${1:-}" = --prefix ]; then
  WINEPREFIX=$(realpath -m "$2")
  export WINEPREFIX
  shift 2
fi
if [ "${1:-}" = --headless ]; then
  unset DISPLAY WAYLAND_DISPLAY
  shift
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts, no debugger, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
# A prefix counts as made once it is finished and Wine's server has ended:
# a program that starts while wineboot still works in it may lose the
# server under it.
made=${WINEPREFIX:-}/.made-by-wine-run
if [ -n "${WINEPREFIX:-}" ] && [ ! -f "$made" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$made" ]; then
      wineboot -i >/dev/null 2>&1
      wineserver -w
      # Windows' dialog font: without it, Wine's windows fall back to a serif.
      cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
      touch "$made"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
while IFS='=' read -r name value; do
  export "WINE$name=$value"
done < <(env | grep '^QT_' || true)
export WINEQT_QPA_FONTDIR=${WINEQT_QPA_FONTDIR:-'Z:\usr\share\fonts\truetype\dejavu'}
if [ -z "${DISPLAY:-}" ]; then
  exec wine "$@"
fi
# A windowed run waits for Wine to let go of the display: the next run may
# bring another. Meanwhile a request to stop goes on to the program.
code=0
wine "$@" &
program=$!
trap 'kill "$program" 2>/dev/null' TERM INT HUP
wait "$program" || code=$?
while kill -0 "$program" 2>/dev/null; do wait "$program" || code=$?; done
wineserver -w
exit "$code"
