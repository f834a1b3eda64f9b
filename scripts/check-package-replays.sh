#!/usr/bin/env bash
# Replays verify across builds: the packaged (stripped) zorbex-sim verifies every golden
# replay and names every slot in its actor trace; a replay recorded by the packaged sim verifies with the build folder's sim and
# the other way round; and a run played in the packaged game's own window, on a virtual
# X display with xdotool, verifies with the packaged sim.
# usage: scripts/check-package-replays.sh UNPACKED_ROOT BUILD_SIM SCRATCH
set -euo pipefail
root=$(realpath "$1")
build_sim=$(realpath "$2")
scratch=$(realpath "$3")
top=$(realpath "$(dirname "$0")/..")
fail() { echo "check-package-replays: $*" >&2; exit 1; }
packaged_sim=$root/usr/games/zorbex-sim
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
mkdir -p "$scratch/replays"
cd "$scratch"

if readelf -S "$packaged_sim" | grep -q '\.symtab'; then fail "the packaged zorbex-sim is not stripped"; fi
for replay in "$top"/tests/golden/*.replay; do
    "$packaged_sim" --verify "$replay" --no-draw --quiet > /dev/null ||
        fail "the packaged zorbex-sim does not verify $(basename "$replay")"
done

# the actor trace names every live actor's slots plainly, with no symbol table to read
"$packaged_sim" --stage 8 --autopilot --invincible --frames 2400 --no-draw --quiet --trace-actors trace.jsonl > /dev/null
grep -q '"update":"ShipUpdate","draw":"DrawShip"' trace.jsonl || fail "the packaged trace does not name the ship's slots"
if grep -q '"update":null\|"draw":null' trace.jsonl; then fail "the packaged trace has an unnamed slot"; fi

"$packaged_sim" --stage 2 --autopilot --frames 1500 --record "$scratch/replays/packaged.replay" --quiet > /dev/null
"$build_sim" --verify "$scratch/replays/packaged.replay" --quiet > /dev/null ||
    fail "a replay recorded by the packaged sim does not verify in the build folder"
"$build_sim" --stage 3 --autopilot --frames 1500 --record "$scratch/replays/built.replay" --quiet > /dev/null
"$packaged_sim" --verify "$scratch/replays/built.replay" --quiet > /dev/null ||
    fail "a replay recorded in the build folder does not verify with the packaged sim"

# the packaged game in a window: fire taps start a run and, once the idle ship has lost
# its lives, give it up at the game-over prompt, which writes replays/last.replay
if [[ ${4:-} == --in-display ]]; then
    unset SDL_VIDEODRIVER
    "$root/usr/games/zorbex" 2> "$scratch/game.txt" &
    pid=$!
    window=$(timeout 30 xdotool search --sync --name "Zorbex" | head -n 1)
    last=$XDG_DATA_HOME/zorbex/replays/last.replay
    for _ in $(seq 1 240); do
        [[ -f $last ]] && break
        kill -0 "$pid" 2>/dev/null || break
        xdotool mousemove --window "$window" 100 100 keydown z sleep 0.1 keyup z sleep 0.15 || true
    done
    # Escape is read at a frame's start: held a few frames, and pressed again until the
    # game has seen it (a bare tap can fall between two frames)
    for _ in $(seq 1 60); do
        sleep 0.5
        kill -0 "$pid" 2>/dev/null || break
        xdotool mousemove --window "$window" 100 100 keydown Escape sleep 0.1 keyup Escape || true
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        fail "the packaged game did not quit on Escape"
    fi
    wait "$pid" || true
    [[ -f $last ]] || fail "the packaged game wrote no replay: $(cat "$scratch/game.txt")"
    exit 0
fi
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data
mkdir -p "$HOME"
"$root/usr/games/zorbex-setup" --window > /dev/null
xvfb-run -a bash "$0" "$root" "$build_sim" "$scratch" --in-display
"$packaged_sim" --verify "$XDG_DATA_HOME/zorbex/replays/last.replay" --no-draw --quiet > "$scratch/game-run.json" ||
    fail "the packaged game's own replay does not verify with the packaged sim"
echo "check-package-replays: the packaged sim verifies $(ls "$top"/tests/golden/*.replay | wc -l) golden replays," \
     "replays cross between the package and the build folder, and the packaged game's own run verifies" \
     "($(grep -o '"frames":[0-9]*' "$scratch/game-run.json" | head -n 1))"
