#!/bin/bash
# SPDX-License-Identifier: MIT
# with_window_manager.sh DESKTOP PROGRAM [ARGS...]: runs a test program on a
# desktop of its own, an X server (Xvfb, on a free display) and:
#   openbox          openbox managing it, Qt on its xcb platform
#   mutter           GNOME's mutter managing it, Qt on its xcb platform
#   kwin             KDE's KWin managing it, Qt on its xcb platform
#   mutter-wayland   mutter as a Wayland compositor in a window on it, Qt on
#                    its wayland platform; xdotool's keys reach the
#                    compositor through that window
#   mutter-xwayland  GNOME's Wayland session as the game starts in it: mutter
#                    likewise, Qt on its xcb platform on mutter's Xwayland;
#                    keys go to the compositor's window, and what it shows
#                    is read there (PLODWAY_TEST_OUTER_DISPLAY)
#   kwin-wayland     KWin likewise
# Skipped (exit 77) only when one of the programs is missing; scripts/deps.sh
# installs them.
set -euo pipefail
desktop=$1
shift
case $desktop in
  openbox) needed=(openbox) ;;
  mutter | mutter-wayland | mutter-xwayland) needed=(mutter dbus-daemon) ;;
  kwin) needed=(kwin_x11 dbus-daemon) ;;
  kwin-wayland) needed=(kwin_wayland dbus-daemon) ;;
  *) echo "unknown desktop $desktop" >&2; exit 2 ;;
esac
for program in Xvfb xdotool xprop "${needed[@]}"; do
  if ! command -v "$program" >/dev/null; then
    echo "SKIPPED: $program is not installed (scripts/deps.sh installs it)"
    exit 77
  fi
done
if [[ $desktop == *-wayland ]] && [ ! -e "$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null)/platforms/libqwayland-generic.so" ]; then
  echo "SKIPPED: Qt's Wayland platform plugin is not installed (qt6-wayland)"
  exit 77
fi

