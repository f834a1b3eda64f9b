#!/usr/bin/env bash
# Re-records the golden replays. They pin the game's behaviour: run this only when a
# change of behaviour is intended, and say why in the commit.
# usage: scripts/record-golden.sh path/to/zorbex-sim
set -euo pipefail
sim=$(realpath "$1")
golden=$(realpath "$(dirname "$0")/../tests/golden")
cd "$(dirname "$sim")"
record() {
    local file=$1
    shift
    "$sim" "$@" --record "$golden/$file" --quiet >/dev/null
    "$sim" --verify "$golden/$file" --quiet >/dev/null
    echo "recorded $file"
}
# a whole stage-1 run from the title
record stage1.replay --autopilot --invincible --until clear --frames 40000
# one whole run to each ending, from the title to the ranking after it: the k-th of
# these takes the lower successor on the first k route maps, so together they play
# every stage of the game
routes=(UUUUUU DUUUUU DDUUUU DDDUUU DDDDUU DDDDDU DDDDDD)
for k in 0 1 2 3 4 5 6; do
    record "ending$(( 22 + k )).replay" --route "${routes[k]}" --autopilot --invincible \
        --until ranking --frames 400000
done
# a run that loses its last ship once and continues: the continue ending
record continue.replay --route UDUDUD --autopilot --continues 1 --seed 1 --until ranking --frames 400000
# a run played in the game's window and recorded there (its own seed, the player's
# table, buttons as pressed): played again on its buttons by the game as it is now
"$sim" --input "$golden/game-run.replay" --record "$golden/game-run.replay.new" --quiet >/dev/null
mv "$golden/game-run.replay.new" "$golden/game-run.replay"
"$sim" --verify "$golden/game-run.replay" --quiet >/dev/null
echo "recorded game-run.replay"
