#!/bin/bash
# SPDX-License-Identifier: MIT
# run-from-tree.sh BUILD_DIR [ARGS...]: runs BUILD_DIR/plodway with ARGS, as
# scripts/play.sh does, and exits as the game did.
# A Wayland compositor names a window and finds its icon by the desktop
# entry called after its app id, which it looks for in its own data
# directories, never in the game's environment. So under Wayland, while the
# game runs, a user-level entry stands in for the installed one, pointing
# at this build, and goes again when the last game from a tree ends: a
# user-level entry hides the system's, which is back once it is gone. X11
# takes the icon and name from the window, so there nothing is written.
set -uo pipefail
tree=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd) || exit 1
shift
app_id=io.github.plodway.Plodway
marker=X-Plodway-From-Tree=true
data=${XDG_DATA_HOME:-}
[[ $data == /* ]] || data=${HOME:-}/.local/share
apps=$data/applications
entry=$apps/$app_id.desktop
ours() { grep -qsx "$marker" "$entry"; }

# Written whole beside it, then moved in: the desktop never reads half of it.
write_entry() {
  local exec_arg=$build/plodway icon tmp c
  # Quoted as the Exec key wants an argument, then escaped as any string.
  for c in \\ \" \` \$; do exec_arg=${exec_arg//"$c"/\\$c}; done
  exec_arg=${exec_arg//%/%%}
  # The largest icon, by absolute path: no icon theme cache to refresh.
  icon=$(printf '%s\n' "$build"/icons/hicolor/*/apps/$app_id.png | sort -V | tail -n1)
  tmp=$(mktemp "$apps/.$app_id.XXXXXX") || return
  if EXEC="\"${exec_arg//\\/\\\\}\"" ICON=${icon//\\/\\\\} MARKER=$marker awk '
      /^\[/ { main = $0 == "[Desktop Entry]" }
      main && /^(Exec|Icon|TryExec|NoDisplay)=/ {
        if ($0 ~ /^Exec=/) print "Exec=" ENVIRON["EXEC"]
        if ($0 ~ /^Icon=/) print "Icon=" ENVIRON["ICON"]
        next
      }
      { print }
      $0 == "[Desktop Entry]" { print ENVIRON["MARKER"]; print "NoDisplay=true" }
    ' "$tree/data/$app_id.desktop" >"$tmp" && chmod 644 "$tmp" && mv -f "$tmp" "$entry"; then
    return 0
  fi
  rm -f "$tmp"
  return 1
}

# Every run, and its game, holds a shared lock on the directory while the
# game runs; the run that ends and then gets it alone removes the entry. An
# entry left by a run that crashed has no holder and is written over.
lock=''
if [ -n "${WAYLAND_DISPLAY:-}" ] && [[ $build != *$'\n'* ]]; then
  if mkdir -p "$apps" && exec {lock}<"$apps" && flock -s -w 5 "$lock"; then
    if [ -e "$entry" ] && ! ours; then
      echo "$entry is not this tree's: leaving it as it is, so the desktop may not show the game's own icon and name" >&2
    elif ! write_entry; then
      echo "Could not write $entry: the desktop may not show the game's icon and name" >&2
    fi
  else
    echo "Could not lock $apps: no desktop entry for the game from the tree" >&2
    [ -z "$lock" ] || exec {lock}<&-
    lock=''
  fi
fi

# The game runs in the background so that signals sent to this script reach
# it; a background job starts with SIGINT and SIGQUIT ignored, so the game
# gets them back.
game='' caught='' signals=0
# shellcheck disable=SC2317  # called from the traps
forward() {
  caught=$1
  signals=$((signals + 1))
  [ -z "$game" ] || kill -s "$1" "$game" 2>/dev/null
}
trap 'forward HUP' HUP
trap 'forward INT' INT
trap 'forward QUIT' QUIT
trap 'forward TERM' TERM
(trap - INT QUIT; exec "$build/plodway" "$@") &
game=$!
[ -z "$caught" ] || kill -s "$caught" "$game" 2>/dev/null
# A trapped signal ends the wait early; the game's own status comes after.
while :; do
  seen=$signals
  wait "$game"
  status=$?
  [ "$signals" != "$seen" ] || break
done
# Bash 5.2 can lose the status of a game that ends as a signal is passed
# on, and then says -1: that signal ended it.
if [ "$status" -lt 0 ] && [ -n "$caught" ]; then status=$((128 + $(kill -l "$caught"))); fi

if [ -n "$lock" ]; then
  flock -u "$lock"
  if flock -xn "$lock" && ours; then rm -f "$entry"; fi
fi
# Ended by a signal passed on: end the same way, for whoever started us.
if [ -n "$caught" ] && [ "$status" -gt 128 ]; then
  trap - "$caught"
  kill -s "$caught" $$
fi
exit "$status"
