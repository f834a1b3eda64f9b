"""The board's verdicts against a real server, on SQLite and PostgreSQL: only what the
simulator reproduces is ranked, with exactly the simulator's figures."""
from __future__ import annotations

import json
import re

import httpx
from conftest import DATA, GOLDEN, golden, simulate
from zorbex_board import store
from sqlalchemy import text
from zorbex_board.database import migrate, migrations, open_database, statements
from zorbex_board.verify import Verdict


def with_button_changed(replay: bytes) -> bytes:
    """The first run of held fire becomes no buttons: the same frames, other input."""
    lines = replay.decode().split("\n")
    first = next(i for i, line in enumerate(lines) if line.startswith("buttons ")) + 1
    i = next(i for i in range(first, len(lines)) if lines[i].endswith(" 10"))
    lines[i] = lines[i].split()[0] + " 00"
    return "\n".join(lines).encode()


def with_hash_edited(replay: bytes, index: int = 10) -> bytes:
    lines = replay.decode().split("\n")
    i = next(i for i, line in enumerate(lines) if line.startswith("hashes ")) + 1 + index
    frame, digest = lines[i].split()
    lines[i] = f"{frame} {int(digest, 16) ^ 1:016x}"
    return "\n".join(lines).encode()


def test_golden_runs_are_ranked_with_the_simulators_figures(database, start_board):
    board = start_board(database, "--workers", "2")
    game_run = golden("game-run.replay")
    ids = {"game-run": board.submit(game_run, "Ann"), "continue": board.submit(golden("continue.replay"), "Bea")}
    want = {name: simulate(GOLDEN / f"{name}.replay") for name in ids}

    for name, run_id in ids.items():
        run, w = board.verdict(run_id), want[name]
        assert run["status"] == "verified" and run["reason"] is None, run
        assert (run["score"], run["route"], run["ending"], run["continues"], run["difficulty"]) == (
            w["score"], w["stagesPlayed"], w["ending"], w["continues"], w["difficulty"])
        assert (run["frames"], run["deaths"], run["bombs"], run["stages"]) == (
            w["frames"], w["deaths"], w["bombsUsed"], w["stages"])

    one_credit = board.board(2)["runs"]
    assert [(r["rank"], r["name"], r["score"], r["id"], r["route"]) for r in one_credit] == [
        (1, "Ann", want["game-run"]["score"], ids["game-run"], [1])]
    # a continue restarts the score at 0: such runs have tables of their own
    ending = want["continue"]["ending"]
    assert [(r["name"], r["score"], r["ending"]) for r in board.board("normal", continued="1")["runs"]] == [
        ("Bea", want["continue"]["score"], ending)]
    assert board.board(2, ending=str(ending or "given-up"), continued="1")["runs"][0]["id"] == ids["continue"]
    assert board.board(2, ending="22" if ending != 22 else "23", continued="1")["runs"] == []
    assert [r["id"] for r in board.board(2, ending="given-up")["runs"]] == [ids["game-run"]]
    assert board.board(1)["runs"] == [] and board.board(3)["runs"] == []

    # the same bytes again are the same run, whoever sends them
    again = board.upload(game_run, "Someone Else")
    assert again.status_code == 202 and again.json()["id"] == ids["game-run"] and again.json()["duplicate"]
    assert board.run(ids["game-run"])["name"] == "Ann"
    assert httpx.get(f"{board.url}/runs/{ids['game-run']}.replay").content == game_run


