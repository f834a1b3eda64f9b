"""The board attacked as an outsider would: copied runs under new names, forged headers, odd
numbers and names, floods of uploads, and a database that fails under the verifiers."""
from __future__ import annotations

import re
import subprocess
import sys
import time

import httpx
from pathlib import Path

from conftest import REPO, SIM, golden
from fastapi.testclient import TestClient
from sqlalchemy.exc import OperationalError
from zorbex_board import store, workers
from zorbex_board.app import create_app
from zorbex_board.database import migrate, open_database
from zorbex_board.sandbox import Limits
from zorbex_board.settings import AppSettings, GuardSettings
from zorbex_board.verify import Verdict

SUBMITTED_AS = re.compile(r"^this run was submitted as Ann on \d{4}-\d\d-\d\d$")


def respelled(replay: bytes) -> dict[str, bytes]:
    """The same run spelled as the game's parser also reads it, or with input that changes nothing."""
    text = replay.decode()
    lines = text.split("\n")
    hashes = next(i for i, line in enumerate(lines) if line.startswith("hashes ")) + 1
    upper = list(lines)
    upper[hashes + 3] = upper[hashes + 3].upper()
    title = list(lines)
    first = next(i for i, line in enumerate(lines) if line.startswith("buttons ")) + 1
    count, bits = title[first].split()
    assert bits == "00" and int(count) > 101, "the run should begin with idle title frames"
    title[first:first + 1] = ["100 00", "1 02", f"{int(count) - 101} 00"]
    title[first - 1] = f"buttons {int(title[first - 1].split()[1]) + 2}"
    seed = re.search(r"\nseed (\d+)\n", text).group(1)
    return {
        "newline": replay + b"\n",
        "crlf": text.replace("\n", "\r\n").encode(),
        "double space": text.replace("\ndifficulty ", "\ndifficulty  ").encode(),
        "leading zero": text.replace(f"\nseed {seed}\n", f"\nseed 0{seed}\n").encode(),
        "upper-case hash": "\n".join(upper).encode(),
        "held": text.replace("\nheld 0\n", "\nheld 1\n").encode(),
        "title button": "\n".join(title).encode(),
    }


def rerecorded_with_a_longer_title(replay: bytes, folder: Path) -> bytes:
    """The same buttons after one idle title frame more, recorded again by the simulator: the
    same play, every state a frame later, and the recorder's own table of high scores."""
    lines = replay.decode().split("\n")
    header = dict(line.split(" ", 1) for line in lines[:12] if " " in line)
    first = next(i for i, line in enumerate(lines) if line.startswith("buttons ")) + 1
    runs = [line.split() for line in lines[first:first + int(lines[first - 1].split()[1])]]
    runs[0][0] = str(int(runs[0][0]) + 1)
    (folder / "buttons.txt").write_text("".join(f"{count} 0x{bits}\n" for count, bits in runs))
    copy = folder / "copy.replay"
    subprocess.run([str(SIM), "--input", str(folder / "buttons.txt"), "--seed", header["seed"], "--difficulty",
                    header["difficulty"], "--frames", str(int(header["frames"]) + 1), "--record", str(copy),
                    "--no-draw", "--quiet"], capture_output=True, timeout=120)
    return copy.read_bytes()


def test_one_run_is_one_entry_whatever_its_spelling_or_name(database, start_board, given_up_runs, tmp_path):
    board = start_board(database, "--workers", "2", "--uploads-per-minute", "0")
    game_run = golden("game-run.replay")
    first = board.verdict(board.submit(game_run, "Ann"))
    assert first["status"] == "verified"
    variants = respelled(game_run)
    variants["longer title"] = rerecorded_with_a_longer_title(game_run, tmp_path)
    assert b"\nframes 6233\n" in variants["longer title"] and variants["longer title"].count(b"\n") > 100
    copies = {what: board.submit(data, f"Copy {i}") for i, (what, data) in enumerate(variants.items())}
    for what, run_id in copies.items():
        run = board.verdict(run_id)
        assert run["status"] == "rejected" and SUBMITTED_AS.match(run["reason"]), (what, run)
        assert run["score"] is None and run["replay"] is None
        # a rejected run's file is gone once judged; its page shows why, and no score
        assert httpx.get(f"{board.url}/runs/{run_id}.replay").status_code == 404
        page = httpx.get(f"{board.url}/runs/{run_id}").text
        assert "this run was submitted as Ann" in page and "Score" not in page
    assert [r["id"] for r in board.board(2)["runs"]] == [first["id"]]

    # one player whatever the case, width, spacing or a look-alike letter of another script
    spellings = ["ann", "ＡＮＮ", "Ann ", "Аnn"]
    runs = [board.verdict(board.submit(replay, name)) for replay, name in zip(given_up_runs, spellings)]
    assert all(r["status"] == "verified" for r in runs), runs
    table = board.board(2)["runs"]
    best = max([first, *runs], key=lambda r: (r["score"], -r["id"]))
    assert [r["id"] for r in table] == [best["id"]], table


