#!/usr/bin/env bash
# --seek: a run played whole and sought back to a frame in each of its stages shows that
# frame as straight play to it does: the same state hash, the same pixels; a seek past
# the run's end stops at its last frame.
# usage: check_seek.sh SIM REPLAY WORK
set -euo pipefail
sim=$1
replay=$2
work=$3
fail() { echo "check_seek: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"

# where each stage of the run begins, from the summary's stages
"$sim" --verify "$replay" --no-draw --quiet > "$work/verify.json"
frames=$(/usr/bin/python3 -c '
import json, sys
s = json.loads(open(sys.argv[1]).read().splitlines()[-1])
start = s["frames"] - sum(t["frames"] for t in s["stages"])
picks = []
for t in s["stages"]:
    picks.append(start + t["frames"] * 2 // 3)  # two thirds in: mid-fight or at the boss
    start += t["frames"]
print(" ".join(map(str, picks)))' "$work/verify.json")
[[ $(wc -w <<< "$frames") -ge 7 ]] || fail "fewer than seven stages in $replay: $frames"

hash_of() { tail -n 1 "$1" | sed -n 's/.*"hash":"\([0-9a-f]*\)".*/\1/p'; }
for frame in $frames; do
    "$sim" --input "$replay" --frames "$frame" --no-draw --quiet > "$work/straight$frame.json"
    "$sim" --input "$replay" --seek "$frame" --no-draw --shots "$work/seek$frame" --quiet > "$work/seek$frame.json"
    straight=$(hash_of "$work/straight$frame.json")
    sought=$(hash_of "$work/seek$frame.json")
    [[ -n $straight && $straight == "$sought" ]] || fail "frame $frame: hash $sought after the seek, $straight straight"
    grep -q "\"seek\":$frame,\"seekMillis\":" "$work/seek$frame.json" || fail "frame $frame: $(cat "$work/seek$frame.json")"
    # the pixels of straight play: every frame drawn up to this one
    "$sim" --input "$replay" --frames "$frame" --shots "$work/straight$frame" --every 1000000 --quiet > /dev/null
    name=$(printf 'frame%06d.png' "$frame")
    cmp -s "$work/straight$frame/$name" "$work/seek$frame/$name" ||
        fail "frame $frame: the picture after the seek differs from straight play's"
    echo "frame $frame: $sought, seek $(sed -n 's/.*"seekMillis":\([0-9.]*\).*/\1/p' "$work/seek$frame.json") ms"
done

# a seek past the end shows the last frame
last=$(grep -m1 '^frames ' "$replay" | cut -d' ' -f2)
"$sim" --input "$replay" --seek $((last + 500)) --no-draw --quiet > "$work/past.json"
grep -q "\"seek\":$last," "$work/past.json" || fail "past the end: $(cat "$work/past.json")"
[[ $(hash_of "$work/past.json") == $(hash_of "$work/verify.json") ]] || fail "past the end: not the last frame's hash"
