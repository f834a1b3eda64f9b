"""The board's web service: uploads, the verdicts, the tables, and the pages for people."""
from __future__ import annotations

import asyncio
import logging
import threading
import time
from dataclasses import dataclass
from pathlib import Path

from fastapi import FastAPI, HTTPException, Request
from fastapi.exceptions import RequestValidationError
from fastapi.responses import FileResponse, HTMLResponse, JSONResponse, RedirectResponse, Response
from fastapi.staticfiles import StaticFiles
from sqlalchemy.engine import Engine
from sqlalchemy.exc import SQLAlchemyError
from starlette.concurrency import run_in_threadpool
from starlette.datastructures import UploadFile
from starlette.exceptions import HTTPException as StarletteHTTPException

from . import store
from .guard import MAX_RUN_FRAMES, BodyTooLarge, BodyTooSlow, Guard, GuardSettings, client_address, largest_replay_bytes
from .pages import Pages
from .verify import DIFFICULTIES

log = logging.getLogger("zorbex_board")
MAX_NAME = 16
PAGE_SIZE = 100
ENDING_STAGES = range(22, 29)
GIVEN_UP = 0
REPLAY_MAGIC = b"zorbex-replay "
UPLOADS_IN_MEMORY = 4  # uploads read and stored at once: each is a few copies of up to 7 MB


@dataclass
class AppSettings:
    max_waiting_per_address: int = 10
    map_dir: Path | None = None   # the simulator's data folder, for the route map's pictures
    web_dir: Path | None = None   # the browser build, served at /play when present
    sandbox_kind: str = ""
    workers: int = 0


def name_problem(name: str) -> str | None:
    if not 1 <= len(name) <= MAX_NAME:
        return f"a name is 1 to {MAX_NAME} characters long"
    if not name.isprintable():
        return "a name holds printable characters only"
    if not name.strip():
        return "a name needs more than spaces"
    return None


def parse_difficulty(text: str) -> int:
    for number, word in DIFFICULTIES.items():
        if text in (str(number), word):
            return number
    raise HTTPException(404, f"no such difficulty \"{text}\" (1 easy, 2 normal, 3 hard)")


def parse_ending(text: str | None) -> int:
    if text in (None, "", "all"):
        return store.EVERY_ENDING
    if text == "given-up":
        return GIVEN_UP
    if text.isdigit() and int(text) in ENDING_STAGES:
        return int(text)
    raise HTTPException(400, "ending is all, given-up, or a last stage 22 to 28")


def parse_page(text: str | None) -> int:
    if text in (None, ""):
        return 1
    if not text.isdigit() or not 1 <= int(text) <= 100_000:
        raise HTTPException(400, "page is a number from 1")
    return int(text)


def parse_run_id(text: str) -> int:
    if not text.isdigit() or len(text) > 18:
        raise HTTPException(404, "no such run")
    return int(text)


def run_json(run: dict) -> dict:
    return {
        "id": run["id"], "status": run["status"], "reason": run["reason"], "score": run["score"],
        "difficulty": run["difficulty"], "ending": run["ending"], "route": run["route"],
        "name": run["name"], "continues": run["continues"], "frames": run["frames"],
        "deaths": run["deaths"], "bombs": run["bombs"], "stages": run["stages"],
        "submitted": run["submitted_at"], "verified": run["verified_at"],
        "replay": f"/runs/{run['id']}.replay",
    }


class TableCache:
    """The tables (and their pages) as read a moment ago: they change only when a run is verified, and are read
    far more often. Cleared when this board verifies a run; another board's verdict shows
    within `seconds`."""

    def __init__(self, seconds: float = 2.0) -> None:
        self.seconds = seconds
        self.tables: dict[tuple, tuple[float, object]] = {}
        self.lock = threading.Lock()

    def get(self, key: tuple, read):  # type: ignore[no-untyped-def]
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


def wants_html(request: Request) -> bool:
    return not request.url.path.startswith("/api/") and request.url.path != "/health"


