#!/usr/bin/python3
"""The route report: how hard each stage is for the autopilot, column by column.

Plays every stage with the built-in pilot over several seeds, once as a real player
would (no extra ships: the run ends at the game-over prompt) and once with
--invincible (deaths are counted, the stage is always finished), and writes
build/routes/report.md and the plot build/routes/difficulty.png.

usage: scripts/route-report.py path/to/zorbex-sim [out-dir] [--seeds N]
"""
import argparse
import concurrent.futures
import json
import os
import statistics
import subprocess
import sys

# Stage n's column of the route map: column c holds c stages (1, 2, ... 7).
COLUMNS = [c for c in range(1, 8) for _ in range(c)]
FRAME_LIMIT = 40000


def run_stage(sim, stage, seed, invincible):
    args = [sim, "--stage", str(stage), "--autopilot", "--no-draw", "--quiet", "--seed", str(seed),
            "--frames", str(FRAME_LIMIT)]
    args += ["--invincible", "--until", "clear"] if invincible else ["--until", "clear"]
    done = subprocess.run(args, cwd=os.path.dirname(sim), capture_output=True, text=True)
    if done.returncode not in (0, 1):
        raise RuntimeError(f"stage {stage} seed {seed}: zorbex-sim exited {done.returncode}: {done.stderr}")
    summary = json.loads(done.stdout.strip().splitlines()[-1])
    summary["cleared"] = done.returncode == 0
    return stage, seed, invincible, summary


def collect(sim, seeds, jobs):
    runs = [(s, seed, inv) for s in range(1, 29) for seed in range(1, seeds + 1) for inv in (False, True)]
    results = {}
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        for stage, seed, inv, summary in pool.map(lambda r: run_stage(sim, *r), runs):
            results[(stage, seed, inv)] = summary
    return results


def stage_rows(results, seeds):
    rows = []
    for stage in range(1, 29):
        real = [results[(stage, s, False)] for s in range(1, seeds + 1)]
        inv = [results[(stage, s, True)] for s in range(1, seeds + 1)]
        rows.append({
            "stage": stage,
            "column": COLUMNS[stage - 1],
            "survived": sum(1 for r in real if r["cleared"]),
            "deaths": statistics.mean(r["deaths"] for r in inv),
            "bombs": statistics.mean(r.get("bombsUsed", 0) for r in inv),
            "frames": statistics.mean(r["frames"] for r in inv),
            "score": statistics.mean(r["score"] for r in real),
            "cleared": sum(1 for r in inv if r["cleared"]),
        })
    return rows


def write_markdown(path, rows, seeds):
    lines = [
        "# Route report",
        "",
        f"The autopilot on every stage, seeds 1 to {seeds}. *Survived*: runs won without extra ships "
        "(the run ends at the game-over prompt otherwise). *Deaths*, *bombs* and *frames* are means over "
        "the runs with `--invincible`, which always play the stage to its end; *score* is the mean of "
        "the runs without it.",
        "",
        "| stage | column | survived | deaths | bombs | frames | score | cleared (invincible) |",
        "|---:|---:|---:|---:|---:|---:|---:|---:|",
    ]
    for r in rows:
        lines.append(f"| {r['stage']} | {r['column']} | {r['survived']}/{seeds} | {r['deaths']:.2f} | "
                     f"{r['bombs']:.2f} | {r['frames']:.0f} | {r['score']:.0f} | {r['cleared']}/{seeds} |")
    lines += ["", "## Per column", "",
              "| column | stages | deaths (min / mean / max) | bombs (mean) | survived |",
              "|---:|---|---|---:|---:|"]
    for c in range(1, 8):
        col = [r for r in rows if r["column"] == c]
        deaths = [r["deaths"] for r in col]
        lines.append(f"| {c} | {', '.join(str(r['stage']) for r in col)} | "
                     f"{min(deaths):.2f} / {statistics.mean(deaths):.2f} / {max(deaths):.2f} | "
                     f"{statistics.mean(r['bombs'] for r in col):.2f} | "
                     f"{sum(r['survived'] for r in col)}/{seeds * len(col)} |")
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def write_plot(path, rows):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    fig, (top, bottom) = plt.subplots(2, 1, figsize=(8, 5.5), sharex=True, dpi=80)
    xs = [r["column"] for r in rows]
    labels = [str(r["stage"]) for r in rows]
    for ax, key, title in ((top, "deaths", "deaths per stage (invincible runs, mean)"),
                           (bottom, "bombs", "bombs used per stage (mean)")):
        ax.scatter(xs, [r[key] for r in rows], color="#3a6fd8", zorder=3)
        for x, y, label in zip(xs, [r[key] for r in rows], labels):
            ax.annotate(label, (x, y), textcoords="offset points", xytext=(5, 2), fontsize=7)
        means = [statistics.mean(r[key] for r in rows if r["column"] == c) for c in range(1, 8)]
        ax.plot(range(1, 8), means, color="#d8733a", label="column mean")
        ax.set_title(title, fontsize=10)
        ax.grid(alpha=0.3)
        ax.legend(fontsize=8, loc="upper left")
    bottom.set_xlabel("column of the route map")
    bottom.set_xticks(range(1, 8))
    fig.tight_layout()
    fig.savefig(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("sim")
    parser.add_argument("out", nargs="?", default="build/routes")
    parser.add_argument("--seeds", type=int, default=4)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    a = parser.parse_args()
    sim = os.path.realpath(a.sim)
    os.makedirs(a.out, exist_ok=True)
    rows = stage_rows(collect(sim, a.seeds, a.jobs), a.seeds)
    write_markdown(os.path.join(a.out, "report.md"), rows, a.seeds)
    write_plot(os.path.join(a.out, "difficulty.png"), rows)
    print(f"wrote {a.out}/report.md and {a.out}/difficulty.png")


if __name__ == "__main__":
    sys.exit(main())