def test_names_are_one_spelling_of_visible_text(tmp_path, start_board):
    board = start_board(str(tmp_path / "board.sqlite"), "--workers", "0", "--uploads-per-minute", "0")
    replay = golden("game-run.replay")
    refused = {
        "\u3164": "something visible", "\u2800\u2800": "something visible", " \u200b ": "printable",
        "a" + "\u0301" * 16: "marks on one letter", "\u200dAnn": "printable", "Ann\x00": "printable",
    }
    for name, words in refused.items():
        answer = board.upload(replay, name)
        assert answer.status_code == 400 and words in answer.json()["detail"], (name, answer.text)
    # bytes that are not UTF-8 are refused, not read as Latin-1
    raw = httpx.post(board.url + "/api/runs", timeout=30, headers={"content-type": "multipart/form-data; boundary=b"},
                     content=b'--b\r\ncontent-disposition: form-data; name="name"\r\n\r\n\xff\xfeA\r\n--b\r\n'
                             b'content-disposition: form-data; name="replay"; filename="r"\r\n\r\n'
                             + replay + b"\r\n--b--\r\n")
    assert raw.status_code == 400 and "UTF-8" in raw.json()["detail"], raw.text
    # joiners inside a name are part of the script; the name is kept in NFC
    for name in ("\U0001F468\u200d\U0001F469\u200d\U0001F467", "\u0645\u06cc\u200c\u062e\u0648\u0627\u0647\u0645"):
        assert board.upload(replay + b"\n" * len(name), name).status_code == 202, name
    run_id = board.submit(replay + b"\n\n\n\n\n\n\n\n\n\n", "Jose\u0301 ")
    assert board.run(run_id)["name"] == "Jos\u00e9"


def test_a_practice_run_is_refused(tmp_path, start_board):
    board = start_board(str(tmp_path / "board.sqlite"), "--workers", "0")
    practice = golden("game-run.replay").replace(b"\noptions none\n", b"\noptions practice\n", 1)
    answer = board.upload(practice, "Pat")
    assert answer.status_code == 400 and answer.json()["detail"] == "a practice run is not ranked"


def test_numbers_are_ascii_digits_and_bad_requests_are_4xx(tmp_path, start_board):
    board = start_board(str(tmp_path / "board.sqlite"), "--workers", "0", "--requests-per-second", "0")
    board.submit(golden("game-run.replay"), "Ann")
    odd = ["/runs/\u00b2", "/api/runs/\u00b2", "/runs/\uff11.replay", "/api/runs/\uff11", "/runs/\uff11",
           "/?page=\u00b2", "/api/boards/2?page=\u00b2", "/api/boards/2?ending=\u00b2", "/api/boards/\u00b2",
           "/api/boards/2?page=" + "9" * 5000, "/api/runs/" + "9" * 5000, "/api/boards/2?ending=" + "2" * 5000]
    for path in odd:
        answer = httpx.get(board.url + path, timeout=10)
        assert 400 <= answer.status_code < 500, (path[:40], answer.status_code)
        assert answer.status_code != 404 or "no such" in answer.text, path[:40]
    assert httpx.get(board.url + "/api/runs/1").status_code == 200
    assert "Traceback" not in board.output()


def test_forwarded_addresses_only_from_trusted_proxies(tmp_path, start_board):
    # no proxy is trusted by default: the header is only text, whoever sends it
    board = start_board(str(tmp_path / "a.sqlite"), "--workers", "0", "--requests-per-second", "0.2")
    forged = [httpx.get(board.url + "/api/boards/2", headers={"x-forwarded-for": f"10.0.0.{i}"}).status_code
              for i in range(30)]
    assert 429 in forged
    board.stop()
    board = start_board(str(tmp_path / "a.sqlite"), "--workers", "0", "--uploads-per-minute", "0")
    for header in ("127.0.0.1", "", "nonsense", "1.2.3.4, ::zz", "," * 3000):
        answer = board.upload(golden("game-run.replay") + header.encode(), "Fay", headers={"x-forwarded-for": header})
        assert answer.status_code == 202, (header[:20], answer.text)
    assert "Traceback" not in board.output()
    board.stop()

    # a trusted proxy's clients each have their own limits; an odd header counts as the proxy
    board = start_board(str(tmp_path / "b.sqlite"), "--workers", "0", "--requests-per-second", "0.2",
                        "--trusted-proxy", "127.0.0.1,::1")
    ask = lambda who: httpx.get(board.url + "/api/boards/2", headers={"x-forwarded-for": who}).status_code  # noqa: E731
    first = [ask("198.51.100.1") for _ in range(30)]
    assert 429 in first and ask("198.51.100.2") == 200
    assert ask("garbage") == 200 and 429 in [ask("garbage") for _ in range(30)]
    assert httpx.get(board.url + "/health").status_code == 200  # never rate-limited
    log = board.output()
    assert '198.51.100.2 "GET /api/boards/2" 200' in log  # the access log names the client


