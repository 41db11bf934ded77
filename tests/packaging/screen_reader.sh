#!/bin/bash
# SPDX-License-Identifier: MIT
# Plays the game as a blind player does, with the Orca screen reader, and
# checks what Orca says: that the level list names the current item and
# whether it is selected, that a run-over turtle is spoken, and the rest of
# one play of level 1 up to the win.
#
#   screen_reader.sh GAME                 the check
#   screen_reader.sh GAME --transcript MD also writes what Orca said into MD,
#                                         between its transcript markers
#
# Run it under `with_window_manager.sh openbox`, which gives it an X server
# and a window manager of its own. It adds a D-Bus session with the
# accessibility bus, and Orca with a configuration of its own in a temporary
# directory: no speech server, sound or braille, so Orca only logs what it
# would say (its "SPEECH OUTPUT:" debug lines). Nothing of the user's session
# or home is used, and Orca speaks English whatever the locale. Skipped (exit
# 77) when one of the programs is missing (scripts/deps.sh installs them), or
# when the user runs Orca already: Orca runs once per user.
set -euo pipefail
game=$1
transcript=${3:-}
[ "${2:-}" != --transcript ] || [ -n "$transcript" ] || { echo "usage: $0 GAME [--transcript MD]" >&2; exit 2; }

if [ -z "${PLODWAY_ORCA_HOME:-}" ]; then
  for program in orca dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
    if ! command -v "$program" >/dev/null; then
      echo "SKIPPED: $program is not installed (scripts/deps.sh installs it)"
      exit 77
    fi
  done
  home=$(mktemp -d)
  trap 'rm -rf "$home"' EXIT
  mkdir -m 700 "$home/runtime"
  # The session bus starts the accessibility bus with this environment: all
  # of it inside the temporary home, settings in memory only.
  env -u LANGUAGE LC_ALL=C.UTF-8 HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" GSETTINGS_BACKEND=memory \
    PLODWAY_ORCA_HOME="$home" dbus-run-session -- bash "$0" "$@"
  exit
fi

work=$PLODWAY_ORCA_HOME
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap stop EXIT

# Orca's settings: no speech server (none is started or found here), no
# sound, no braille display. Everything else is as Orca ships it.
mkdir -p "$work/orca"
cat >"$work/orca/user-settings.conf" <<'EOF'
{
  "general": {"enableSound": false, "enableBraille": false},
  "profiles": {"default": {"profile": ["Default", "default"]}},
  "pronunciations": {},
  "keybindings": {}
}
EOF
# Orca writes its debug log in blocks; each line as it comes lets the play
# wait for what Orca has just said.
cat >"$work/orca/orca-customizations.py" <<'EOF'
import orca.debug
if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
EOF
export SPEECHD_ADDRESS="unix_socket:$work/no-speech-server" SPEECHD_CMD=/bin/false
log=$work/orca.log

# What Orca has said, one utterance a line: each log line has the text in
# quotes, then the voice.
speech() { perl -ne 'print "$1\n" if /SPEECH OUTPUT: \x27(.*?) *\x27(?: voice=\w+)? ?\{/' "$log" 2>/dev/null; }
# Which Orca on which release: their wording differs.
where() { echo "Orca $(orca --version 2>/dev/null | grep -o '[0-9][0-9.]*' | head -n 1) on $(. /etc/os-release && echo "$PRETTY_NAME")"; }
fail() {
  echo "FAIL ($(where)): $*"
  echo "--- Orca said:"; speech
  echo "--- Orca:"; cat "$work/orca.out"
  echo "--- game:"; cat "$work/game.out" 2>/dev/null || true
  exit 1
}

