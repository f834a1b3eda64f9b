"""What every router of one board process shares."""
from __future__ import annotations

import threading
import time
from collections.abc import Callable
from dataclasses import dataclass, field

from sqlalchemy.engine import Engine

from .pages import Pages
from .settings import AppSettings


class TableCache:
    """The tables (and their pages) as read a moment ago: they change only when a run is verified, and are read
    far more often. Cleared when this board verifies a run; another board's verdict shows
    within `seconds` (0: no cache)."""

    def __init__(self, seconds: float = 2.0) -> None:
        self.seconds = seconds
        self.tables: dict[tuple, tuple[float, object]] = {}
        self.lock = threading.Lock()

    def get(self, key: tuple, read):  # type: ignore[no-untyped-def]
        if self.seconds <= 0:
            return read()
        now = time.monotonic()
        with self.lock:
            hit = self.tables.get(key)
        if hit and now - hit[0] < self.seconds:
            return hit[1]
        table = read()
        with self.lock:
            if len(self.tables) > 1000:
                self.tables.clear()
            self.tables[key] = (now, table)
        return table

    def clear(self) -> None:
        with self.lock:
            self.tables.clear()


@dataclass
class Board:
    engine: Engine
    settings: AppSettings
    pages: Pages
    cache: TableCache
    wake: threading.Event | None = None               # set when a run waits: this process's workers look
    workers_alive: Callable[[], int] = field(default=lambda: 0)
    workers_started: int = 0
