"""Every SQL statement the board runs, each with bound parameters, the same for both databases."""
from __future__ import annotations

import hashlib
import json
import time
from dataclasses import dataclass
from datetime import datetime, timezone

from sqlalchemy import text
from sqlalchemy.engine import Connection, Engine

from .database import is_postgresql, now_text
from .guard import address_key
from .identity import run_keys
from .names import name_key
from .verify import Verdict

EVERY_ENDING = -1  # the board_entries rows of a difficulty's table of all endings
MAX_CLAIMS = 3     # a run whose verifier failed this often is rejected
PLACE_SPAN = 1 << 32  # run ids stay below it
PAGE_SIZE = 100


@dataclass
class Claim:
    run_id: int
    replay: bytes
    claims: int


def now_ms() -> int:
    return int(time.time() * 1000)


def place_of(score: int, run_id: int) -> int:
    """A table's order in one number, best first: the higher score, then the earlier run."""
    return score * PLACE_SPAN + (PLACE_SPAN - 1 - run_id)


def add_run(engine: Engine, replay: bytes, name: str, address: str) -> tuple[int, bool]:
    """Stores an upload as a waiting run: (its id, whether these bytes were already a run).
    The run takes its turn after the runs already waiting from its address."""
    digest = hashlib.sha256(replay).hexdigest()
    key = address_key(address)
    with engine.begin() as c:
        row = c.execute(
            text("INSERT INTO runs (replay_sha256, name, name_key, address, address_key, submitted_at, "
                 "submitted_ms, status, turn) "
                 "VALUES (:sha, :name, :name_key, :address, :key, :at, :ms, 'waiting', "
                 "(SELECT COALESCE(MAX(turn), 0) + 1 FROM runs WHERE address_key = :key AND status = 'waiting')) "
                 "ON CONFLICT (replay_sha256) DO NOTHING RETURNING id"),
            {"sha": digest, "name": name, "name_key": name_key(name), "address": address, "key": key,
             "at": now_text(), "ms": now_ms()},
        ).first()
        if row:
            c.execute(text("INSERT INTO replays (run_id, replay) VALUES (:id, :replay)"),
                      {"id": row[0], "replay": replay})
            return row[0], False
        row = c.execute(text("SELECT id FROM runs WHERE replay_sha256 = :sha"), {"sha": digest}).first()
        return row[0], True


def waiting_counts(engine: Engine, address: str) -> tuple[int, int]:
    """The runs waiting from this address's key, and from everyone."""
    with engine.connect() as c:
        mine = c.execute(
            text("SELECT COUNT(*) FROM runs WHERE address_key = :key AND status = 'waiting'"),
            {"key": address_key(address)},
        ).scalar_one()
        everyone = c.execute(text("SELECT COUNT(*) FROM runs WHERE status = 'waiting'")).scalar_one()
    return mine, everyone


def claim_run(engine: Engine, worker: str, lease_ms: int) -> Claim | None:
    """Takes the next waiting run nobody holds (or whose holder's lease ran out): the runs
    of every address in turn, so that one address's flood waits behind everyone's first run."""
    # PostgreSQL: boards on several machines share one database and skip each other's rows;
    # SQLite runs one writer at a time, so the single statement is atomic there as it stands
    lock = " FOR UPDATE SKIP LOCKED" if is_postgresql(engine) else ""
    now = now_ms()
    with engine.begin() as c:
        row = c.execute(
            text("UPDATE runs SET claimed_by = :worker, lease_until = :until, claims = claims + 1 "
                 "WHERE id = (SELECT id FROM runs WHERE status = 'waiting' "
                 "AND (lease_until IS NULL OR lease_until < :now) ORDER BY turn, id LIMIT 1" + lock + ") "
                 "AND status = 'waiting' RETURNING id, claims"),
            {"worker": worker, "until": now + lease_ms, "now": now},
        ).first()
        if not row:
            return None
        replay = c.execute(text("SELECT replay FROM replays WHERE run_id = :id"), {"id": row[0]}).scalar_one()
    return Claim(row[0], bytes(replay), row[1])


