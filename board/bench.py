"""The board's benchmark, run by hand (make board-bench): verification speed, the tables' speed
with 100,000 runs stored on SQLite and PostgreSQL, read uncached, and the server's memory.
Prints a Markdown table."""
from __future__ import annotations

import argparse
import json
import os
import random
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

import httpx

sys.path.insert(0, str(Path(__file__).parent / "tests"))
from conftest import SIM, Board, Postgres  # noqa: E402
from sqlalchemy import text  # noqa: E402
from zorbex_board import store  # noqa: E402
from zorbex_board.database import migrate, open_database  # noqa: E402
from zorbex_board.rules import largest_replay_bytes  # noqa: E402
from zorbex_board.sandbox import Limits, Sandbox  # noqa: E402
from zorbex_board.verify import verify_replay  # noqa: E402

RUNS = 100_000
REQUESTS = 3000          # per page and database, bounded
CLIENTS = 4
UPLOADS = 50
VERIFY_FRAMES = 60_000
VERIFY_ROUNDS = 5


def long_replay(folder: Path) -> bytes:
    path = folder / "long.replay"
    subprocess.run([str(SIM), "--autopilot", "--frames", str(VERIFY_FRAMES), "--no-draw", "--quiet",
                    "--record", str(path)], check=True, capture_output=True)
    return path.read_bytes()


def verification_speed(replay: bytes, folder: Path) -> tuple[float, float]:
    """Verifications a second of one core: by the simulator's CPU time (what a worker core
    gives, whatever else the machine runs; the CPU time of the sandbox's descendants is not
    reported to the board, so the simulator is timed alone for it) and by the wall clock,
    sandbox included."""
    sandbox = Sandbox(SIM, Limits(), "bwrap")
    path = folder / "timed.replay"
    path.write_bytes(replay)
    seconds, cpu = [], []
    for _ in range(VERIFY_ROUNDS):
        start = time.perf_counter()
        verdict = verify_replay(sandbox, replay)
        seconds.append(time.perf_counter() - start)
        assert verdict.summary, verdict.reason
        before = os.times()
        subprocess.run([str(SIM), "--verify", str(path), "--no-draw", "--quiet"], check=True, capture_output=True)
        after = os.times()
        cpu.append(after.children_user + after.children_system - before.children_user - before.children_system)
    return 1 / statistics.median(cpu), 1 / statistics.median(seconds)


def fill(database: str) -> None:
    """100,000 verified runs of 100,000 players over the three difficulties, straight into the tables."""
    engine = open_database(database)
    migrate(engine)
    rng = random.Random(1)
    route = json.dumps([1, 2, 4, 7, 11, 16, 22])
    with engine.begin() as c:
        for start in range(0, RUNS, 5000):
            runs, entries, replays = [], [], []
            for i in range(start, start + 5000):
                score, difficulty, ending = rng.randrange(0, 5_000_000, 100), 1 + i % 3, 22 + i % 7
                replays.append({"id": i + 1, "replay": b"zorbex-replay bench\n" * 50})
                runs.append({"sha": f"{i:064x}", "name": f"player{i}",
                             "score": score, "difficulty": difficulty, "ending": ending, "route": route})
                for e in (store.EVERY_ENDING, ending):
                    entries.append({"d": difficulty, "e": e, "name": f"player{i}", "id": i + 1, "score": score,
                                    "place": store.place_of(score, i + 1)})
            c.execute(text("INSERT INTO runs (replay_sha256, name, name_key, address, address_key, submitted_at, "
                           "submitted_ms, status, score, difficulty, ending, route, continues, frames, deaths, "
                           "bombs, stages) VALUES (:sha, :name, :name, 'bench', 'bench', '2025-01-01T00:00:00Z', "
                           "0, 'verified', :score, :difficulty, :ending, :route, 0, 60000, 3, 5, '[]')"), runs)
            c.execute(text("INSERT INTO replays (run_id, replay) VALUES (:id, :replay)"), replays)
            c.execute(text("INSERT INTO board_entries (difficulty, ending, continued, name_key, run_id, score, "
                           "place) VALUES (:d, :e, 0, :name, :id, :score, :place)"), entries)
    with engine.begin() as c:
        store.mark_every_table(c)
    if database.startswith("postgresql"):
        # as autovacuum would leave it: statistics, and the visibility map index-only scans need
        with engine.connect().execution_options(isolation_level="AUTOCOMMIT") as c:
            c.exec_driver_sql("VACUUM ANALYZE")
    engine.dispose()


