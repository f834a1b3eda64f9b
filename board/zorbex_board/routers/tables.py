"""The tables: each difficulty's best run per player, by ending and by continues, in pages."""
from __future__ import annotations

from fastapi import APIRouter, Request
from fastapi.responses import HTMLResponse, JSONResponse, Response

from .. import store
from ..context import Board
from ..params import EVERY_ENDING, parse_difficulty, parse_ending, parse_page
from ..rules import DIFFICULTIES, GIVEN_UP
from ..store import PAGE_SIZE


def router(board: Board) -> APIRouter:
    routes = APIRouter()

    def table_key(difficulty: str, ending: str | None, continued: str | None, page: str | None) -> tuple:
        return (parse_difficulty(difficulty), parse_ending(ending), continued in ("1", "true", "yes"),
                parse_page(page))

    def read_table(d: int, e: int, c: bool, p: int) -> dict:
        runs, total = store.board_page(board.engine, d, e, c, p)
        return {"difficulty": d, "difficultyName": DIFFICULTIES[d],
                "ending": "all" if e == EVERY_ENDING else "given-up" if e == GIVEN_UP else e,
                "continued": c, "page": p, "pages": max(1, -(-total // PAGE_SIZE)), "players": total,
                "runs": runs}

    def table(key: tuple) -> dict:
        return board.cache.get(key, lambda: read_table(*key))

    @routes.get("/api/boards/{difficulty}")
    def table_json(difficulty: str, ending: str | None = None, continued: str | None = None,
                   page: str | None = None) -> Response:
        return JSONResponse(table(table_key(difficulty, ending, continued, page)))

    @routes.get("/")
    def table_page(request: Request, difficulty: str = "2", ending: str | None = None,
                   continued: str | None = None, page: str | None = None) -> Response:
        key = table_key(difficulty, ending, continued, page)
        html = board.cache.get(("page", *key), lambda: board.pages.board_html(table(key)))
        return HTMLResponse(html)

    return routes
