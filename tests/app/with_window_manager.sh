#!/bin/bash
# SPDX-License-Identifier: MIT
# Runs a test program against an X server and a window manager of its own:
# Xvfb on a free display, openbox managing it, Qt on its xcb platform.
# Skipped (exit 77) only when one of the programs is missing; scripts/deps.sh
# installs them.
set -euo pipefail
for program in Xvfb openbox xdotool xprop; do
  if ! command -v "$program" >/dev/null; then
    echo "SKIPPED: $program is not installed (scripts/deps.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

# Xvfb picks a free display and writes its number once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
if [ ! -s "$work/display" ]; then echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; fi
export DISPLAY=":$(head -n1 "$work/display")"

# openbox is managing the screen once it has named itself on the root window.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.05
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
  echo "openbox did not start:"; cat "$work/openbox.log"; exit 1
fi

# Qt's xcb platform looks for the session bus, and libdbus keeps a buffer
# from that for the life of the process: not ours for LeakSanitizer to report.
printf 'leak:libdbus-1.so\n' >"$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

QT_QPA_PLATFORM=xcb "$@"