def create_app(engine: Engine, settings: AppSettings, guard: GuardSettings,
               wake=None, cache: TableCache | None = None) -> Guard:  # type: ignore[no-untyped-def]
    cache = cache or TableCache()
    app = FastAPI(title="zorbex-board", docs_url=None, redoc_url=None, openapi_url=None)
    pages = Pages(settings)
    app.mount("/static", StaticFiles(directory=Path(__file__).parent / "static"), name="static")
    if settings.web_dir and settings.web_dir.is_dir():
        app.mount("/play", StaticFiles(directory=settings.web_dir, html=True), name="play")

    def error(request: Request, status: int, detail: str) -> Response:
        if wants_html(request):
            return pages.error(request, status, detail)
        return JSONResponse({"detail": detail}, status_code=status)

    @app.exception_handler(StarletteHTTPException)
    async def http_error(request: Request, exc: StarletteHTTPException) -> Response:
        return error(request, exc.status_code, str(exc.detail))

    @app.exception_handler(RequestValidationError)
    async def bad_request(request: Request, exc: RequestValidationError) -> Response:
        return error(request, 400, "the request's parameters are not understood")

    @app.exception_handler(Exception)
    async def internal_error(request: Request, exc: Exception) -> Response:
        log.error("%s %s failed", request.method, request.url.path, exc_info=exc)
        return error(request, 500, "the board failed on this request; it has been logged")

    upload_slots = asyncio.Semaphore(UPLOADS_IN_MEMORY)

    async def store_upload(request: Request, replay: UploadFile, name: str) -> tuple[int, bool]:
        data = await replay.read(largest_replay_bytes() + 1)
        if len(data) > largest_replay_bytes():
            raise HTTPException(413, f"the replay is larger than the largest replay the game writes "
                                     f"({largest_replay_bytes()} bytes, for a run of {MAX_RUN_FRAMES} frames)")
        if not data.startswith(REPLAY_MAGIC):
            raise HTTPException(400, "this is not a replay file: it does not begin with \"zorbex-replay\"")
        address = client_address(request.scope)
        waiting = await run_in_threadpool(store.waiting_from, engine, address)
        if waiting >= settings.max_waiting_per_address:
            raise HTTPException(429, f"{waiting} runs from your address are still waiting to be verified")
        return await run_in_threadpool(store.add_run, engine, data, name, address)

    @app.post("/api/runs", status_code=202)
    async def submit_run(request: Request) -> Response:
        if not request.headers.get("content-type", "").startswith("multipart/form-data"):
            raise HTTPException(415, "send the run as multipart/form-data with the fields replay and name")
        try:
            form = await request.form(max_files=1, max_fields=4)
        except BodyTooLarge:
            raise HTTPException(413, f"the upload is larger than the largest replay the game writes "
                                     f"(with its form, {guard.max_body_bytes} bytes)")
        except BodyTooSlow:
            raise HTTPException(408, "the upload stalled")
        try:
            replay, name = form.get("replay"), form.get("name")
            if not isinstance(replay, UploadFile):
                raise HTTPException(400, "the field \"replay\" (the replay file) is missing")
            if not isinstance(name, str):
                raise HTTPException(400, "the field \"name\" is missing")
            problem = name_problem(name)
            if problem:
                raise HTTPException(400, problem)
            # the received file waits on disk; only a few are held in memory at once
            async with upload_slots:
                run_id, duplicate = await store_upload(request, replay, name)
        finally:
            await form.close()
        if wake is not None:
            wake.set()
        if request.query_params.get("from") == "form":
            return RedirectResponse(f"/runs/{run_id}", status_code=303)  # the form without its script
        return JSONResponse({"id": run_id, "status": f"/api/runs/{run_id}", "duplicate": duplicate},
                            status_code=202)

    @app.get("/api/runs/{run_id}")
    def run_status(run_id: str) -> Response:
        run = store.get_run(engine, parse_run_id(run_id))
        if not run:
            raise HTTPException(404, "no such run")
        return JSONResponse(run_json(run))

    def table_key(difficulty: str, ending: str | None, continued: str | None, page: str | None) -> tuple:
        return (parse_difficulty(difficulty), parse_ending(ending), continued in ("1", "true", "yes"),
                parse_page(page))

    def table(difficulty: str, ending: str | None, continued: str | None, page: str | None) -> dict:
        key = table_key(difficulty, ending, continued, page)
        return cache.get(key, lambda: read_table(*key))

    def read_table(d: int, e: int, c: bool, p: int) -> dict:
        runs, total = store.board_page(engine, d, e, c, PAGE_SIZE, (p - 1) * PAGE_SIZE)
        return {"difficulty": d, "difficultyName": DIFFICULTIES[d],
                "ending": "all" if e == store.EVERY_ENDING else "given-up" if e == GIVEN_UP else e,
                "continued": c, "page": p, "pages": max(1, -(-total // PAGE_SIZE)), "players": total,
                "runs": runs}

    @app.get("/api/boards/{difficulty}")
    def board(difficulty: str, ending: str | None = None, continued: str | None = None,
              page: str | None = None) -> Response:
        return JSONResponse(table(difficulty, ending, continued, page))

    @app.get("/runs/{run_id}.replay")
    def replay_file(run_id: str) -> Response:
        number = parse_run_id(run_id)
        data = store.get_replay(engine, number)
        if data is None:
            raise HTTPException(404, "no such run")
        return Response(data, media_type="application/octet-stream",
                        headers={"content-disposition": f"attachment; filename=\"zorbex-run-{number}.replay\""})

    @app.get("/runs/{run_id}")
    def run_page(request: Request, run_id: str) -> Response:
        run = store.get_run(engine, parse_run_id(run_id))
        if not run:
            raise HTTPException(404, "no such run")
        return pages.run(request, run_json(run))

    @app.get("/")
    def board_page(request: Request, difficulty: str = "2", ending: str | None = None,
                   continued: str | None = None, page: str | None = None) -> Response:
        key = table_key(difficulty, ending, continued, page)
        html = cache.get(("page", *key), lambda: pages.board_html(table(difficulty, ending, continued, page)))
        return HTMLResponse(html)

    @app.get("/upload")
    def upload_page(request: Request) -> Response:
        return pages.upload(request)

    @app.get("/map/{picture}")
    def map_picture(picture: str) -> Response:
        if picture not in ("ImgStageSelect.png", "ImgStageSelect2.png") or not settings.map_dir:
            raise HTTPException(404, "no such picture")
        path = settings.map_dir / picture
        if not path.is_file():
            raise HTTPException(404, "no such picture")
        return FileResponse(path, media_type="image/png", headers={"cache-control": "max-age=86400"})

    @app.get("/health")
    def health() -> Response:
        try:
            counts = store.status_counts(engine)
        except SQLAlchemyError:
            log.exception("health: the database does not answer")
            return JSONResponse({"status": "down", "database": engine.dialect.name}, status_code=503)
        return JSONResponse({"status": "ok", "database": engine.dialect.name, "sandbox": settings.sandbox_kind,
                             "workers": settings.workers, "waiting": counts.get("waiting", 0),
                             "verified": counts.get("verified", 0), "rejected": counts.get("rejected", 0)})

    return Guard(app, guard)
