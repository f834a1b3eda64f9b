#!/usr/bin/env bash
# --watch: under SDL's dummy drivers a short replay plays to its end on the real clock with
# its recorded hashes holding and ends with the summary line --verify gives; a replay this
# build plays otherwise exits 1; on a virtual X display (xvfb-run and xdotool) Escape on
# the window stops it.
# usage: check_watch.sh SIM WORK
set -euo pipefail
sim=$1
work=$2

# the Escape part, run inside xvfb-run: stops a long replay once its window shows
if [[ ${3:-} == --escape ]]; then
    # the X display's own libraries (D-Bus) keep a few blocks to the end: not the game's leaks
    export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
    SDL_AUDIODRIVER=dummy timeout 40 "$sim" --watch "$work/long.replay" > "$work/escape.json" 2> "$work/escape.txt" &
    pid=$!
    window=$(timeout 30 xdotool search --sync --name "Zorbex replay" | head -n 1)
    # without a window manager the keyboard goes to the window under the pointer; the
    # key is pressed again until the run has seen it
    for _ in $(seq 1 60); do
        sleep 0.5
        kill -0 "$pid" 2>/dev/null || break
        xdotool mousemove --window "$window" 100 100 key Escape || true
    done
    wait "$pid"
    exit
fi

fail() { echo "check_watch: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
"$sim" --stage 1 --autopilot --frames 90 --record "$work/short.replay" --no-draw --quiet > /dev/null

start=$(date +%s%N)
"$sim" --watch "$work/short.replay" > "$work/short.json" 2> "$work/short.txt" ||
    fail "status $? for a whole replay: $(cat "$work/short.txt")"
millis=$(( ($(date +%s%N) - start) / 1000000 ))
grep -q "played to its end after 90 of 90 frames" "$work/short.txt" || fail "$(cat "$work/short.txt")"
# 90 frames of 16 ms on the real clock, not as fast as the machine goes
(( millis >= 1400 )) || fail "90 frames took only $millis ms"
# the same summary line as --verify gives for the replay, all but the speed
"$sim" --verify "$work/short.replay" --quiet > "$work/verify.json"
no_fps() { tail -n 1 "$1" | sed 's/"fps":[0-9.]*,//'; }
[[ "$(no_fps "$work/short.json")" == "$(no_fps "$work/verify.json")" ]] ||
    fail "summary: $(tail -n 1 "$work/short.json") against --verify's $(tail -n 1 "$work/verify.json")"
grep -q '"frames":90,.*"stagesPlayed":\[1\],.*"stages":\[{"stage":1,"frames":90,' "$work/short.json" ||
    fail "summary: $(cat "$work/short.json")"

sed 's/^60 [0-9a-f]*$/60 0123456789abcdef/' "$work/short.replay" > "$work/changed.replay"
status=0
"$sim" --watch "$work/changed.replay" 2> "$work/changed.txt" || status=$?
[[ $status -eq 1 ]] && grep -q "state differs at frame 60" "$work/changed.txt" ||
    fail "a changed hash: status $status, $(cat "$work/changed.txt")"

echo "zorbex-replay 9" > "$work/newer.replay"
status=0
"$sim" --watch "$work/newer.replay" 2> "$work/newer.txt" || status=$?
[[ $status -eq 2 ]] && grep -q "version 9 is not supported" "$work/newer.txt" || fail "$(cat "$work/newer.txt")"

unset SDL_VIDEODRIVER
"$sim" --stage 1 --autopilot --frames 3000 --record "$work/long.replay" --no-draw --quiet > /dev/null
xvfb-run -a bash "$0" "$sim" "$work" --escape || fail "Escape: status $?, $(cat "$work/escape.txt")"
grep -q "stopped after [0-9]* of 3000 frames" "$work/escape.txt" || fail "Escape: $(cat "$work/escape.txt")"
# a stopped run still ends with its summary, of the frames it ran
stopped=$(grep -o "stopped after [0-9]*" "$work/escape.txt" | grep -o "[0-9]*$")
grep -q "^{\"frames\":$stopped,.*}$" "$work/escape.json" || fail "Escape: summary $(cat "$work/escape.json")"
echo "--watch plays to the end on the real clock, checks the hashes and stops on Escape"
