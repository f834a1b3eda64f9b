"""The runs: uploads, their verdicts, their files and their pages."""
from __future__ import annotations

import asyncio

from fastapi import APIRouter, HTTPException, Request
from fastapi.responses import JSONResponse, RedirectResponse, Response
from starlette.concurrency import run_in_threadpool
from starlette.datastructures import FormData, UploadFile
from starlette.formparsers import MultiPartException, MultiPartParser

from .. import store
from ..context import Board
from ..guard import BodyTooLarge, BodyTooSlow, client_address
from ..identity import is_practice
from ..names import name_problem, normal_name
from ..params import parse_run_id
from ..rules import MAX_RUN_FRAMES, PRACTICE_MESSAGE, REPLAY_MAGIC, largest_replay_bytes

UPLOADS_IN_MEMORY = 4  # uploads read and stored at once: each is a few copies of up to 7 MB


class StrictFormParser(MultiPartParser):
    """The form's text fields as UTF-8 or marked as not: Starlette would read bad bytes as Latin-1."""

    def on_part_end(self) -> None:
        part = self._current_part
        if part.file is not None:
            super().on_part_end()
            return
        self.items.append((part.field_name, bytes(part.data).decode("utf-8", errors="replace")))


def run_json(run: dict) -> dict:
    return {
        "id": run["id"], "status": run["status"], "reason": run["reason"], "score": run["score"],
        "difficulty": run["difficulty"], "ending": run["ending"], "route": run["route"],
        "name": run["name"], "continues": run["continues"], "frames": run["frames"],
        "deaths": run["deaths"], "bombs": run["bombs"], "stages": run["stages"],
        "submitted": run["submitted_at"], "verified": run["verified_at"],
        # a rejected run's file is deleted once judged
        "replay": None if run["status"] == "rejected" else f"/runs/{run['id']}.replay",
    }


def router(board: Board) -> APIRouter:
    routes = APIRouter()
    settings = board.settings
    upload_slots = asyncio.Semaphore(UPLOADS_IN_MEMORY)

    async def read_form(request: Request) -> FormData:
        parser = StrictFormParser(request.headers, request.stream(), max_files=1, max_fields=4)
        try:
            return await parser.parse()
        except BodyTooLarge:
            raise HTTPException(413, "the upload is larger than the largest replay the game writes") from None
        except BodyTooSlow:
            raise HTTPException(408, "the upload stalled") from None
        except MultiPartException as e:
            raise HTTPException(400, f"the form is not understood: {e.message}") from None

    async def store_upload(request: Request, replay: UploadFile, name: str) -> tuple[int, bool]:
        data = await replay.read(largest_replay_bytes() + 1)
        if len(data) > largest_replay_bytes():
            raise HTTPException(413, f"the replay is larger than the largest replay the game writes "
                                     f"({largest_replay_bytes()} bytes, for a run of {MAX_RUN_FRAMES} frames)")
        if not data.startswith(REPLAY_MAGIC):
            raise HTTPException(400, "this is not a replay file: it does not begin with \"zorbex-replay\"")
        if is_practice(data):
            raise HTTPException(400, PRACTICE_MESSAGE)
        address = client_address(request.scope)
        mine, everyone = await run_in_threadpool(store.waiting_counts, board.engine, address)
        if mine >= settings.max_waiting_per_address:
            raise HTTPException(429, f"{mine} runs from your address are still waiting to be verified")
        if everyone >= settings.max_waiting:
            raise HTTPException(503, f"{everyone} runs are waiting to be verified; try again in a few minutes")
        return await run_in_threadpool(store.add_run, board.engine, data, name, address)

    @routes.post("/api/runs", status_code=202)
    async def submit_run(request: Request) -> Response:
        if not request.headers.get("content-type", "").startswith("multipart/form-data"):
            raise HTTPException(415, "send the run as multipart/form-data with the fields replay and name")
        form = await read_form(request)
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
                run_id, duplicate = await store_upload(request, replay, normal_name(name))
        finally:
            await form.close()
        if board.wake is not None:
            board.wake.set()
        if request.query_params.get("from") == "form":
            return RedirectResponse(f"/runs/{run_id}", status_code=303)  # the form without its script
        return JSONResponse({"id": run_id, "status": f"/api/runs/{run_id}", "duplicate": duplicate},
                            status_code=202)

    def find(run_id: str) -> dict:
        run = store.get_run(board.engine, parse_run_id(run_id))
        if not run:
            raise HTTPException(404, "no such run")
        return run_json(run)

    @routes.get("/api/runs/{run_id}")
    def run_status(run_id: str) -> Response:
        return JSONResponse(find(run_id))

    @routes.get("/runs/{run_id}.replay")
    def replay_file(run_id: str) -> Response:
        number = parse_run_id(run_id)
        data = store.get_replay(board.engine, number)
        if data is None:
            raise HTTPException(404, "no such run, or a rejected one: its file is not kept")
        return Response(data, media_type="application/octet-stream",
                        headers={"content-disposition": f"attachment; filename=\"zorbex-run-{number}.replay\""})

    @routes.get("/runs/{run_id}")
    def run_page(request: Request, run_id: str) -> Response:
        return board.pages.run(request, find(run_id))

    return routes
