"""What makes two replays the same run, whatever their spelling.

A replay is text the game's parser reads leniently (CRLF or LF, repeated spaces, leading zeros,
hex in either case, trailing blank lines), and some of what it holds changes nothing in play (a
button pressed on a title frame that ignores it, the buttons held before the first frame, an
idle title frame more or less). The board therefore names a run by what the simulator played,
once it has verified it, in two ways, and a run that shares either name with an earlier one is
that run again:
- its states: the seed, difficulty, first stage and options as numbers, the frame the run ended,
  and the state hashes the recorder wrote up to it, which the simulator has just matched
  against its own (the hash covers every game global);
- its play: the same seed, difficulty, first stage and options, and everything the run did as
  the simulator counted it: score, ending, continues, ships lost, bombs, the route, and each
  stage's time, losses, bombs and points. Frames before the first stage (the title) and after
  the end (the name entry) are in neither, nor is the header's table of high scores, which
  enters the state but not the play.
"""
from __future__ import annotations

import hashlib
import json

from .rules import PRACTICE_OPTION

HEADER_LINES = 16  # the header is the first dozen lines: magic, seed, difficulty, stage, options ...


def header_words(replay: bytes) -> dict[str, list[str]]:
    """The header's lines as key -> words, read as the game's parser reads them."""
    lines = replay[:4096].split(b"\n", HEADER_LINES)[:HEADER_LINES]
    header: dict[str, list[str]] = {}
    for line in lines:
        words = line.rstrip(b"\r").decode("ascii", "replace").split(" ")
        words = [w for w in words if w]
        if words and words[0] not in header:
            header[words[0]] = words[1:]
        if words and words[0] == "frames":
            break
    return header


def is_practice(replay: bytes) -> bool:
    return PRACTICE_OPTION in header_words(replay).get("options", [])


def checkpoints(replay: bytes) -> list[tuple[int, int]]:
    """(frame, state hash) of each hash line: only called on a replay the simulator accepted."""
    lines = replay.decode("ascii").replace("\r", "").split("\n")
    start = next(i for i, line in enumerate(lines) if line.split(" ", 1)[0] == "hashes")
    count = int(lines[start].split()[1])
    found = []
    for line in lines[start + 1:start + 1 + count]:
        frame, digest = line.split()
        found.append((int(frame), int(digest, 16)))
    return found


def run_keys(replay: bytes, summary: dict) -> list[str]:
    """The run's two names, from a replay the simulator verified and the summary it printed:
    the states it went through, and what it did in play. A run shares either with another is
    that run again."""
    header = header_words(replay)
    played = [
        f"seed {int(header['seed'][0])}",
        f"difficulty {summary['difficulty']}",
        f"stage {summary['startStage']}",
        f"options {summary['options']}",
    ]
    end = summary["runEndFrame"]
    states = [f"{frame}:{digest:016x}" for frame, digest in checkpoints(replay) if frame <= end]
    figures = {k: summary[k] for k in ("runEnd", "score", "ending", "continues", "deaths", "bombsUsed",
                                       "stagesPlayed", "stages")}
    return [
        "states " + digest("\n".join([*played, f"end {end}", *states])),
        "play " + digest("\n".join([*played, json.dumps(figures, sort_keys=True)])),
    ]


def digest(text: str) -> str:
    return hashlib.sha256(text.encode()).hexdigest()