# The play, step by step: what the player does, and from which utterance on
# Orca answers it.
steps=()
starts=()
step() {
  steps+=("$1")
  starts+=("$(speech | wc -l)")
  shift
  [ $# -eq 0 ] || xdotool key --clearmodifiers --delay 0 "$@"
}
orca_ended() {
  if grep -q "Another screen reader process is already running" "$work/orca.out"; then
    echo "SKIPPED: Orca runs already for this user, and runs only once"
    exit 77
  fi
  fail "Orca ended during: ${steps[-1]}"
}
heard=0  # utterances an earlier check has gone past
# Waits until Orca has said each phrase, in this order, since the last check,
# in one utterance or across several (Orca 48 says an image's name and
# description at once, Orca 43 one after the other): a part of an utterance,
# with a leading "=" the whole of one, or with a leading "~" a part that
# matches an extended regular expression.
hears() {
  for _ in $(seq 300); do
    if speech | tail -n +"$((heard + 1))" | awk -v n="$#" '
        BEGIN { for (i = 1; i < ARGC; i++) want[i] = ARGV[i]; ARGC = 1; found = 1 }
        # Where in text, the utterance or what is left of it, the phrase ends (past its end), or 0.
        function said(phrase, text,   at) {
          if (phrase ~ /^=/) return text == $0 && (text == substr(phrase, 2) || text == substr(phrase, 2) ".") ? length(text) + 1 : 0
          if (phrase ~ /^~/) return match(text, substr(phrase, 2)) ? RSTART + RLENGTH : 0
          at = index(text, phrase)
          return at ? at + length(phrase) : 0
        }
        { rest = $0; while (found <= n && (end = said(want[found], rest))) { rest = substr(rest, end); found++ } }
        found > n { print NR; exit }' "$@" >"$work/match" && [ -s "$work/match" ]; then
      heard=$((heard + $(cat "$work/match")))
      return 0
    fi
    kill -0 "${pids[0]}" 2>/dev/null || orca_ended
    sleep 0.1
  done
  fail "${steps[-1]}: Orca did not say: $*"
}
# Waits until Orca has said one of the phrases since the last check, and
# prints it.
hears_one_of() {
  local said
  for _ in $(seq 300); do
    said=$(speech | tail -n +"$((heard + 1))" | grep -o -m1 -F "${@/#/-e}" || true)
    [ -z "$said" ] || { echo "$said"; return 0; }
    sleep 0.1
  done
  fail "${steps[-1]}: Orca said none of: $*"
}

# A button named NAME: Orca 43 (Debian 12) calls the role "push button",
# Orca 48 (Debian 13) "button". The name and the role are what matter.
button() { echo "~$1 (push )?button"; }

step "Orca starts"
orca --user-prefs "$work/orca" --debug-file "$log" >"$work/orca.out" 2>&1 &
pids+=($!)
hears "Screen reader on."
# Orca has turned the accessibility bus on (IsEnabled), as it does in a
# desktop session, so Qt makes the game accessible without being told to.
step "The game starts"
"$game" >"$work/game.out" 2>&1 &
pids+=($!)
hears "Plodway frame" "$(button "Go Play!")"
step "Tab" Tab
hears "Plodway image" "Title picture"
step "Tab" Tab
hears "Levels" "Level 1: Country Highway, not selected"
step "Space" space
hears "=selected"
step "Down" Down
hears "Level 2: The Big City, selected"
step "Up" Up
hears "Level 1: Country Highway, selected"
step "Enter" Return
hears "Level 1: Country Highway dialog" "Play field" "Arrow keys move the turtle"
# One step up the turtle stands in the lowest lane, where the next
# semi-trailer runs it over.
step "Left, Up; the turtle waits in the lowest lane" Left Up
hears "$(button Restart)" "Run over. Press Enter to restart."
step "Enter" Return
hears "Play field" "Arrow keys move the turtle"
step "P" p
hears "Paused" "$(button OK)"
step "Enter" Return
hears "Play field"
# Fourteen steps up cross the road. Pressed at once, they take the turtle
# over each lane between two moves of the traffic, so a vehicle is in the
# way only if it already covers the turtle's column: about half the time in
# one of the five lanes. Then the turtle is brought back and tries again.
for tries in $(seq 20); do
  step "Up fourteen times" Up Up Up Up Up Up Up Up Up Up Up Up Up Up
  outcome=$(hears_one_of "Winner!" "Run over. Press Enter to restart.")
  [ "$outcome" != "Winner!" ] || break
  hears "Run over. Press Enter to restart."
  step "Enter" Return
  hears "Play field"
done
hears "Winner!" "$(button OK)"
step "Enter" Return
hears "Level 2: The Big City dialog" "Play field"

if [ -n "$transcript" ]; then
  starts+=("$(speech | wc -l)")
  {
    echo "| The player | Orca says |"
    echo "|---|---|"
    for i in "${!steps[@]}"; do
      said=$(speech | sed -n "$((starts[i] + 1)),${starts[i + 1]}p" | sed 's/|/\\|/g' | paste -sd '\t' | sed 's/\t/ · /g')
      echo "| ${steps[$i]} | $said |"
    done
  } >"$work/transcript.md"
  # Replaces what lies between the markers, keeping the text around them.
  awk -v table="$work/transcript.md" '
    /<!-- transcript end -->/ { while ((getline line < table) > 0) print line; skip = 0 }
    !skip { print }
    /<!-- transcript begin -->/ { skip = 1 }' "$transcript" >"$work/doc.md"
  cp "$work/doc.md" "$transcript"
fi
echo "$(where) said what was expected in each of the ${#steps[@]} steps; the turtle crossed at try $tries"
