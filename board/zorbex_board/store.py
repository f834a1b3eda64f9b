"""Every SQL statement the board runs, each with bound parameters, the same for both databases."""
from __future__ import annotations

import hashlib
import json
import time
from dataclasses import dataclass

from sqlalchemy import text
from sqlalchemy.engine import Engine

from .database import is_postgresql, now_text
from .verify import Verdict

EVERY_ENDING = -1  # the board_entries rows of a difficulty's table of all endings
MAX_CLAIMS = 3     # a run whose verifier failed this often is rejected


@dataclass
class Claim:
    run_id: int
    replay: bytes
    claims: int


def now_ms() -> int:
    return int(time.time() * 1000)


def add_run(engine: Engine, replay: bytes, name: str, address: str) -> tuple[int, bool]:
    """Stores an upload as a waiting run: (its id, whether these bytes were already a run)."""
    digest = hashlib.sha256(replay).hexdigest()
    with engine.begin() as c:
        row = c.execute(
            text("INSERT INTO runs (replay_sha256, name, address, submitted_at, status) "
                 "VALUES (:sha, :name, :address, :at, 'waiting') "
                 "ON CONFLICT (replay_sha256) DO NOTHING RETURNING id"),
            {"sha": digest, "name": name, "address": address, "at": now_text()},
        ).first()
        if row:
            c.execute(text("INSERT INTO replays (run_id, replay) VALUES (:id, :replay)"),
                      {"id": row[0], "replay": replay})
            return row[0], False
        row = c.execute(text("SELECT id FROM runs WHERE replay_sha256 = :sha"), {"sha": digest}).first()
        return row[0], True


def waiting_from(engine: Engine, address: str) -> int:
    with engine.connect() as c:
        return c.execute(
            text("SELECT COUNT(*) FROM runs WHERE address = :address AND status = 'waiting'"),
            {"address": address},
        ).scalar_one()


def claim_run(engine: Engine, worker: str, lease_ms: int) -> Claim | None:
    """Takes the oldest waiting run nobody holds (or whose holder's lease ran out)."""
    # PostgreSQL: boards on several machines share one database and skip each other's rows;
    # SQLite runs one writer at a time, so the single statement is atomic there as it stands
    lock = " FOR UPDATE SKIP LOCKED" if is_postgresql(engine) else ""
    now = now_ms()
    with engine.begin() as c:
        row = c.execute(
            text("UPDATE runs SET claimed_by = :worker, lease_until = :until, claims = claims + 1 "
                 "WHERE id = (SELECT id FROM runs WHERE status = 'waiting' "
                 "AND (lease_until IS NULL OR lease_until < :now) ORDER BY id LIMIT 1" + lock + ") "
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


def finish_run(engine: Engine, run_id: int, worker: str, verdict: Verdict) -> bool:
    """Stores the verdict of a run this worker still holds; a verified run enters its tables."""
    f = verdict.figures
    values = {
        "id": run_id, "worker": worker, "status": verdict.status, "reason": verdict.reason,
        "at": now_text(), "score": f.get("score"), "difficulty": f.get("difficulty"),
        "ending": f.get("ending"), "continues": f.get("continues"), "frames": f.get("frames"),
        "deaths": f.get("deaths"), "bombs": f.get("bombs"),
        "route": json.dumps(f["route"]) if f else None,
        "stages": json.dumps(f["stages"]) if f else None,
        "summary": json.dumps(verdict.summary) if verdict.summary else None,
    }
    with engine.begin() as c:
        done = c.execute(
            text("UPDATE runs SET status = :status, reason = :reason, verified_at = :at, "
                 "score = :score, difficulty = :difficulty, ending = :ending, route = :route, "
                 "continues = :continues, frames = :frames, deaths = :deaths, bombs = :bombs, "
                 "stages = :stages, summary = :summary, claimed_by = NULL, lease_until = NULL "
                 "WHERE id = :id AND claimed_by = :worker AND status = 'waiting'"),
            values,
        ).rowcount
        if done != 1:
            return False  # the lease ran out and another worker has it: its verdict counts
        if verdict.status == "verified":
            name = c.execute(text("SELECT name FROM runs WHERE id = :id"), {"id": run_id}).scalar_one()
            continued = 1 if f["continues"] > 0 else 0
            for ending in (EVERY_ENDING, f["ending"]):
                # one row per player and table: the higher score, and on a tie the earlier run
                c.execute(
                    text("INSERT INTO board_entries (difficulty, ending, continued, name, run_id, score) "
                         "VALUES (:difficulty, :ending, :continued, :name, :run, :score) "
                         "ON CONFLICT (difficulty, ending, continued, name) DO UPDATE "
                         "SET run_id = excluded.run_id, score = excluded.score "
                         "WHERE excluded.score > board_entries.score OR "
                         "(excluded.score = board_entries.score AND excluded.run_id < board_entries.run_id)"),
                    {"difficulty": f["difficulty"], "ending": ending, "continued": continued,
                     "name": name, "run": run_id, "score": f["score"]},
                )
    return True


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


def board_page(engine: Engine, difficulty: int, ending: int, continued: bool,
               limit: int, offset: int) -> tuple[list[dict], int]:
    """One page of a table, best first, and how many players the table holds."""
    key = {"difficulty": difficulty, "ending": ending, "continued": 1 if continued else 0}
    with engine.connect() as c:
        rows = c.execute(
            # the page is cut from the table's index alone, then its runs are read: an offset
            # deep into the table skips index entries, not joined rows
            text("SELECT b.run_id, r.name, b.score, r.route, r.ending, r.continues, r.submitted_at "
                 "FROM (SELECT run_id, score FROM board_entries "
                 "WHERE difficulty = :difficulty AND ending = :ending AND continued = :continued "
                 "ORDER BY score DESC, run_id ASC LIMIT :limit OFFSET :offset) b "
                 "JOIN runs r ON r.id = b.run_id ORDER BY b.score DESC, b.run_id ASC"),
            {**key, "limit": limit, "offset": offset},
        ).all()
        total = c.execute(
            text("SELECT COUNT(*) FROM board_entries "
                 "WHERE difficulty = :difficulty AND ending = :ending AND continued = :continued"),
            key,
        ).scalar_one()
    entries = [
        {"rank": offset + i + 1, "name": r[1], "score": r[2], "route": json.loads(r[3]),
         "ending": r[4], "continues": r[5], "date": r[6], "id": r[0]}
        for i, r in enumerate(rows)
    ]
    return entries, total


def status_counts(engine: Engine) -> dict[str, int]:
    with engine.connect() as c:
        rows = c.execute(text("SELECT status, COUNT(*) FROM runs GROUP BY status")).all()
    return {status: count for status, count in rows}