def test_waiting_runs_are_capped_per_64_and_in_all(tmp_path, start_board, given_up_runs):
    board = start_board(str(tmp_path / "board.sqlite"), "--workers", "0", "--uploads-per-minute", "0",
                        "--max-waiting", "2", "--max-waiting-total", "4", "--trusted-proxy", "127.0.0.1")
    send = lambda i, who: board.upload(given_up_runs[i], "Ivy", headers={"x-forwarded-for": who})  # noqa: E731
    assert [send(0, "2001:db8::1").status_code, send(1, "2001:db8::2").status_code] == [202, 202]
    same_64 = send(2, "2001:db8::ffff")
    assert same_64.status_code == 429 and "still waiting" in same_64.json()["detail"]
    assert send(3, "2001:db8:0:1::1").status_code == 202 and send(4, "192.0.2.1").status_code == 202
    full = send(5, "192.0.2.2")
    assert full.status_code == 503 and "4 runs are waiting" in full.json()["detail"]


def test_the_queue_is_taken_in_turn_by_address(tmp_path):
    engine = open_database(str(tmp_path / "board.sqlite"))
    migrate(engine)
    flood = [store.add_run(engine, f"zorbex-replay flood {i}".encode(), "Eve", "192.0.2.66")[0] for i in range(6)]
    mine = store.add_run(engine, b"zorbex-replay mine", "Ann", "192.0.2.7")[0]
    theirs = store.add_run(engine, b"zorbex-replay theirs", "Bo", "2001:db8::7")[0]
    order = []
    while claim := store.claim_run(engine, "test:0:0", 60_000):
        order.append(claim.run_id)
        store.finish_run(engine, claim.run_id, "test:0:0", Verdict("rejected", "test"))
    assert order[:4] == [flood[0], mine, theirs, flood[1]], order
    engine.dispose()


class NoSandbox:
    limits = Limits(wall_seconds=1)


def test_workers_outlive_database_errors_and_health_tells_the_truth(tmp_path, monkeypatch):
    engine = open_database(str(tmp_path / "board.sqlite"))
    migrate(engine)
    run_id = store.add_run(engine, b"zorbex-replay x", "Ann", "192.0.2.1")[0]
    locked = OperationalError("UPDATE runs", {}, Exception("database is locked"))
    failures = {"claim_run": 2, "finish_run": 3}

    def failing(name):  # type: ignore[no-untyped-def]
        real = getattr(store, name)

        def call(*args, **kwargs):  # type: ignore[no-untyped-def]
            if failures[name]:
                failures[name] -= 1
                raise locked
            return real(*args, **kwargs)
        return call

    for name in failures:
        monkeypatch.setattr(store, name, failing(name))
    monkeypatch.setattr(workers, "verify_replay", lambda sandbox, replay: Verdict("rejected", "judged"))
    monkeypatch.setattr(workers.Backoff, "FIRST", 0.01)
    verifiers = workers.Workers(engine, NoSandbox(), 1)  # type: ignore[arg-type]
    verifiers.start()
    deadline = time.monotonic() + 20
    while store.get_run(engine, run_id)["status"] == "waiting":
        assert time.monotonic() < deadline, "the run was never judged"
        time.sleep(0.05)
    assert failures == {"claim_run": 0, "finish_run": 0} and verifiers.alive() == 1

    alive = {"n": 1}
    app = create_app(engine, AppSettings(), GuardSettings(), workers_alive=lambda: alive["n"], workers_started=1)
    with TestClient(app) as client:
        health = client.get("/health")
        assert health.status_code == 200 and health.json()["workers"] == 1
        store.add_run(engine, b"zorbex-replay y", "Ann", "192.0.2.1")
        assert client.get("/health").json()["oldestWaitingSeconds"] >= 0
        alive["n"] = 0
        assert client.get("/health").status_code == 503
        # every answer carries the security headers, errors included
        for answer in (client.get("/health"), client.get("/upload"), client.get("/runs/9")):
            assert answer.headers["x-content-type-options"] == "nosniff"
            assert "frame-ancestors 'none'" in answer.headers["content-security-policy"]
    verifiers.shutdown()
    engine.dispose()


def test_bench_help_is_only_help():
    out = subprocess.run([sys.executable, str(REPO / "board" / "bench.py"), "--help"], capture_output=True,
                         text=True, timeout=30)
    assert out.returncode == 0 and "usage:" in out.stdout
