#!/bin/bash
# SPDX-License-Identifier: MIT
# type_key.sh WINDOW KEY: types KEY with xdotool once the X server's keyboard
# focus is on WINDOW (an X window id), as a player types only into a window
# the desktop has given the keyboard. Wine counts a window active as soon as
# it asks for the focus; the window manager gives it a moment later.
for _ in $(seq 100); do
  [ "$(xdotool getwindowfocus)" = "$1" ] && exec xdotool key "$2"
  sleep 0.05
done
echo "type_key.sh: the keyboard focus stayed on X window $(xdotool getwindowfocus), not $1: $2 not typed" >&2
exit 1
