"""Verification workers: threads that claim waiting runs and have the simulator judge them."""
from __future__ import annotations

import logging
import os
import socket
import threading

from sqlalchemy.engine import Engine
from sqlalchemy.exc import SQLAlchemyError

from . import store
from .sandbox import Sandbox
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

    def run(self, worker: str) -> None:
        while not self.stop.is_set():
            try:
                claim = store.claim_run(self.engine, worker, self.lease_ms)
            except SQLAlchemyError:
                log.exception("cannot claim a run")
                claim = None
            if claim is None:
                self.wake.wait(IDLE_POLL_SECONDS)
                self.wake.clear()
                continue
            self.verify(worker, claim)

    def verify(self, worker: str, claim: store.Claim) -> None:
        try:
            verdict = verify_replay(self.sandbox, claim.replay)
        except Exception:  # the worker must outlive any one run
            log.exception("run %d: the verification failed", claim.run_id)
            verdict = Verdict("retry", "the verification failed inside the board")
        if verdict.status == "retry":
            log.warning("run %d: %s (attempt %d)", claim.run_id, verdict.reason, claim.claims)
            if claim.claims < store.MAX_CLAIMS:
                store.release_run(self.engine, claim.run_id, worker)
                return
            verdict = Verdict("rejected", f"the verifier failed on this replay: {verdict.reason}")
        if store.finish_run(self.engine, claim.run_id, worker, verdict):
            if self.on_verdict:
                self.on_verdict()
            log.info("run %d %s%s", claim.run_id, verdict.status, f": {verdict.reason}" if verdict.reason else "")
