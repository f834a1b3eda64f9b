#!/usr/bin/env bash
# The game in a real window on a virtual X display (xvfb-run, xdotool): Escape in play opens
# the pause menu and the program lives on; QUIT TO TITLE keeps the run as last.replay; QUIT
# on the title ends the program with status 0.
# usage: check_window_menus.sh GAME WORK
set -euo pipefail
game=$(realpath "$1")
work=$2

# a key held for a fifth of a second, as a player presses it: a bare tap can fall between
# two frames of a busy machine (and less than the menus' repeat delay, 18 frames). Without a
# window manager the keys go to the window under the pointer.
press() {
    xdotool mousemove --window "$window" 200 200 keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
    sleep 0.25
}
alive() { kill -0 "$pid" 2>/dev/null; }

if [[ ${3:-} == --in-display ]]; then
    cd "$work"
    export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
    SDL_AUDIODRIVER=dummy timeout 60 "$game" > "$work/out.txt" 2> "$work/err.txt" &
    pid=$!
    window=$(timeout 30 xdotool search --sync --name "Zorbex" | head -n 1)
    sleep 1
    press z                 # START: stage 1 after the start sound
    sleep 3
    press Escape            # the pause menu
    sleep 1
    alive || { echo "Escape in play ended the game"; exit 1; }
    echo paused-and-alive > "$work/state"
    for _ in 1 2 3; do press Down; done
    press z                 # QUIT TO TITLE
    sleep 1
    alive || { echo "QUIT TO TITLE ended the game"; exit 1; }
    for _ in 1 2 3 4 5; do press Down; done
    press z                 # QUIT
    status=0
    wait "$pid" || status=$?
    echo "$status" > "$work/status"
    exit 0
fi

fail() { echo "check_window_menus: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"
xvfb-run -a bash "$0" "$game" "$work" --in-display || fail "$(cat "$work/err.txt" 2>/dev/null)"
[[ $(cat "$work/state" 2>/dev/null) == paused-and-alive ]] || fail "no pause: $(cat "$work/err.txt")"
[[ $(cat "$work/status") == 0 ]] || fail "QUIT on the title: status $(cat "$work/status"), $(cat "$work/err.txt")"
[[ -s $work/replays/last.replay ]] || fail "QUIT TO TITLE kept no last.replay"
grep -q "^zorbex-replay 4$" "$work/replays/last.replay" || fail "last.replay: $(head -1 "$work/replays/last.replay")"
[[ ! -e $work/zorbexG.dat ]] || fail "the run ended from the pause menu was entered in the table"
echo "Escape pauses the game in a window, QUIT TO TITLE keeps the run, QUIT ends it with status 0"
