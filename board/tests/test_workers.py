"""Workers share the waiting runs, never verify one twice, and lose none when a board dies."""
from __future__ import annotations

import subprocess
import time
from pathlib import Path

from conftest import BOARD, SIM, golden
from sqlalchemy import text
from zorbex_board.database import open_database


def claims(database: str) -> dict[int, tuple[str, int]]:
    engine = open_database(database)
    with engine.connect() as c:
        rows = c.execute(text("SELECT id, status, claims FROM runs")).all()
    engine.dispose()
    return {run_id: (status, count) for run_id, status, count in rows}


def simulators_under(pid: int) -> list[int]:
    """The zorbex-sim processes descending from `pid`."""
    children: dict[int, list[int]] = {}
    names: dict[int, str] = {}
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                fields = (entry / "stat").read_text().rsplit(")", 1)[1].split()
                names[int(entry.name)] = (entry / "comm").read_text().strip()
            except OSError:
                continue
            children.setdefault(int(fields[1]), []).append(int(entry.name))
    found, todo = [], [pid]
    while todo:
        for child in children.get(todo.pop(), []):
            todo.append(child)
            if names.get(child) == "zorbex-sim":
                found.append(child)
    return found


def test_boards_sharing_a_database_verify_each_run_once(database, start_board, given_up_runs):
    uploader = start_board(database, "--workers", "0")
    ids = [uploader.submit(replay, f"P{i}") for i, replay in enumerate(given_up_runs)]
    ids.append(uploader.submit(golden("continue.replay"), "Long"))
    # two more boards, two workers each, all start on the same waiting runs
    boards = [start_board(database, "--workers", "2") for _ in range(2)]
    verdicts = [boards[0].verdict(run_id) for run_id in ids]
    assert all(v["status"] == "verified" for v in verdicts), verdicts
    assert claims(database) == {run_id: ("verified", 1) for run_id in ids}


def test_a_run_held_by_a_killed_board_is_verified_after_the_restart(database, start_board):
    board = start_board(database, "--workers", "1")
    run_id = board.submit(golden("continue.replay"), "Crash")
    deadline = time.monotonic() + 30
    while not (running := simulators_under(board.process.pid)):
        assert time.monotonic() < deadline, "no simulator was started"
        time.sleep(0.01)
    board.kill()
    assert claims(database)[run_id] == ("waiting", 1)
    deadline = time.monotonic() + 5
    while any(Path(f"/proc/{pid}").exists() for pid in running):
        assert time.monotonic() < deadline, "a simulator outlived its board"
        time.sleep(0.05)

    board = start_board(database, "--workers", "1")
    run = board.verdict(run_id)
    assert run["status"] == "verified" and run["score"] > 0
    assert claims(database)[run_id] == ("verified", 2)


def test_a_worker_only_process_verifies_and_serves_nothing(tmp_path, start_board):
    database = str(tmp_path / "board.sqlite")
    uploader = start_board(database, "--workers", "0")
    run_id = uploader.submit(golden("game-run.replay"), "Wes")
    verifier = subprocess.Popen([str(BOARD), "--workers-only", "--workers", "1", "--db", database, "--sim", str(SIM),
                                 "--sandbox", "bwrap", "--port", str(uploader.port)],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    try:
        assert uploader.verdict(run_id, timeout=60)["status"] == "verified"
    finally:
        verifier.terminate()
        output = verifier.communicate(timeout=30)[0]
    assert verifier.returncode == 0 and "serving nothing" in output, output
