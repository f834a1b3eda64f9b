#!/usr/bin/python3
"""The boss sheet: every boss mid-fight and every ending, from the simulator's own frames.

Plays each boss's stage with the built-in pilot (--invincible --power max), finds in an
actor trace the first frame after the boss's arrival where its body is whole on the
screen and saves that frame; plays the golden replay of each of the seven endings and
saves a frame of the ending with its text in the box; then lays them out on one page,
labelled:

  OUT/boss-sheet-rgb.png  the frames at 2x in full colour, for looking at pixels
  OUT/boss-sheet.png      the same page in 256 colours, small enough to commit (docs/)
  OUT/boss-sheet.json     each cell's label, the part of the screen it shows, its place on
                          the page, and for a boss the box its body was drawn in

usage: scripts/boss-sheet.py path/to/zorbex-sim OUT [--only boss0,ending22,...] [--jobs N]
"""
import argparse
import concurrent.futures
import json
import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

# Each boss: the stage it is fought on, its body's size, and how many frames after its
# arrival to look for it (long enough that its attack is under way).
BOSSES = {
    0: (1, 202, 200, 240), 1: (12, 306, 155, 300), 2: (2, 349, 159, 300), 3: (7, 235, 177, 300),
    4: (4, 292, 104, 420), 5: (11, 228, 8, 420), 6: (16, 220, 230, 300), 7: (5, 172, 151, 300),
    8: (24, 118, 171, 300), 9: (17, 134, 197, 360), 10: (26, 104, 330, 300), 11: (23, 212, 245, 300),
    12: (8, 308, 225, 300), 13: (22, 362, 315, 300), 14: (28, 202, 200, 420), 15: (25, 308, 225, 300),
    16: (27, 32, 32, 420),
}
NAMES = ["descending fortress", "charging carrier", "walking battleship", "roaming gunboat",
         "carrier with a weak point", "rail and escorts", "beam carrier", "bomb thrower", "shell launcher",
         "opening clam", "gun tower", "rising hive", "dashing cruiser", "fading fortress", "armoured fortress",
         "dashing cruiser mk-ii", "grid core"]
# Frames into an ending to show: its text is then half way through the box, under the
# second caption.
ENDING_DELAY = 480
GOLDEN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "golden")
RUN = ["--autopilot", "--invincible", "--power", "max", "--quiet"]
CROP_W, CROP_H = 400, 300  # the part of the screen each boss cell shows
LABEL_H = 22
GAP = 8


def sim(binary, args):
    done = subprocess.run([binary] + args, cwd=os.path.dirname(os.path.abspath(binary)), capture_output=True,
                          text=True)
    if done.returncode not in (0, 1):
        raise RuntimeError(f"zorbex-sim {' '.join(args)} exited {done.returncode}: {done.stderr}")
    return json.loads(done.stdout.strip().splitlines()[-1])


HUD_H = 44  # the heads-up display covers the top of the screen


def on_screen(a):
    return a["x"] >= 0 and a["y"] >= HUD_H and a["x"] + a["w"] <= 640 and a["y"] + a["h"] <= 480


def find_boss_frame(trace_path, w, h, delay):
    """The first frame, `delay` frames after the body of size w x h appears, with the body
    whole on the screen (or as much of it as the screen holds) and no bomb blast over it;
    and the body's box then."""
    arrived, best = None, None
    with open(trace_path) as f:
        for line in f:
            row = json.loads(line)
            body = next((a for a in row["actors"] if a["group"] == 3 and a["w"] == w and a["h"] == h
                         and a["attack"] == 10000), None)
            if body is None:
                continue
            if arrived is None:
                arrived = row["frame"]
            if row["frame"] < arrived + delay or any(a["group"] == 7 for a in row["actors"]):
                continue
            if on_screen(body) or h > 480 - HUD_H:
                return row["frame"], body
            best = best or (row["frame"], body)
    if best is None:
        raise RuntimeError(f"no boss body of {w} x {h} in {trace_path}")
    return best


def capture_boss(binary, index, work):
    stage, w, h, delay = BOSSES[index]
    trace = os.path.join(work, f"boss{index}.jsonl")
    until = "ending" if stage >= 22 else "clear"
    sim(binary, ["--stage", str(stage), "--no-draw", "--until", until, "--frames", "40000",
                 "--trace-actors", trace, "--trace-groups", "3,7"] + RUN)
    frame, body = find_boss_frame(trace, w, h, delay)
    os.remove(trace)
    shots = os.path.join(work, f"boss{index}")
    sim(binary, ["--stage", str(stage), "--frames", str(frame), "--shots", shots, "--every", "2000000000"] + RUN)
    cx, cy = body["x"] + w / 2, body["y"] + h / 2
    left = int(min(max(cx - CROP_W / 2, 0), 640 - CROP_W))
    top = int(min(max(cy - CROP_H / 2, 0), 480 - CROP_H))
    return {"label": f"boss {index}: {NAMES[index]} (stage {stage}, frame {frame})",
            "frame": os.path.join(shots, f"frame{frame:06d}.png"), "crop": (left, top, left + CROP_W, top + CROP_H),
            "body": (int(body["x"]), int(body["y"]), w, h)}