def release_run(engine: Engine, run_id: int, worker: str) -> None:
    """Hands a claimed run back to the waiting ones (its verifier failed, not the run)."""
    with engine.begin() as c:
        c.execute(text("UPDATE runs SET claimed_by = NULL, lease_until = NULL "
                       "WHERE id = :id AND claimed_by = :worker AND status = 'waiting'"),
                  {"id": run_id, "worker": worker})


def release_dead_claims(engine: Engine, host: str, alive) -> int:  # type: ignore[no-untyped-def]
    """Frees the runs held by board processes of this machine that are gone."""
    freed = 0
    with engine.begin() as c:
        held = c.execute(text("SELECT id, claimed_by FROM runs WHERE status = 'waiting' "
                              "AND claimed_by IS NOT NULL")).all()
        for run_id, worker in held:
            if not worker.startswith(host + ":"):
                continue  # another machine's: its lease decides
            try:
                pid = int(worker.split(":")[1])
            except (IndexError, ValueError):
                continue
            if not alive(pid):
                freed += c.execute(text("UPDATE runs SET claimed_by = NULL, lease_until = NULL "
                                        "WHERE id = :id AND claimed_by = :worker AND status = 'waiting'"),
                                   {"id": run_id, "worker": worker}).rowcount
    return freed


def finish_run(engine: Engine, run_id: int, worker: str, verdict: Verdict, keys: list[str] | None = None) -> bool:
    """Stores the verdict of a run this worker still holds. A verified run enters its tables,
    unless one of its keys (what the simulator played) is another run's already; a rejected run's file
    is deleted, its reason kept."""
    with engine.begin() as c:
        # a write first: SQLite takes its lock here, PostgreSQL the row's
        held = c.execute(text("UPDATE runs SET lease_until = NULL WHERE id = :id AND claimed_by = :worker "
                              "AND status = 'waiting' RETURNING name_key"), {"id": run_id, "worker": worker}).first()
        if not held:
            return False  # the lease ran out and another worker has it: its verdict counts
        if verdict.status == "verified" and keys:
            verdict = first_of_its_kind(c, run_id, keys, verdict)
        verified = verdict.status == "verified"
        f = verdict.figures if verified else {}
        c.execute(
            text("UPDATE runs SET status = :status, reason = :reason, verified_at = :at, "
                 "score = :score, difficulty = :difficulty, ending = :ending, route = :route, "
                 "continues = :continues, frames = :frames, deaths = :deaths, bombs = :bombs, "
                 "stages = :stages, summary = :summary, claimed_by = NULL, lease_until = NULL WHERE id = :id"),
            {"id": run_id, "status": verdict.status, "reason": verdict.reason, "at": now_text(),
             "score": f.get("score"), "difficulty": f.get("difficulty"), "ending": f.get("ending"),
             "continues": f.get("continues"), "frames": f.get("frames"), "deaths": f.get("deaths"),
             "bombs": f.get("bombs"), "route": json.dumps(f["route"]) if f else None,
             "stages": json.dumps(f["stages"]) if f else None,
             "summary": json.dumps(verdict.summary) if verdict.summary else None},
        )
        if verified:
            enter_tables(c, run_id, held[0], f)
        else:
            c.execute(text("DELETE FROM replays WHERE run_id = :id"), {"id": run_id})
    return True


