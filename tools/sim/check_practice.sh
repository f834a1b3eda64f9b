#!/usr/bin/env bash
# --practice: a stage's boss practised from its warning with no enemy left over, beaten by
# the pilot, recorded with "options practice" and its start and power, verified and
# played again from snapshots; a stage practised from its start; a practice header that
# lies about its power does not verify, and one mixed with other options is refused.
# usage: check_practice.sh SIM WORK
set -euo pipefail
sim=$1
work=$2
fail() { echo "check_practice: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"
cd "$work"

# the first frame of a boss practice: the ship and the warning, nothing else
"$sim" --practice 1 --boss --practice-power 14,11,3,9 --frames 1 --no-draw \
    --trace-actors first.jsonl --quiet > first.json
/usr/bin/python3 - first.jsonl <<'PY' || fail "first frame: $(head -c 600 first.jsonl)"
import json, sys
frame = json.loads(open(sys.argv[1]).readline())
groups = sorted(a["group"] for a in frame["actors"])
assert groups == [0, 6], groups
PY
grep -q '"stagesPlayed":\[1\]' first.json || fail "first frame: $(cat first.json)"

# the pilot beats the boss with the chosen power; the run is recorded and verifies
"$sim" --practice 1 --boss --practice-power 14,11,3,9 --autopilot --until clear --frames 20000 \
    --no-draw --record boss.replay --quiet > boss.json || fail "the pilot did not beat the boss: $(cat boss.json)"
grep -qx 'options practice' boss.replay || fail "header: $(head -n 8 boss.replay)"
grep -qx 'practice 1 boss' boss.replay || fail "header: $(head -n 8 boss.replay)"
grep -qx 'power 14 11 3 9' boss.replay || fail "header: $(head -n 8 boss.replay)"
"$sim" --verify boss.replay --snapshot-check --no-draw --quiet > verify.json ||
    fail "the practice does not verify"
# the boss fight alone: far fewer frames than the stage
frames=$(grep -m1 '^frames ' boss.replay | cut -d' ' -f2)
(( frames < 6000 )) || fail "$frames frames from the warning to the clear"

# the same buttons with other power are another run
sed 's/^power 14 11 3 9$/power 0 0 0 0/' boss.replay > weak.replay
if "$sim" --verify weak.replay --no-draw --quiet > /dev/null 2> weak.txt; then
    fail "a practice with its power changed still verifies"
fi
grep -q "state differs at frame" weak.txt || fail "$(cat weak.txt)"

# a practice is only that
sed 's/^options practice$/options practice invincible/' boss.replay > mixed.replay
if "$sim" --verify mixed.replay --no-draw --quiet > /dev/null 2> mixed.txt; then
    fail "a practice with another option is taken"
fi
grep -q "a practice takes no other option" mixed.txt || fail "$(cat mixed.txt)"

# from a stage's start, as a stage begun directly, with the power given
"$sim" --practice 5 --practice-power 3,2,1,0 --frames 120 --no-draw --record start.replay --quiet > start.json
grep -q '"stagesPlayed":\[5\]' start.json || fail "start: $(cat start.json)"
grep -qx 'practice 5 start' start.replay || fail "header: $(head -n 8 start.replay)"
"$sim" --verify start.replay --no-draw --quiet > /dev/null || fail "a practice from the start does not verify"
echo "practice: boss beaten in $frames frames, recorded and verified"