def replay_up_to(replay, frames, out_path):
    """The options of a golden replay and its buttons up to `frames` as a plain input
    file: played with --input, the buttons are all up after that (the recorded run
    taps fire at once in the ending, which would skip its text)."""
    with open(replay) as f:
        lines = f.read().split("\n")
    first_run = next(i for i, line in enumerate(lines) if line.startswith("buttons ")) + 1
    header = dict(line.split(" ", 1) for line in lines[1:first_run])
    options = ["--seed", header["seed"], "--difficulty", header["difficulty"]]
    for word in header.get("options", "").split():
        if word != "invincible":
            raise RuntimeError(f"{replay}: option {word} is not known here")
        options.append("--invincible")
    left, out = frames, []
    for line in lines[first_run:first_run + int(header["buttons"])]:
        count, bits = line.split()
        take = min(int(count), left)
        out.append(f"{take} 0x{bits}")
        left -= take
        if left == 0:
            break
    with open(out_path, "w") as f:
        f.write("\n".join(out) + "\n")
    return options


def capture_ending(binary, stage, work):
    """An ending with its text scrolling through the box, played from the golden replay
    of a whole run to it."""
    replay = os.path.join(GOLDEN, f"ending{stage}.replay")
    options = replay_up_to(replay, 10**9, os.path.join(work, f"ending{stage}.input"))
    reached = sim(binary, ["--input", os.path.join(work, f"ending{stage}.input"), "--no-draw", "--until", "ending",
                           "--frames", "100000", "--quiet"] + options)
    if not reached.get("reached"):
        raise RuntimeError(f"{replay} did not reach its ending")
    held = os.path.join(work, f"ending{stage}-held.input")
    replay_up_to(replay, reached["frames"], held)
    frame = reached["frames"] + ENDING_DELAY
    shots = os.path.join(work, f"ending{stage}")
    done = sim(binary, ["--input", held, "--frames", str(frame), "--shots", shots, "--every", "2000000000",
                        "--quiet"] + options)
    if done["scene"] != 5:
        raise RuntimeError(f"{replay}: the ending was left before frame {frame}")
    return {"label": f"ending after stage {stage} (frame {frame})",
            "frame": os.path.join(shots, f"frame{frame:06d}.png"), "crop": (0, 0, 640, 480)}


def lay_out(cells, scale):
    """Boss cells in rows of six, endings in rows of four, each under its label."""
    font = ImageFont.load_default()
    label_w = CROP_W * 4
    rows, row = [], []
    placed = []
    for cell in cells:
        im = Image.open(cell["frame"]).convert("RGB").crop(cell["crop"])
        im = im.resize((im.width * scale, im.height * scale), Image.NEAREST)
        if row and (len(row) == (6 if im.width < 640 * scale else 4) or row[0][1].width != im.width):
            rows.append(row)
            row = []
        row.append((cell, im))
    if row:
        rows.append(row)
    width = max(sum(im.width + GAP for _, im in r) + GAP for r in rows)
    height = sum(max(im.height for _, im in r) + LABEL_H * scale + GAP for r in rows) + GAP
    page = Image.new("RGB", (width, height), (10, 10, 24))
    y = GAP
    for r in rows:
        x = GAP
        for cell, im in r:
            # the label drawn at 1x and magnified with the frames, so it reads at either scale
            tag = Image.new("RGB", (label_w, LABEL_H), (10, 10, 24))
            ImageDraw.Draw(tag).text((2, 5), cell["label"], fill=(150, 170, 210), font=font)
            tag = tag.resize((label_w * scale, LABEL_H * scale), Image.NEAREST).crop((0, 0, im.width, LABEL_H * scale))
            page.paste(tag, (x, y))
            page.paste(im, (x, y + LABEL_H * scale))
            placed.append(dict(cell, page=(x, y + LABEL_H * scale), scale=scale))
            x += im.width + GAP
        y += max(im.height for _, im in r) + LABEL_H * scale + GAP
    return page, placed


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("sim")
    p.add_argument("out")
    p.add_argument("--only", help="comma-separated entries, e.g. boss0,ending22")
    p.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    a = p.parse_args()
    # the simulator runs in its own folder (beside its data/), so every path is made absolute
    a.sim, a.out = os.path.abspath(a.sim), os.path.abspath(a.out)
    wanted = [f"boss{i}" for i in BOSSES] + [f"ending{s}" for s in range(22, 29)]
    if a.only:
        unknown = set(a.only.split(",")) - set(wanted)
        if unknown:
            p.error(f"unknown entries: {', '.join(sorted(unknown))}")
        wanted = [w for w in wanted if w in a.only.split(",")]
    os.makedirs(a.out, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=a.out) as work:
        jobs = [(capture_boss, int(w[4:])) if w.startswith("boss") else (capture_ending, int(w[6:])) for w in wanted]
        with concurrent.futures.ThreadPoolExecutor(max_workers=a.jobs) as pool:
            cells = list(pool.map(lambda j: j[0](a.sim, j[1], work), jobs))
        page, placed = lay_out(cells, 2)
        # where each frame came from and where it went, for checking the page
        with open(os.path.join(a.out, "boss-sheet.json"), "w") as f:
            json.dump([{k: v for k, v in c.items() if k != "frame"} for c in placed], f, indent=1)
        page.save(os.path.join(a.out, "boss-sheet-rgb.png"))
        # the octree keeps the small saturated lights (cores, shots) that a median cut greys
        small = page.quantize(256, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)
        small.save(os.path.join(a.out, "boss-sheet.png"), optimize=True)
    for name in ("boss-sheet-rgb.png", "boss-sheet.png"):
        path = os.path.join(a.out, name)
        print(f"{path}: {os.path.getsize(path) // 1024} KB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
