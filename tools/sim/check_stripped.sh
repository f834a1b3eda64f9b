#!/usr/bin/env bash
# A copy of zorbex-sim stripped of every symbol verifies each golden replay with its
# recorded hashes, and its actor trace names every live actor's slots plainly.
# usage: check_stripped.sh SIM GOLDEN_DIR WORK
set -euo pipefail
sim=$(realpath "$1")
golden=$(realpath "$2")
work=$3
fail() { echo "check_stripped: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"
cp "$sim" "$work/zorbex-sim"
strip --strip-all "$work/zorbex-sim"
if readelf -S "$work/zorbex-sim" | grep -q '\.symtab'; then fail "strip left a symbol table"; fi
ln -s "$(dirname "$sim")/data" "$work/data"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=none
cd "$work"
count=0
for replay in "$golden"/*.replay; do
    ./zorbex-sim --verify "$replay" --no-draw --quiet > /dev/null || fail "$(basename "$replay") does not verify"
    count=$((count + 1))
done
./zorbex-sim --stage 8 --autopilot --invincible --frames 2400 --no-draw --quiet --trace-actors trace.jsonl > /dev/null
grep -q '"update":"ShipUpdate","draw":"DrawShip"' trace.jsonl || fail "the trace does not name the ship's slots"
if grep -q '"update":null\|"draw":null' trace.jsonl; then fail "the trace has an unnamed slot"; fi
echo "a stripped zorbex-sim verifies $count golden replays and names every slot in its trace"