work=$(mktemp -d)
pids=()
bus=
stop() {
  local i
  # The services the session bus started for the desktop (KWin's
  # kglobalaccel5) would outlive it, and some leave it for init as they
  # start: they are found by the bus they were given.
  if [ -n "$bus" ]; then
    pkill -P "$bus" 2>/dev/null || true
    local environ
    for environ in /proc/[0-9]*/environ; do
      [ "$environ" != "/proc/$$/environ" ] || continue
      if tr '\0' '\n' <"$environ" 2>/dev/null | grep -xF "DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS" >/dev/null; then
        environ=${environ#/proc/}
        kill "${environ%/environ}" 2>/dev/null || true
      fi
    done
  fi
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT
# A test that runs out of time is ended with SIGTERM: the desktop goes too.
trap 'exit 1' TERM INT
wait_for() {  # wait_for WHAT LOG CONDITION...: WHAT is the last program started
  local what=$1 log=$2
  shift 2
  for _ in $(seq 300); do
    "$@" && return 0
    kill -0 "${pids[-1]}" 2>/dev/null || { echo "$what ended before it started ($*); its output:"; cat "$log"; exit 1; }
    sleep 0.05
  done
  echo "$what did not start within 15 seconds ($*); its output:"; cat "$log"; exit 1
}

# Xvfb picks a free display and writes its number once it takes clients.
# -noreset: an X server resets when its last client leaves, and drops
# whoever connects meanwhile; another Xvfb looking for a free display
# connects and leaves, so the window manager could find no display.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for Xvfb "$work/xvfb.log" test -s "$work/display"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# mutter and KWin want a session bus of their own, which starts the services
# they ask for on this display.
if [ "$desktop" != openbox ]; then
  dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid" \
    >"$work/bus.log" 2>&1
  bus=$(cat "$work/bus.pid")
  pids+=("$bus")
  DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus")
  export DBUS_SESSION_BUS_ADDRESS
fi

# KWin fades a title bar from inactive to active and back: a title bar
# caught halfway would pass for one redrawn with a new title. Its settings of
# its own, without animations (and none of the user's).
if [[ $desktop == kwin* ]]; then
  export XDG_CONFIG_HOME=$work/config
  mkdir "$XDG_CONFIG_HOME"
  printf '[KDE]\nAnimationDurationFactor=0\n' >"$XDG_CONFIG_HOME/kdeglobals"
  printf '[Common]\nAnimationsEnabled=false\n' >"$XDG_CONFIG_HOME/breezerc"
fi

# A window manager is managing the screen once it has named itself on the
# root window.
managing() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
case $desktop in
  openbox)
    openbox --sm-disable >"$work/wm.log" 2>&1 &
    pids+=($!)
    wait_for openbox "$work/wm.log" managing
    platform=xcb ;;
  mutter)
    mutter --x11 --replace >"$work/wm.log" 2>&1 &
    pids+=($!)
    wait_for mutter "$work/wm.log" managing
    platform=xcb ;;
  kwin)
    kwin_x11 --replace >"$work/wm.log" 2>&1 &
    pids+=($!)
    wait_for KWin "$work/wm.log" managing
    platform=xcb ;;
  mutter-wayland)
    # Without Xwayland, which would outlive mutter for a while.
    mutter --nested --no-x11 --wayland-display=plodway-test >"$work/wm.log" 2>&1 &
    pids+=($!)
    wait_for mutter "$work/wm.log" test -S "$XDG_RUNTIME_DIR/plodway-test"
    corner=(780 580)  # of its 800 by 600 window
    platform=wayland ;;
  mutter-xwayland)
    mutter --nested --wayland-display=plodway-test >"$work/wm.log" 2>&1 &
    pids+=($!)
    wait_for mutter "$work/wm.log" grep -q "Using public X11 display" "$work/wm.log"
    corner=(780 580)
    platform=xwayland ;;
  kwin-wayland)
    # kwin_wayland carries a file capability, which a sandbox may refuse to
    # grant; a copy carries none.
    cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
    "$work/kwin_wayland" --x11-display "$DISPLAY" --socket plodway-test --width 1024 --height 768 \
      >"$work/wm.log" 2>&1 &
    pids+=($!)
    wait_for KWin "$work/wm.log" test -S "$XDG_RUNTIME_DIR/plodway-test"
    corner=(1000 740)
    platform=wayland ;;
esac
if [ "$platform" != xcb ]; then
  export WAYLAND_DISPLAY=plodway-test
  # The compositor's window takes the keys while the pointer is over it; in
  # its far corner the pointer stays off the game's windows.
  xdotool mousemove "${corner[@]}"
fi
if [ "$platform" = xwayland ]; then
  export PLODWAY_TEST_OUTER_DISPLAY=$DISPLAY
  export DISPLAY XAUTHORITY
  DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$work/wm.log")
  XAUTHORITY=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name '.mutter-Xwaylandauth.*' | head -n1)
  # mutter starts Xwayland when the first client comes, then manages it;
  # Xwayland would outlive it a while.
  wait_for mutter "$work/wm.log" managing
  mapfile -t xwayland < <(pgrep -f -- "Xwayland $DISPLAY .*-auth $XDG_RUNTIME_DIR/" || true)
  pids+=("${xwayland[@]}")
  platform=xcb
fi

# Qt's platforms look for the session bus, and libdbus keeps a buffer from
# that for the life of the process: not ours for LeakSanitizer to report.
printf 'leak:libdbus-1.so\n' >"$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# Qt 6.8 asks the desktop portal for its settings as it starts; with no
# session bus to ask (openbox here) the request's watcher is never freed,
# 344 bytes that LeakSanitizer would lay at any Qt program's door. Where
# there is no bus, Qt is told there is no portal either.
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || export QT_NO_XDG_DESKTOP_PORTAL=1

# In the background, so that a SIGTERM is answered while the test runs.
QT_QPA_PLATFORM=$platform PLODWAY_TEST_DESKTOP=$desktop "$@" &
pids+=($!)
wait $!
