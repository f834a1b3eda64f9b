"""The site around the tables: health, the upload form, the route map's pictures."""
from __future__ import annotations

import logging

from fastapi import APIRouter, HTTPException, Request
from fastapi.responses import FileResponse, JSONResponse, Response
from sqlalchemy.exc import SQLAlchemyError

from .. import store
from ..context import Board

log = logging.getLogger("zorbex_board")
MAP_PICTURES = ("ImgStageSelect.png", "ImgStageSelect2.png")


def router(board: Board) -> APIRouter:
    routes = APIRouter()
    settings = board.settings

    @routes.get("/health")
    def health() -> Response:
        """200 while the database answers and a verifier lives (or this process verifies nothing)."""
        alive = board.workers_alive()
        try:
            counts, oldest = store.status_counts(board.engine)
        except SQLAlchemyError:
            log.exception("health: the database does not answer")
            return JSONResponse({"status": "down", "database": board.engine.dialect.name,
                                 "problem": "the database does not answer", "workers": alive}, status_code=503)
        figures = {"database": board.engine.dialect.name, "sandbox": settings.sandbox_kind,
                   "workers": alive, "workersStarted": board.workers_started,
                   "waiting": counts.get("waiting", 0), "oldestWaitingSeconds": oldest,
                   "verified": counts.get("verified", 0), "rejected": counts.get("rejected", 0)}
        if board.workers_started and not alive:
            return JSONResponse({"status": "down", "problem": "no verifier is running", **figures}, status_code=503)
        return JSONResponse({"status": "ok", **figures})

    @routes.get("/upload")
    def upload_page(request: Request) -> Response:
        return board.pages.upload(request)

    @routes.get("/map/{picture}")
    def map_picture(picture: str) -> Response:
        if picture not in MAP_PICTURES or not settings.map_dir:
            raise HTTPException(404, "no such picture")
        path = settings.map_dir / picture
        if not path.is_file():
            raise HTTPException(404, "no such picture")
        return FileResponse(path, media_type="image/png", headers={"cache-control": "max-age=86400"})

    return routes