def hammer(url: str, first: int = 1, pages: int = 300) -> tuple[float, float, float]:
    """Requests per second, median and p99 latency in ms, with CLIENTS clients at once.
    A `{}` in the URL takes the page numbers first to first + pages - 1 in turn."""
    latencies: list[float] = []
    lock = threading.Lock()

    def client(count: int, offset: int) -> None:
        with httpx.Client(timeout=30) as http:
            for i in range(count):
                start = time.perf_counter()
                answer = http.get(url.format(first + (i * 7 + offset) % pages))
                took = time.perf_counter() - start
                assert answer.status_code == 200, answer.status_code
                with lock:
                    latencies.append(took)

    start = time.perf_counter()
    with ThreadPoolExecutor(CLIENTS) as pool:
        list(pool.map(client, [REQUESTS // CLIENTS] * CLIENTS, range(CLIENTS)))
    elapsed = time.perf_counter() - start
    latencies.sort()
    return len(latencies) / elapsed, statistics.median(latencies) * 1000, latencies[int(len(latencies) * 0.99)] * 1000


def memory_kb(pid: int, field: str) -> int:
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith(field + ":"):
            return int(line.split()[1])
    return 0


def server_pid(board: Board) -> int:
    # the launcher execs Python: the process started is the server itself
    return board.process.pid


def largest_replay(size: int) -> bytes:
    """A file of the largest size the board takes: one frame of buttons a line."""
    head = b"zorbex-replay 3\n"
    return head + b"1 10\n" * ((size - len(head)) // 5)


def upload_memory(board: Board, replay: bytes) -> tuple[int, int]:
    pid = server_pid(board)
    rest = memory_kb(pid, "VmRSS")
    bodies = [replay.replace(b"\n", f"\n{i} ".encode(), 1) for i in range(UPLOADS)]
    with ThreadPoolExecutor(UPLOADS) as pool:
        # fifty 7 MB bodies into PostgreSQL on a busy machine take minutes, not the tests' 30 s
        answers = list(pool.map(lambda b: httpx.post(board.url + "/api/runs", files={"replay": ("run.replay", b)},
                                                     data={"name": "bench"}, timeout=900).status_code, bodies))
    assert answers.count(202) == UPLOADS, answers
    return rest, memory_kb(pid, "VmHWM")


class Rows:
    """The table's rows, printed as they come: a later failure keeps the figures so far."""

    def append(self, row: str) -> None:
        print(row, flush=True)


def main() -> None:
    p = argparse.ArgumentParser(description=__doc__)
    p.add_argument("--tables-only", action="store_true", help="measure the tables' pages, nothing else")
    p.add_argument("--no-tables", action="store_true", help="measure verification and memory only")
    p.add_argument("--sqlite-only", action="store_true", help="leave PostgreSQL out")
    args = p.parse_args()
    # stopped from outside, still stop the servers it started
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    rows = Rows()
    print("| measure | result | notes |\n|---|---|---|", flush=True)
    with tempfile.TemporaryDirectory() as folder:
        replay = long_replay(Path(folder))
        if not args.tables_only:
            per_core, per_wall = verification_speed(replay, Path(folder))
            rows.append(f"| verification, one {VERIFY_FRAMES}-frame replay, one worker core | "
                        f"{per_core:.2f} runs/s of CPU time ({per_wall:.2f} by the clock) | "
                        f"replay {len(replay)} bytes |")
        postgres = None if args.sqlite_only else Postgres()
        databases = [("SQLite", str(Path(folder) / "bench.sqlite"))]
        if postgres:
            databases.append(("PostgreSQL", postgres.new_database()))
        try:
            for kind, database in databases:
                fill(database)
                # no cache: every page is read from the database as a first visitor's would be
                board = Board(database, "--workers", "0", "--requests-per-second", "0", "--cache-seconds", "0",
                              "--uploads-per-minute", "0", "--max-waiting", "1000", "--max-waiting-total", "1000",
                              "--no-access-log")
                try:
                    if not args.no_tables:
                        tables(board, kind, rows)
                    if not args.tables_only:
                        memory(board, kind, replay, rows)
                finally:
                    board.stop()
        finally:
            if postgres:
                postgres.stop()


def tables(board: Board, kind: str, rows: Rows) -> None:
    deepest = -(-RUNS // 3 // 100)  # a difficulty's last page
    for page, first, count in (("/api/boards/2", 1, 1), ("/?difficulty=2", 1, 1),
                               ("/api/boards/2?page={}", 1, 300), ("/?difficulty=2&page={}", 1, 300),
                               ("/api/boards/2?page={}", deepest - 33, 34), ("/?difficulty=2&page={}", deepest - 33, 34)):
        hammer(board.url + page, first, count)  # warm up
        rate, median, p99 = hammer(board.url + page, first, count)
        where = f" (pages {first} to {first + count - 1})" if count > 1 else ""
        rows.append(f"| {kind}, {RUNS} runs, uncached: GET {page}{where} | {rate:.0f} requests/s | "
                    f"median {median:.1f} ms, p99 {p99:.1f} ms |")


def memory(board: Board, kind: str, replay: bytes, rows: Rows) -> None:
    rest, peak = upload_memory(board, replay)
    rows.append(f"| {kind}: server memory at rest / peak under {UPLOADS} concurrent uploads | "
                f"{rest / 1024:.0f} MiB / {peak / 1024:.0f} MiB | RSS, {len(replay)}-byte replays |")
    big = largest_replay(largest_replay_bytes() - 16)  # room for the mark that makes each one new
    _, peak = upload_memory(board, big)
    rows.append(f"| {kind}: server memory, peak under {UPLOADS} concurrent largest uploads | "
                f"{peak / 1024:.0f} MiB | RSS, {len(big)}-byte replays |")


if __name__ == "__main__":
    main()
