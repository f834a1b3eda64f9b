"""zorbex-board [--db board.sqlite] [--port 8080] ...: the server, its workers and its database."""
from __future__ import annotations

import argparse
import logging
import sys
from pathlib import Path

import uvicorn

from .app import AppSettings, TableCache, create_app
from .database import migrate, open_database
from .guard import GuardSettings
from .sandbox import Limits, Sandbox, find_simulator
from .workers import Workers

log = logging.getLogger("zorbex_board")


def parse_args(argv: list[str]) -> argparse.Namespace:
    p = argparse.ArgumentParser(prog="zorbex-board", description=__doc__)
    p.add_argument("--db", default="board.sqlite",
                   help="an SQLite file, or postgresql://user@host/database (default: board.sqlite)")
    p.add_argument("--host", default="127.0.0.1", help="address to listen on (default 127.0.0.1)")
    p.add_argument("--port", type=int, default=8080)
    p.add_argument("--workers", type=int, default=1, help="verifying workers in this process (0: none)")
    p.add_argument("--sim", help="the zorbex-sim to judge with (default: the build folder's, or on PATH)")
    p.add_argument("--sandbox", choices=("auto", "bwrap", "rlimits"), default="auto")
    p.add_argument("--verify-cpu", type=int, default=60, help="CPU seconds for one verification")
    p.add_argument("--verify-seconds", type=int, default=90, help="wall seconds for one verification")
    p.add_argument("--verify-memory-mb", type=int, default=512)
    p.add_argument("--requests-per-second", type=float, default=20.0, help="per address (0: no limit)")
    p.add_argument("--uploads-per-minute", type=float, default=10.0, help="per address (0: no limit)")
    p.add_argument("--max-waiting", type=int, default=10, help="waiting runs per address")
    p.add_argument("--web", help="the browser build to serve at /play (default: build/web when present)")
    return p.parse_args(argv)


def main(argv: list[str] | None = None) -> int:
    args = parse_args(sys.argv[1:] if argv is None else argv)
    logging.basicConfig(level=logging.INFO, format="zorbex-board: %(message)s")
    simulator = find_simulator(args.sim)
    limits = Limits(cpu_seconds=args.verify_cpu, wall_seconds=args.verify_seconds,
                    memory_bytes=args.verify_memory_mb << 20)
    sandbox = Sandbox(simulator, limits, args.sandbox)
    if sandbox.kind != "bwrap":
        log.warning("bwrap does not work here: the simulator runs under rlimits only, with the network in reach")

    engine = open_database(args.db, pool_size=max(8, args.workers + 4))
    for name in migrate(engine):
        log.info("applied migration %s", name)
    cache = TableCache()
    workers = Workers(engine, sandbox, args.workers, on_verdict=cache.clear)
    repo = Path(__file__).resolve().parent.parent.parent
    web = Path(args.web) if args.web else repo / "build" / "web"
    settings = AppSettings(max_waiting_per_address=args.max_waiting, map_dir=simulator.parent / "data",
                           web_dir=web, sandbox_kind=sandbox.kind, workers=args.workers)
    if not settings.map_dir.is_dir():
        settings.map_dir = simulator.parent.parent / "share" / "zorbex" / "data"
    guard = GuardSettings(requests_per_second=args.requests_per_second, request_burst=max(5 * args.requests_per_second, 20),
                          uploads_per_minute=args.uploads_per_minute, upload_burst=max(args.uploads_per_minute, 1))
    app = create_app(engine, settings, guard, wake=workers.wake, cache=cache)

    config = uvicorn.Config(app, host=args.host, port=args.port, log_level="warning",
                            timeout_keep_alive=5, limit_concurrency=500, access_log=False)
    server = uvicorn.Server(config)
    workers.start()
    host = f"[{args.host}]" if ":" in args.host else args.host
    print(f"zorbex-board: http://{host}:{args.port}/ ({engine.dialect.name}, {args.workers} workers, "
          f"simulator {simulator}, sandbox {sandbox.kind})", flush=True)
    try:
        server.run()
    finally:
        workers.shutdown()
        engine.dispose()
    return 0


if __name__ == "__main__":
    sys.exit(main())
