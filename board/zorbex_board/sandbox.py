"""Running the game's simulator on an untrusted replay, walled off from everything else.

Two walls, and bwrap where it works:
- bwrap: new user, PID, network, IPC and mount namespaces; the process sees /usr and the
  simulator's own folder read-only, the one replay read-only, an empty /tmp and no network;
  it runs as `nobody` with no capabilities and dies with its parent.
- rlimits (always, through prlimit): CPU seconds, address space, file size, open files, no
  core dumps; as root without bwrap the simulator is also dropped to `nobody`.
"""
from __future__ import annotations

import os
import shutil
import subprocess
from dataclasses import dataclass
from pathlib import Path

NOBODY = 65534
REPLAY_INSIDE = "/replay/run.replay"


@dataclass(frozen=True)
class Limits:
    cpu_seconds: int = 60
    wall_seconds: int = 90
    memory_bytes: int = 512 << 20
    file_bytes: int = 1 << 20
    open_files: int = 64


def find_simulator(explicit: str | None) -> Path:
    """The simulator to judge with: as given, else the build folder's, else an installed one."""
    candidates = [explicit] if explicit else []
    here = Path(__file__).resolve().parent
    candidates += [
        os.environ.get("ZORBEX_SIM"),
        str(here.parent.parent / "build" / "release" / "zorbex-sim"),
        shutil.which("zorbex-sim"),
        "/usr/games/zorbex-sim",
    ]
    for c in candidates:
        if c and os.access(c, os.X_OK) and Path(c).is_file():
            return Path(c).resolve()
    raise SystemExit("zorbex-board: no zorbex-sim found (build it, or name it with --sim)")


def prlimit_words(limits: Limits) -> list[str]:
    return [
        "prlimit",
        f"--cpu={limits.cpu_seconds}:{limits.cpu_seconds + 5}",
        f"--as={limits.memory_bytes}",
        f"--fsize={limits.file_bytes}",
        f"--nofile={limits.open_files}",
        "--core=0",
        "--",
    ]


def bwrap_words(simulator: Path, replay: Path) -> list[str]:
    sim_dir = str(simulator.parent)
    words = [
        "bwrap", "--unshare-all", "--die-with-parent", "--new-session", "--cap-drop", "ALL",
        "--ro-bind", "/usr", "/usr",
        "--symlink", "usr/lib", "/lib", "--symlink", "usr/lib64", "/lib64", "--symlink", "usr/bin", "/bin",
        "--ro-bind-try", "/etc/ld.so.cache", "/etc/ld.so.cache",
        "--proc", "/proc", "--dev", "/dev", "--tmpfs", "/tmp",
        "--ro-bind", sim_dir, sim_dir,
        "--ro-bind", str(replay), REPLAY_INSIDE,
        "--chdir", "/tmp", "--clearenv", "--setenv", "HOME", "/tmp", "--setenv", "PATH", "/usr/bin",
        "--uid", str(NOBODY), "--gid", str(NOBODY),
    ]
    # an installed simulator finds its data under ../share/zorbex/data, inside /usr already
    data = simulator.parent.parent / "share" / "zorbex" / "data"
    if data.is_dir() and not str(data).startswith("/usr/"):
        words += ["--ro-bind", str(data), str(data)]
    return words


class Sandbox:
    def __init__(self, simulator: Path, limits: Limits, kind: str = "auto") -> None:
        self.simulator = simulator
        self.limits = limits
        if kind == "auto":
            kind = "bwrap" if bwrap_works() else "rlimits"
        self.kind = kind

    def command(self, replay: Path) -> tuple[list[str], dict]:
        """The command line that verifies `replay`, and extra Popen arguments."""
        base = prlimit_words(self.limits)
        sim_args = ["--verify", REPLAY_INSIDE if self.kind == "bwrap" else str(replay), "--no-draw"]
        if self.kind == "bwrap":
            return base + bwrap_words(self.simulator, replay) + [str(self.simulator)] + sim_args, {}
        extra: dict = {"env": {"PATH": "/usr/bin:/bin", "HOME": str(replay.parent)}, "cwd": str(replay.parent)}
        if os.geteuid() == 0:
            extra.update(user=NOBODY, group=NOBODY, extra_groups=[])
        return base + [str(self.simulator)] + sim_args, extra


def bwrap_works() -> bool:
    if not shutil.which("bwrap") or not shutil.which("prlimit"):
        return False
    probe = ["bwrap", "--unshare-all", "--die-with-parent", "--ro-bind", "/usr", "/usr",
             "--symlink", "usr/lib", "/lib", "--symlink", "usr/lib64", "/lib64",
             "--uid", str(NOBODY), "--gid", str(NOBODY), "/usr/bin/true"]
    try:
        return subprocess.run(probe, capture_output=True, timeout=20).returncode == 0
    except (OSError, subprocess.TimeoutExpired):
        return False