def first_of_its_kind(c: Connection, run_id: int, keys: list[str], verdict: Verdict) -> Verdict:
    """The verdict, or a refusal when the same run was verified before under any name."""
    for key in keys:
        taken = c.execute(text("INSERT INTO run_keys (run_key, run_id) VALUES (:key, :id) "
                               "ON CONFLICT (run_key) DO NOTHING RETURNING run_id"), {"key": key, "id": run_id}).first()
        if not taken:
            c.execute(text("DELETE FROM run_keys WHERE run_id = :id"), {"id": run_id})
            first = c.execute(text("SELECT r.name, r.submitted_at FROM run_keys k JOIN runs r ON r.id = k.run_id "
                                   "WHERE k.run_key = :key"), {"key": key}).first()
            return Verdict("rejected", f"this run was submitted as {first[0]} on {first[1][:10]}")
    return verdict


def enter_tables(c: Connection, run_id: int, player: str, f: dict, mark: bool = True) -> None:
    continued = 1 if f["continues"] > 0 else 0
    for ending in (EVERY_ENDING, f["ending"]):
        # one row per player and table: the higher score, and on a tie the earlier run
        c.execute(
            text("INSERT INTO board_entries (difficulty, ending, continued, name_key, run_id, score, place) "
                 "VALUES (:difficulty, :ending, :continued, :player, :run, :score, :place) "
                 "ON CONFLICT (difficulty, ending, continued, name_key) DO UPDATE "
                 "SET run_id = excluded.run_id, score = excluded.score, place = excluded.place "
                 "WHERE excluded.place > board_entries.place"),
            {"difficulty": f["difficulty"], "ending": ending, "continued": continued, "player": player,
             "run": run_id, "score": f["score"], "place": place_of(f["score"], run_id)},
        )
        if mark:
            mark_pages(c, f["difficulty"], ending, continued)


RUN_COLUMNS = ("id, name, submitted_at, status, reason, verified_at, score, difficulty, ending, "
               "route, continues, frames, deaths, bombs, stages")


def get_run(engine: Engine, run_id: int) -> dict | None:
    with engine.connect() as c:
        row = c.execute(text(f"SELECT {RUN_COLUMNS} FROM runs WHERE id = :id"), {"id": run_id}).mappings().first()
    if not row:
        return None
    run = dict(row)
    run["route"] = json.loads(run["route"]) if run["route"] else None
    run["stages"] = json.loads(run["stages"]) if run["stages"] else None
    return run


def get_replay(engine: Engine, run_id: int) -> bytes | None:
    with engine.connect() as c:
        row = c.execute(text("SELECT replay FROM replays WHERE run_id = :id"), {"id": run_id}).first()
    return bytes(row[0]) if row else None


def board_page(engine: Engine, difficulty: int, ending: int, continued: bool, page: int) -> tuple[list[dict], int]:
    """One page of a table, best first, and how many players the table holds: read from the
    page's mark, so the last page costs what the first does."""
    key = {"difficulty": difficulty, "ending": ending, "continued": 1 if continued else 0}
    with engine.connect() as c:
        total = c.execute(text("SELECT players FROM board_sizes WHERE difficulty = :difficulty "
                               "AND ending = :ending AND continued = :continued"), key).scalar_one_or_none() or 0
        rows = c.execute(
            text("SELECT b.run_id, r.name, b.score, r.route, r.ending, r.continues, r.submitted_at "
                 "FROM (SELECT run_id, score, place FROM board_entries "
                 "WHERE difficulty = :difficulty AND ending = :ending AND continued = :continued "
                 "AND place <= (SELECT first_place FROM board_pages WHERE difficulty = :difficulty "
                 "AND ending = :ending AND continued = :continued AND page = :page) "
                 "ORDER BY place DESC LIMIT :size) b "
                 "JOIN runs r ON r.id = b.run_id ORDER BY b.place DESC"),
            {**key, "page": page, "size": PAGE_SIZE},
        ).all()
    first = (page - 1) * PAGE_SIZE
    entries = [
        {"rank": first + i + 1, "name": r[1], "score": r[2], "route": json.loads(r[3]),
         "ending": r[4], "continues": r[5], "date": r[6], "id": r[0]}
        for i, r in enumerate(rows)
    ]
    return entries, total


