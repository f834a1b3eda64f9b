#!/usr/bin/env bash
# The boss sheet on one boss: the tool finds boss 0's fight, saves a frame of it and lays
# out a page whose one cell shows the boss's own pixels at 2x, in full colour and in the
# small 256-colour copy.
# usage: scripts/check_boss_sheet.sh path/to/zorbex-sim WORK_DIR
set -euo pipefail
sim=$1
work=$2
rm -rf "$work"
/usr/bin/python3 "$(dirname "$0")/boss_sheet.py" "$sim" "$work" --only boss0 --jobs 1
/usr/bin/python3 - "$work" "$(dirname "$sim")/data/ImgEnemy200.png" <<'PY'
import sys
from PIL import Image

work, body_path = sys.argv[1], sys.argv[2]
page = Image.open(f"{work}/boss-sheet-rgb.png").convert("RGB")
small = Image.open(f"{work}/boss-sheet.png")
# one 400 x 300 cell at 2x under its label, with the gaps round it
assert page.size == (8 + 800 + 8, 8 + 44 + 600 + 8), page.size
assert small.mode == "P" and small.size == page.size, (small.mode, small.size)
body = Image.open(body_path).convert("RGB")
cell = body.crop((0, 0, body.width, body.height // 2))
colours = {c for c in cell.getdata() if c != (0, 255, 0)}
opaque = sum(1 for c in cell.getdata() if c != (0, 255, 0))
shown = page.crop((8, 8 + 44, 8 + 800, 8 + 44 + 600))
hits = sum(1 for c in shown.getdata() if c in colours)
# each body pixel is four on the page; shots and the ship may cover some of it
assert hits > opaque * 4 * 0.5, f"only {hits} pixels of the boss's colours in its cell ({opaque * 4} expected)"
print(f"boss sheet: {page.size[0]} x {page.size[1]}, {hits} of {opaque * 4} boss pixels shown")
PY
