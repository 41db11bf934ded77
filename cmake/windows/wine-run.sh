#!/bin/bash
# SPDX-License-Identifier: MIT
# wine-run.sh [--prefix DIR] [--headless] [--dpi N] PROGRAM.exe ARGS...
# wine-run.sh [--prefix DIR] [--headless] --hold | --release
# Runs a cross-built program under Wine, for CMake (its cross-compiling
# emulator), CTest and the Windows checks, as if it ran natively:
# - in the Wine prefix DIR, made on first use (a few seconds, 700 MB), with
#   Tahoma, the font of Windows' dialogs (fonts-wine);
# - --headless: with no display, so Wine opens no window of its own (a prefix
#   serves either headless or windowed runs: Wine misbehaves when they mix);
# - --dpi N: at the display scale Windows sets as N dots per inch (120 is
#   125 %), for this run and the next ones in the prefix;
# - Wine keeps QT_* variables from Windows programs, and passes WINEQT_* on
#   as QT_*: so the Qt settings of a test (QT_QPA_PLATFORM...) go that way;
# - the offscreen platform finds DejaVu, which the Linux tests draw with;
# - a crash exits non-zero instead of opening Wine's debugger and exiting 0;
# - Wine's own chatter stays out of the output that tests compare, and it
#   adds no menu entries to the Linux desktop.
# Debian's Wine server ends the moment its last program does, and a program
# that starts just then cannot connect to it and fails. A prefix that runs
# programs side by side is therefore held: --hold starts a server that stays
# until --release ends it with whatever still runs there. A prefix that is
# not held runs one program at a time, each after the last one's server has
# ended.
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
dpi=
if [ "${1:-}" = --dpi ]; then
  dpi=$2
  shift 2
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts, no debugger, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
held=${WINEPREFIX:-$HOME/.wine}/.held-by-wine-run
if [ "${1:-}" = --release ]; then
  rm -f "$held"
  [ ! -d "${WINEPREFIX:-$HOME/.wine}" ] || { wineserver -k 2>/dev/null || true; wineserver -w; }
  exit 0
fi
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
if [ "${1:-}" = --hold ]; then
  # A server that is running already either is held or ends by itself.
  for _ in $(seq 30); do
    code=0
    wineserver -p </dev/null >/dev/null 2>&1 || code=$?
    if [ "$code" -eq 0 ]; then
      # The first program starts Wine's services, which stay as long as
      # the server: with nothing of ours open, so that no one who runs a
      # program later waits for them to close its output.
      wine cmd /c exit </dev/null >/dev/null 2>&1
      touch "$held"
      exit 0
    fi
    [ "$code" -eq 2 ] || { echo "wine-run.sh: wineserver -p failed ($code)" >&2; exit 1; }
    [ ! -f "$held" ] || exit 0
    timeout 10 wineserver -w || true
  done
  echo "wine-run.sh: a Wine server that is not held keeps running in ${WINEPREFIX:-$HOME/.wine}" >&2
  exit 1
fi
if [ -n "$dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null
  [ -f "$held" ] || wineserver -w
fi
while IFS='=' read -r name value; do
  export "WINE$name=$value"
done < <(env | grep '^QT_' || true)
export WINEQT_QPA_FONTDIR=${WINEQT_QPA_FONTDIR:-'Z:\usr\share\fonts\truetype\dejavu'}
[ ! -f "$held" ] || [ -z "${DISPLAY:-}" ] || { echo "wine-run.sh: a held prefix serves headless runs only" >&2; exit 2; }
# Unless the prefix is held, the run waits for Wine's server to end: the
# next run then starts its own instead of meeting this one as it ends, and a
# windowed run lets go of its display, as the next run may bring another.
# Meanwhile a request to stop goes on to the program.
code=0
wine "$@" <&0 &
program=$!
trap 'kill "$program" 2>/dev/null' TERM INT HUP
wait "$program" || code=$?
while kill -0 "$program" 2>/dev/null; do wait "$program" || code=$?; done
[ -f "$held" ] || wineserver -w
# Wine's debugger is off, so a program that crashes would end unexplained.
[ "$code" -eq 0 ] || echo "wine-run.sh: $(basename "$1") ended with exit code $code" >&2
exit "$code"
