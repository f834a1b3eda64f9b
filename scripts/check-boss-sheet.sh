#!/usr/bin/env bash
# The boss sheet on one boss: the tool finds boss 0's fight, saves a frame of it and lays
# out a page whose one cell shows the boss's body, pixel for pixel at 2x, in full colour
# and in the small 256-colour copy.
# usage: scripts/check-boss-sheet.sh path/to/zorbex-sim WORK_DIR
set -euo pipefail
sim=$1
work=$2
rm -rf "$work"
/usr/bin/python3 "$(dirname "$0")/boss-sheet.py" "$sim" "$work" --only boss0 --jobs 1
/usr/bin/python3 - "$work" "$(dirname "$sim")/data/ImgEnemy200.png" <<'PY'
import json
import sys
from PIL import Image

work, picture = sys.argv[1], sys.argv[2]
page = Image.open(f"{work}/boss-sheet-rgb.png").convert("RGB")
small = Image.open(f"{work}/boss-sheet.png")
(cell,) = json.load(open(f"{work}/boss-sheet.json"))
# one 400 x 300 cell at 2x under its label, with the gaps round it
assert page.size == (8 + 800 + 8, 8 + 44 + 600 + 8), page.size
assert small.mode == "P" and small.size == page.size, (small.mode, small.size)
assert cell["crop"][2] - cell["crop"][0] == 400 and cell["scale"] == 2, cell
# the body's picture, pixel for pixel where the trace put it (its normal or its hit-flash
# look; shots and the ship may cover some of it)
bx, by, bw, bh = cell["body"]
sheet = Image.open(picture).convert("RGB")
looks = [sheet.crop((0, 0, bw, bh)).load(), sheet.crop((0, bh, bw, 2 * bh)).load()]
px = page.load()
left, top = cell["crop"][0], cell["crop"][1]
(ox, oy), s = cell["page"], cell["scale"]
opaque = matched = 0
for y in range(bh):
    for x in range(bw):
        if looks[0][x, y] == (0, 255, 0):
            continue
        sx, sy = bx + x - left, by + y - top
        if not (0 <= sx < 400 and 0 <= sy < 300):
            continue
        opaque += 1
        shown = px[ox + sx * s, oy + sy * s]
        matched += shown in (looks[0][x, y], looks[1][x, y]) and shown == px[ox + sx * s + 1, oy + sy * s + 1]
assert opaque > bw * bh // 2 and matched > opaque * 0.6, f"{matched} of {opaque} pixels of the boss in its cell"
print(f"boss sheet: {page.size[0]} x {page.size[1]}, {matched} of {opaque} pixels of the boss shown")
PY
