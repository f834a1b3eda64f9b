"""Verification workers: threads that claim waiting runs and have the simulator judge them."""
from __future__ import annotations

import logging
import os
import socket
import threading

from sqlalchemy.engine import Engine

from . import store
from .sandbox import Sandbox
from .identity import run_keys
from .verify import Verdict, verify_replay

log = logging.getLogger("zorbex_board.workers")
IDLE_POLL_SECONDS = 1.0  # runs uploaded to another board process are found this often
LEASE_MARGIN_MS = 30_000


def process_alive(pid: int) -> bool:
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        return True
    return True


class Workers:
    def __init__(self, engine: Engine, sandbox: Sandbox, count: int, on_verdict=None) -> None:  # type: ignore[no-untyped-def]
        self.engine = engine
        self.on_verdict = on_verdict
        self.sandbox = sandbox
        self.count = count
        self.wake = threading.Event()
        self.stop = threading.Event()
        self.threads: list[threading.Thread] = []
        self.host = socket.gethostname()
        self.lease_ms = sandbox.limits.wall_seconds * 1000 + LEASE_MARGIN_MS

    def start(self) -> None:
        freed = store.release_dead_claims(self.engine, self.host, process_alive)
        if freed:
            log.info("%d runs held by a board that stopped are waiting again", freed)
        for i in range(self.count):
            worker = f"{self.host}:{os.getpid()}:{i}"
            t = threading.Thread(target=self.run, args=(worker,), name=f"verifier-{i}", daemon=True)
            t.start()
            self.threads.append(t)

    def shutdown(self) -> None:
        self.stop.set()
        self.wake.set()
        for t in self.threads:
            t.join(timeout=self.sandbox.limits.wall_seconds + 5)

    def alive(self) -> int:
        return sum(t.is_alive() for t in self.threads)

    def run(self, worker: str) -> None:
        # nothing a run or the database does may end this loop: a verifier that died would
        # leave every later upload waiting for ever
        backoff = Backoff(self.stop)
        while not self.stop.is_set():
            try:
                claim = store.claim_run(self.engine, worker, self.lease_ms)
                backoff.reset()
            except Exception:
                log.exception("%s: cannot claim a run; trying again in %.0f s", worker, backoff.seconds)
                backoff.wait()
                continue
            if claim is None:
                self.wake.wait(IDLE_POLL_SECONDS)
                self.wake.clear()
                continue
            self.verify(worker, claim, backoff)

    def verify(self, worker: str, claim: store.Claim, backoff: "Backoff") -> None:
        verdict, keys = judged(self.sandbox, claim)
        if verdict.status == "retry":
            log.warning("run %d: %s (attempt %d)", claim.run_id, verdict.reason, claim.claims)
            if claim.claims < store.MAX_CLAIMS:
                self.store_until_done(lambda: store.release_run(self.engine, claim.run_id, worker), backoff)
                return
            verdict = Verdict("rejected", f"the verifier failed on this replay: {verdict.reason}")
        stored = self.store_until_done(lambda: store.finish_run(self.engine, claim.run_id, worker, verdict, keys),
                                       backoff)
        if stored:
            if self.on_verdict:
                self.on_verdict()
            log.info("run %d %s%s", claim.run_id, verdict.status, f": {verdict.reason}" if verdict.reason else "")

    def store_until_done(self, write, backoff: "Backoff"):  # type: ignore[no-untyped-def]
        """Retries a write through database errors; once the lease has run out another worker
        will take the run, and this one's write finds it gone and changes nothing."""
        while not self.stop.is_set():
            try:
                done = write()
                backoff.reset()
                return done
            except Exception:
                log.exception("cannot store a verdict; trying again in %.0f s", backoff.seconds)
                backoff.wait()
        return None


def judged(sandbox: Sandbox, claim: store.Claim) -> tuple[Verdict, list[str] | None]:
    """The simulator's verdict on a claimed run, and for a verified one, the run's names."""
    try:
        verdict = verify_replay(sandbox, claim.replay)
    except Exception:  # the worker must outlive any one run
        log.exception("run %d: the verification failed", claim.run_id)
        return Verdict("retry", "the verification failed inside the board"), None
    if verdict.status != "verified":
        return verdict, None
    try:
        return verdict, run_keys(claim.replay, verdict.summary)
    except (ValueError, KeyError, IndexError, StopIteration, UnicodeDecodeError):
        return Verdict("rejected", "the board cannot read this replay's state hashes"), None


class Backoff:
    """Waits that double after each failure, up to a limit, cut short by stopping."""

    FIRST, LAST = 0.5, 30.0

    def __init__(self, stop: threading.Event) -> None:
        self.stop = stop
        self.seconds = self.FIRST

    def reset(self) -> None:
        self.seconds = self.FIRST

    def wait(self) -> None:
        self.stop.wait(self.seconds)
        self.seconds = min(self.LAST, self.seconds * 2)