def mark_pages(c: Connection, difficulty: int, ending: int, continued: int) -> None:
    """The marks of one table's pages and its size, again: after every change to the table, in
    its transaction (one pass over the table's index, a small part of a verification)."""
    key = {"difficulty": difficulty, "ending": ending, "continued": continued}
    where = "difficulty = :difficulty AND ending = :ending AND continued = :continued"
    marks = c.execute(text(f"SELECT place FROM (SELECT place, ROW_NUMBER() OVER (ORDER BY place DESC) AS n "
                           f"FROM board_entries WHERE {where}) numbered "
                           f"WHERE n % {PAGE_SIZE} = 1 ORDER BY place DESC"), key).scalars().all()
    c.execute(text(f"DELETE FROM board_pages WHERE {where} AND page > :pages"), {**key, "pages": len(marks)})
    if marks:
        c.execute(text("INSERT INTO board_pages (difficulty, ending, continued, page, first_place) "
                       "VALUES (:difficulty, :ending, :continued, :page, :place) "
                       "ON CONFLICT (difficulty, ending, continued, page) DO UPDATE SET first_place = excluded.first_place"),
                  [{**key, "page": i + 1, "place": place} for i, place in enumerate(marks)])
    c.execute(text("INSERT INTO board_sizes (difficulty, ending, continued, players) "
                   f"VALUES (:difficulty, :ending, :continued, (SELECT COUNT(*) FROM board_entries WHERE {where})) "
                   "ON CONFLICT (difficulty, ending, continued) DO UPDATE SET players = excluded.players"), key)


def mark_every_table(c: Connection) -> None:
    tables = c.execute(text("SELECT DISTINCT difficulty, ending, continued FROM board_entries")).all()
    for difficulty, ending, continued in tables:
        mark_pages(c, difficulty, ending, continued)


def status_counts(engine: Engine) -> tuple[dict[str, int], float | None]:
    """How many runs are in each state, and the age in seconds of the oldest waiting one."""
    with engine.connect() as c:
        rows = c.execute(text("SELECT status, COUNT(*) FROM runs GROUP BY status")).all()
        oldest = c.execute(text("SELECT MIN(submitted_ms) FROM runs WHERE status = 'waiting'")).scalar_one()
    return {status: count for status, count in rows}, None if oldest is None else (now_ms() - oldest) / 1000


def upgrade_to_keys(c: Connection) -> None:
    """After migration 2, on a board that held runs: the keys of names, addresses and runs, and
    the tables again, best run per player's key, a run verified twice kept once."""
    runs = c.execute(text("SELECT id, name, address, submitted_at, status, summary FROM runs ORDER BY id")).all()
    for run_id, name, address, submitted_at, status, summary in runs:
        at = datetime.strptime(submitted_at, "%Y-%m-%dT%H:%M:%SZ").replace(tzinfo=timezone.utc)
        c.execute(text("UPDATE runs SET name_key = :n, address_key = :a, submitted_ms = :ms WHERE id = :id"),
                  {"n": name_key(name), "a": address_key(address), "ms": int(at.timestamp() * 1000), "id": run_id})
        if status != "verified":
            continue
        verdict = Verdict("verified", None, json.loads(summary))
        replay = c.execute(text("SELECT replay FROM replays WHERE run_id = :id"), {"id": run_id}).scalar_one()
        if "runEndFrame" in verdict.summary:
            verdict = first_of_its_kind(c, run_id, run_keys(bytes(replay), verdict.summary), verdict)
        if verdict.status == "verified":
            enter_tables(c, run_id, name_key(name), verdict.figures, mark=False)  # marked by migration 3
        else:
            c.execute(text("UPDATE runs SET status = 'rejected', reason = :reason WHERE id = :id"),
                      {"reason": verdict.reason, "id": run_id})


# the steps that follow a migration, for what its SQL cannot compute
UPGRADES = {2: upgrade_to_keys, 3: mark_every_table}