def test_assisted_and_forged_runs_are_rejected_with_their_reason(database, start_board):
    board = start_board(database, "--workers", "2")
    game_run = golden("game-run.replay")
    cases = {
        "assisted": (golden("ending22.replay"), r"^assisted: .*\binvincible\b"),
        "button": (with_button_changed(game_run), r"^state differs at frame \d+ .*last matched at frame \d+"),
        "hash": (with_hash_edited(game_run), r"^state differs at frame 660 "),
        "truncated": (game_run[: game_run.index(b"\n", len(game_run) // 2) + 1], r"^line \d+: the file ends inside the"),
        "old scheme": ((DATA / "old-hash-scheme.replay").read_bytes(), r"older build of the game"),
    }
    ids = {what: board.submit(data, what) for what, (data, _) in cases.items()}
    for what, (_, reason) in cases.items():
        run = board.verdict(ids[what])
        assert run["status"] == "rejected", (what, run)
        assert re.search(reason, run["reason"]), (what, run["reason"])
    for table in ({}, {"continued": "1"}, {"ending": "22"}, {"ending": "given-up"}):
        assert board.board(2, **table)["runs"] == []


def test_one_best_run_per_name_and_ties_to_the_earlier(database, start_board, given_up_runs):
    board = start_board(database, "--workers", "2")
    ids = [board.submit(replay, "Cy") for replay in given_up_runs] + [board.submit(golden("game-run.replay"), "Cy")]
    runs = [board.verdict(run_id) for run_id in ids]
    assert all(r["status"] == "verified" for r in runs), runs
    best = max(runs, key=lambda r: (r["score"], -r["id"]))
    assert [(r["name"], r["id"]) for r in board.board(2)["runs"]] == [("Cy", best["id"])]
    board.stop()

    # two runs of one name with one score, the later one verified first: the earlier keeps the place
    engine = open_database(database)
    migrate(engine)
    tied = [store.add_run(engine, replay, "Dee", "test")[0] for replay in (b"zorbex-replay tie 1", b"zorbex-replay tie 2")]
    claims = [store.claim_run(engine, "test:0:0", 60_000), store.claim_run(engine, "test:0:1", 60_000)]
    assert [c.run_id for c in claims] == tied
    summary = simulate(GOLDEN / "game-run.replay")
    for claim, worker in reversed(list(zip(claims, ("test:0:0", "test:0:1")))):
        assert store.finish_run(engine, claim.run_id, worker, Verdict("verified", None, summary))
    entries, _ = store.board_page(engine, 2, store.EVERY_ENDING, False, 1)
    assert [(e["name"], e["id"]) for e in entries if e["name"] == "Dee"] == [("Dee", tied[0])]
    # a verdict from a worker that no longer holds the run changes nothing
    assert not store.finish_run(engine, tied[0], "test:0:1", Verdict("rejected", "late", {}))
    assert store.get_run(engine, tied[0])["status"] == "verified"
    engine.dispose()


def test_a_board_of_the_first_schema_is_upgraded_to_one_run_one_entry(tmp_path):
    engine = open_database(str(tmp_path / "old.sqlite"))
    _, first, sql = migrations()[0]
    summary = simulate(GOLDEN / "game-run.replay")
    game_run = golden("game-run.replay")
    with engine.begin() as c:
        c.exec_driver_sql("CREATE TABLE schema_migrations (version INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                          "applied_at TEXT NOT NULL)")
        for statement in statements(sql, "sqlite"):
            c.exec_driver_sql(statement)
        c.execute(text("INSERT INTO schema_migrations VALUES (1, :name, '2026-01-01T00:00:00Z')"), {"name": first})
        # the same run twice under two spellings of one name, as the first schema let them in
        for run_id, (name, replay) in enumerate((("Ann", game_run), ("ANN ", game_run + b"\n")), start=1):
            c.execute(text("INSERT INTO runs (replay_sha256, name, address, submitted_at, status, score, "
                           "difficulty, ending, continues, route, summary) VALUES (:sha, :name, '::1', "
                           "'2026-01-0' || :id || 'T10:00:00Z', 'verified', :score, 2, 0, 0, '[1]', :summary)"),
                      {"sha": str(run_id), "name": name, "id": run_id, "score": summary["score"],
                       "summary": json.dumps(summary)})
            c.execute(text("INSERT INTO replays VALUES (:id, :replay)"), {"id": run_id, "replay": replay})
    assert migrate(engine, after=store.UPGRADES) == ["002_one_run_one_entry.sql", "003_page_marks.sql"]
    copy = store.get_run(engine, 2)
    assert copy["status"] == "rejected" and copy["reason"] == "this run was submitted as Ann on 2026-01-01"
    entries, players = store.board_page(engine, 2, store.EVERY_ENDING, False, 1)
    assert [(e["id"], e["name"]) for e in entries] == [(1, "Ann")] and players == 1
    engine.dispose()


def test_deep_pages_are_read_from_their_marks(database):
    engine = open_database(database)
    migrate(engine, after=store.UPGRADES)
    summary = simulate(GOLDEN / "game-run.replay")

    def verified(name: str, score: int) -> int:
        run_id = store.add_run(engine, f"zorbex-replay {name}".encode(), name, "192.0.2.1")[0]
        claim = store.claim_run(engine, "test:0:0", 60_000)
        assert claim.run_id == run_id
        assert store.finish_run(engine, run_id, "test:0:0", Verdict("verified", None, {**summary, "score": score}))
        return run_id

    scores = {f"P{i}": (i * 7919) % 1000 * 10 for i in range(250)}  # every score twice or so, ties by upload
    ids = {name: verified(name, score) for name, score in scores.items()}
    best_first = sorted(scores, key=lambda n: (-scores[n], ids[n]))
    pages = [store.board_page(engine, 2, store.EVERY_ENDING, False, page) for page in (1, 2, 3, 4)]
    assert [total for _, total in pages] == [250] * 4
    assert [[e["name"] for e in entries] for entries, _ in pages] == [best_first[:100], best_first[100:200],
                                                                      best_first[200:], []]
    assert [e["rank"] for e in pages[2][0]] == list(range(201, 251))
    # a better run of a player on page 3 moves everyone between up a place, across the pages' marks
    last = best_first[-1]
    run_id = store.add_run(engine, b"zorbex-replay again", last, "192.0.2.1")[0]
    store.claim_run(engine, "test:0:0", 60_000)
    store.finish_run(engine, run_id, "test:0:0", Verdict("verified", None, {**summary, "score": 100_000}))
    second = store.board_page(engine, 2, store.EVERY_ENDING, False, 2)[0]
    assert [e["name"] for e in second] == best_first[99:199] and second[0]["rank"] == 101
    engine.dispose()
