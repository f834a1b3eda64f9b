"""What a client can send: clear refusals, limits, escaping, and nothing that breaks the board."""
from __future__ import annotations

import json
import subprocess

import httpx
import pytest

from conftest import GOLDEN, SIM, golden, simulate
from zorbex_board.rules import MAX_UPLOAD_BYTES, largest_replay_bytes

EVIL = "<b>x</b>&'\""  # 12 characters


@pytest.fixture
def sqlite_db(tmp_path) -> str:
    return str(tmp_path / "board.sqlite")


def test_bad_uploads_get_a_clear_refusal(sqlite_db, start_board):
    board = start_board(sqlite_db, "--workers", "0", "--requests-per-second", "0", "--uploads-per-minute", "0")
    replay = golden("game-run.replay")
    post = lambda **kw: httpx.post(board.url + "/api/runs", timeout=30, **kw)  # noqa: E731
    refusals = [
        (post(data={"name": "Ann"}), 415, "multipart/form-data"),
        (post(files={"name": (None, "Ann")}), 400, "\"replay\""),
        (post(files={"replay": ("r", replay)}), 400, "\"name\""),
        (board.upload(replay, ""), 400, "1 to 16"),
        (board.upload(replay, "x" * 17), 400, "1 to 16"),
        (board.upload(replay, "tab\there"), 400, "printable"),
        (board.upload(replay, "   "), 400, "something visible"),
        (board.upload(b"GIF89a", "Ann"), 400, "not a replay"),
        (board.upload(b"zorbex-replay 2\n" + b"1 10\n" * (largest_replay_bytes() // 5), "Ann"), 413, "largest replay"),
        (board.upload(b"x" * (MAX_UPLOAD_BYTES + 1), "Ann"), 413, "largest replay"),
        (httpx.get(board.url + "/api/runs/99"), 404, "no such run"),
        (httpx.get(board.url + "/runs/..%2f..%2fetc%2fpasswd.replay"), 404, ""),
        (httpx.get(board.url + "/api/boards/7"), 404, "difficulty"),
        (httpx.get(board.url + "/api/boards/2", params={"ending": "x'; DROP TABLE runs"}), 400, "ending"),
        (httpx.get(board.url + "/api/boards/2", params={"page": "-1"}), 400, "page"),
    ]
    for answer, status, words in refusals:
        assert answer.status_code == status, (answer.request.url, answer.text)
        assert "Traceback" not in answer.text
        if words:
            assert words in answer.json()["detail"], answer.text
    # names in any script are fine, exactly as given
    run_id = board.submit(replay, "ゾルベックス 機")
    assert board.run(run_id)["name"] == "ゾルベックス 機"
    assert httpx.get(board.url + "/health").json()["waiting"] == 1


def test_names_are_escaped_on_every_page(sqlite_db, start_board, given_up_runs):
    board = start_board(sqlite_db, "--workers", "1")
    run_id = board.submit(given_up_runs[0], EVIL)
    assert board.verdict(run_id)["status"] == "verified"
    for page in ("/?difficulty=2", f"/runs/{run_id}"):
        text = httpx.get(board.url + page).text
        assert EVIL not in text and "&lt;b&gt;x&lt;/b&gt;&amp;" in text, page
    assert board.board(2)["runs"][0]["name"] == EVIL  # JSON carries it as given


def test_rate_limits_and_the_waiting_cap_answer_429(sqlite_db, start_board, given_up_runs):
    board = start_board(sqlite_db, "--workers", "0", "--uploads-per-minute", "3", "--max-waiting", "100")
    answers = [board.upload(replay, "Eve").status_code for replay in given_up_runs[:4]]
    assert answers == [202, 202, 202, 429]
    limited = board.upload(given_up_runs[4], "Eve")
    assert limited.headers["retry-after"] and "too many uploads" in limited.json()["detail"]
    board.stop()

    board = start_board(sqlite_db, "--workers", "0", "--max-waiting", "3")
    answer = board.upload(given_up_runs[5], "Eve")
    assert answer.status_code == 429 and "still waiting" in answer.json()["detail"]

    board.stop()
    board = start_board(sqlite_db, "--workers", "0", "--requests-per-second", "0.2")
    statuses = [httpx.get(board.url + "/api/boards/2").status_code for _ in range(40)]
    assert statuses[0] == 200 and 429 in statuses


def test_the_simulator_submits_a_replay_and_waits_for_its_verdict(sqlite_db, start_board):
    board = start_board(sqlite_db, "--workers", "1")
    sent = subprocess.run([str(SIM), "--submit", board.url, str(GOLDEN / "game-run.replay"), "--name", "Gus"],
                          capture_output=True, text=True, timeout=120)
    assert sent.returncode == 0, sent.stderr
    run = json.loads(sent.stdout.strip().splitlines()[-1])
    assert (run["status"], run["name"], run["score"]) == ("verified", "Gus", simulate(GOLDEN / "game-run.replay")["score"])
    assert f"run {run['id']} verified" in sent.stderr

    forged = subprocess.run([str(SIM), "--submit", board.url + "/", str(GOLDEN / "ending23.replay"), "--name", "Gus"],
                            capture_output=True, text=True, timeout=120)
    assert forged.returncode == 1 and "rejected: assisted" in forged.stderr
    refused = subprocess.run([str(SIM), "--submit", board.url, str(GOLDEN / "stage1.replay"), "--name", "x" * 17],
                             capture_output=True, text=True, timeout=60)
    assert refused.returncode == 2 and "refused the upload (400): a name is 1 to 16" in refused.stderr


def test_a_verification_over_its_cpu_limit_is_stopped_and_rejected(sqlite_db, start_board, tmp_path):
    long_run = tmp_path / "long.replay"
    subprocess.run([str(SIM), "--frames", "600000", "--no-draw", "--quiet", "--record", str(long_run)],
                   check=True, capture_output=True, timeout=300)
    board = start_board(sqlite_db, "--workers", "1", "--verify-cpu", "1")
    run = board.verdict(board.submit(long_run.read_bytes(), "Hal"))
    assert run["status"] == "rejected" and "limit of 1 CPU seconds" in run["reason"], run
