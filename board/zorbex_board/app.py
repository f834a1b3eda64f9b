"""The board's web service: its routers, its error pages, and the guard in front of them."""
from __future__ import annotations

import logging
import threading
from collections.abc import Callable
from pathlib import Path

from fastapi import FastAPI, Request
from fastapi.exceptions import RequestValidationError
from fastapi.responses import JSONResponse, Response
from fastapi.staticfiles import StaticFiles
from sqlalchemy.engine import Engine
from starlette.exceptions import HTTPException as StarletteHTTPException

from .context import Board, TableCache
from .guard import Guard
from .pages import Pages
from .routers import runs, site, tables
from .settings import AppSettings, GuardSettings

log = logging.getLogger("zorbex_board")


def wants_html(request: Request) -> bool:
    return not request.url.path.startswith("/api/") and request.url.path != "/health"


def create_app(engine: Engine, settings: AppSettings, guard: GuardSettings, wake: threading.Event | None = None,
               cache: TableCache | None = None, workers_alive: Callable[[], int] | None = None,
               workers_started: int = 0) -> Guard:
    board = Board(engine, settings, Pages(settings), cache or TableCache(), wake,
                  workers_alive or (lambda: 0), workers_started)
    app = FastAPI(title="zorbex-board", docs_url=None, redoc_url=None, openapi_url=None)
    app.mount("/static", StaticFiles(directory=Path(__file__).parent / "static"), name="static")
    if settings.web_dir and settings.web_dir.is_dir():
        app.mount("/play", StaticFiles(directory=settings.web_dir, html=True), name="play")
    for module in (runs, tables, site):
        app.include_router(module.router(board))

    def error(request: Request, status: int, detail: str) -> Response:
        if wants_html(request):
            return board.pages.error(request, status, detail)
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

    return Guard(app, guard)
