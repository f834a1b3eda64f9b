"""zorbex-board [--db board.sqlite] [--port 8080] ...: the server, its workers and its database."""
from __future__ import annotations

import argparse
import logging
import signal
import sys
import threading
from pathlib import Path

import uvicorn

from . import store
from .app import create_app
from .context import TableCache
from .database import migrate, open_database
from .sandbox import Limits, Sandbox, find_simulator
from .settings import AppSettings, GuardSettings, parse_proxies
from .workers import Workers

log = logging.getLogger("zorbex_board")


def parse_args(argv: list[str]) -> argparse.Namespace:
    p = argparse.ArgumentParser(prog="zorbex-board", description=__doc__)
    p.add_argument("--db", default="board.sqlite",
                   help="an SQLite file, or postgresql://user@host/database (default: board.sqlite)")
    p.add_argument("--host", default="127.0.0.1", help="address to listen on (default 127.0.0.1)")
    p.add_argument("--port", type=int, default=8080)
    p.add_argument("--workers", type=int, default=1, help="verifying workers in this process (0: none)")
    p.add_argument("--workers-only", action="store_true",
                   help="verify the shared database's waiting runs and serve nothing (another machine's board)")
    p.add_argument("--sim", help="the zorbex-sim to judge with (default: the build folder's, or on PATH)")
    p.add_argument("--sandbox", choices=("auto", "bwrap", "rlimits"), default="auto")
    p.add_argument("--verify-cpu", type=int, default=60, help="CPU seconds for one verification")
    p.add_argument("--verify-seconds", type=int, default=90, help="wall seconds for one verification")
    p.add_argument("--verify-memory-mb", type=int, default=512)
    p.add_argument("--requests-per-second", type=float, default=20.0, help="per address (0: no limit)")
    p.add_argument("--uploads-per-minute", type=float, default=10.0, help="per address (0: no limit)")
    p.add_argument("--max-waiting", type=int, default=10, help="waiting runs per address (an IPv6 /64)")
    p.add_argument("--max-waiting-total", type=int, default=500, help="waiting runs from all addresses")
    p.add_argument("--trusted-proxy", default="", metavar="ADDR[,ADDR...]",
                   help="proxies whose X-Forwarded-For names the client (addresses or networks; none by default)")
    p.add_argument("--max-connections", type=int, default=2000,
                   help="open connections before new ones are refused with 503 (the proxy holds slow clients)")
    p.add_argument("--cache-seconds", type=float, default=2.0, help="how long a table page is reused (0: never)")
    p.add_argument("--no-access-log", action="store_true", help="do not log each request")
    p.add_argument("--web", help="the browser build to serve at /play (default: build/web when present)")
    args = p.parse_args(argv)
    try:
        args.trusted_proxy = parse_proxies(args.trusted_proxy)
    except ValueError as e:
        p.error(f"--trusted-proxy: {e}")
    return args


def serve_nothing(workers: Workers) -> None:
    """A worker-only process: verifies until it is told to stop."""
    stop = threading.Event()
    for sig in (signal.SIGTERM, signal.SIGINT):
        signal.signal(sig, lambda *_: stop.set())
    print(f"zorbex-board: verifying with {workers.count} workers, serving nothing", flush=True)
    while not stop.wait(5):
        if workers.count and not workers.alive():
            log.error("no verifier is running")


def main(argv: list[str] | None = None) -> int:
    args = parse_args(sys.argv[1:] if argv is None else argv)
    logging.basicConfig(level=logging.INFO, format="zorbex-board: %(message)s")
    logging.getLogger("zorbex_board.access").disabled = args.no_access_log
    simulator = find_simulator(args.sim)
    limits = Limits(cpu_seconds=args.verify_cpu, wall_seconds=args.verify_seconds,
                    memory_bytes=args.verify_memory_mb << 20)
    sandbox = Sandbox(simulator, limits, args.sandbox)
    if sandbox.kind != "bwrap":
        log.warning("bwrap does not work here: the simulator runs under rlimits only, with the network in reach")

    engine = open_database(args.db, pool_size=max(8, args.workers + 4))
    for name in migrate(engine, after=store.UPGRADES):
        log.info("applied migration %s", name)
    cache = TableCache(args.cache_seconds)
    workers = Workers(engine, sandbox, args.workers, on_verdict=cache.clear)
    if args.workers_only:
        workers.start()
        try:
            serve_nothing(workers)
        finally:
            workers.shutdown()
            engine.dispose()
        return 0

    repo = Path(__file__).resolve().parent.parent.parent
    web = Path(args.web) if args.web else repo / "build" / "web"
    settings = AppSettings(max_waiting_per_address=args.max_waiting, max_waiting=args.max_waiting_total,
                           map_dir=simulator.parent / "data", web_dir=web, sandbox_kind=sandbox.kind)
    if not settings.map_dir.is_dir():
        settings.map_dir = simulator.parent.parent / "share" / "zorbex" / "data"
    guard = GuardSettings(requests_per_second=args.requests_per_second,
                          request_burst=max(5 * args.requests_per_second, 20),
                          uploads_per_minute=args.uploads_per_minute, upload_burst=max(args.uploads_per_minute, 1),
                          trusted_proxies=args.trusted_proxy)
    app = create_app(engine, settings, guard, wake=workers.wake, cache=cache,
                     workers_alive=workers.alive, workers_started=args.workers)

    # the guard finds the client's address itself: uvicorn believes no forwarded header
    config = uvicorn.Config(app, host=args.host, port=args.port, log_level="warning", proxy_headers=False,
                            timeout_keep_alive=5, limit_concurrency=args.max_connections, access_log=False)
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
