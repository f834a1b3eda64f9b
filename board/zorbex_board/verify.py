"""One verification: the simulator replays the run, and its summary is judged for the board.

Every figure the board keeps comes from the simulator's summary line, never from the file.
"""
from __future__ import annotations

import json
import os
import signal
import subprocess
import tempfile
from dataclasses import dataclass, field
from pathlib import Path

from .rules import DIFFICULTIES, PRACTICE_MESSAGE, PRACTICE_OPTION, RANKED_OPTIONS, RANKING_SCENE
from .sandbox import Sandbox

SIM_PREFIX = "zorbex-sim: "


@dataclass
class Verdict:
    status: str  # "verified", "rejected", or "retry" when the verifier itself failed
    reason: str | None = None
    summary: dict = field(default_factory=dict)

    @property
    def figures(self) -> dict:
        s = self.summary
        if not s:
            return {}
        return {
            "score": s["score"],
            "difficulty": s["difficulty"],
            "ending": s["ending"],
            "route": s["stagesPlayed"],
            "continues": s["continues"],
            "frames": s["frames"],
            "deaths": s["deaths"],
            "bombs": s["bombsUsed"],
            "stages": s["stages"],
        }


def simulator_reason(stderr: str, exit_code: int) -> str:
    """The simulator's own words for what it refused, without its name or the file's path."""
    lines = [line[len(SIM_PREFIX):] for line in stderr.splitlines() if line.startswith(SIM_PREFIX)]
    lines = [line for line in lines if "hashes match" not in line]
    if not lines:
        return f"the simulator refused the replay (exit status {exit_code})"
    reason = lines[-1]
    for path in ("/replay/run.replay: ", "run.replay: "):
        if path in reason:
            reason = reason.split(path, 1)[1]
    return reason


def ineligibility(s: dict) -> str | None:
    """Why a run that the game reproduces is still not one for the tables, or None."""
    if PRACTICE_OPTION in str(s.get("options")).split():
        return PRACTICE_MESSAGE
    if s.get("options") != RANKED_OPTIONS:
        return (f"assisted: recorded with the simulator's option \"{s.get('options')}\"; "
                "only runs as the game records them are ranked")
    if s.get("startStage") != 0:
        return f"started directly on stage {s.get('startStage')}; only runs from the title are ranked"
    if s.get("truncated"):
        return "the recording stopped at its length limit before the run ended"
    if s.get("runEnd") not in ("ending", "given-up") or s.get("scene") != RANKING_SCENE:
        return (f"unfinished: the replay stops at frame {s.get('frames')}, before an ending "
                "or a given-up game over led to the ranking")
    route = s.get("stagesPlayed") or []
    if any(b <= a for a, b in zip(route, route[1:])):
        return "the replay holds more than one run"
    if s.get("difficulty") not in DIFFICULTIES:
        return f"difficulty {s.get('difficulty')} is not one the game offers (1, 2 or 3)"
    return None


def judge(exit_code: int, stdout: str, stderr: str, cpu_limit: int) -> Verdict:
    if exit_code > 128:
        exit_code = 128 - exit_code  # bwrap passes on a signal's death as 128 + the signal
    if exit_code == -signal.SIGXCPU or exit_code == -signal.SIGKILL:
        return Verdict("rejected", f"the verification went over its limit of {cpu_limit} CPU seconds")
    if exit_code < 0:
        # killed from outside, or a fault in the simulator: worth another try
        return Verdict("retry", f"the simulator stopped on signal {-exit_code}")
    if exit_code == 127:
        return Verdict("retry", "the simulator could not be started")
    if exit_code != 0:
        return Verdict("rejected", simulator_reason(stderr, exit_code))
    try:
        summary = json.loads(stdout.strip().splitlines()[-1])
        needed = ("score", "difficulty", "ending", "stagesPlayed", "continues", "frames",
                  "deaths", "bombsUsed", "stages", "options", "runEnd", "scene")
        if not all(k in summary for k in needed):
            raise ValueError("summary without the fields the board needs")
    except (ValueError, IndexError) as e:
        return Verdict("retry", f"the simulator's summary could not be read ({e})")
    why = ineligibility(summary)
    return Verdict("rejected" if why else "verified", why, summary)


def verify_replay(sandbox: Sandbox, replay: bytes) -> Verdict:
    with tempfile.TemporaryDirectory(prefix="zorbex-verify-") as folder:
        os.chmod(folder, 0o755)  # the simulator runs as nobody
        path = Path(folder) / "run.replay"
        path.write_bytes(replay)
        os.chmod(path, 0o644)
        command, extra = sandbox.command(path)
        try:
            process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                       stderr=subprocess.PIPE, start_new_session=True, text=True,
                                       errors="replace", **extra)
        except OSError as e:
            return Verdict("retry", f"the simulator could not be started ({e})")
        try:
            stdout, stderr = process.communicate(timeout=sandbox.limits.wall_seconds)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.communicate()
            return Verdict("rejected",
                           f"the verification went over its limit of {sandbox.limits.wall_seconds} seconds")
        return judge(process.returncode, stdout, stderr, sandbox.limits.cpu_seconds)
