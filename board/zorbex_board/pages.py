"""The pages for people, rendered on the server; every value is escaped by the templates."""
from __future__ import annotations

from pathlib import Path

from fastapi import Request
from fastapi.responses import HTMLResponse
from jinja2 import Environment, FileSystemLoader, select_autoescape

from . import routemap
from .rules import DIFFICULTIES, ENDING_STAGES
from .settings import AppSettings

FRAMES_PER_SECOND = 62.5  # one frame every 16 ms


def play_time(frames: int | None) -> str:
    if frames is None:
        return ""
    seconds = int(frames / FRAMES_PER_SECOND)
    return f"{seconds // 60}:{seconds % 60:02d}"


def ending_name(ending: int | None, continues: int | None = 0) -> str:
    if ending is None:
        return ""
    if ending == 0:
        return "given up"
    return f"stage {ending}" + (" (continue epilogue)" if continues else "")


class Pages:
    def __init__(self, settings: AppSettings) -> None:
        self.settings = settings
        self.env = Environment(
            loader=FileSystemLoader(Path(__file__).parent / "templates"),
            autoescape=select_autoescape(default=True),
        )
        self.env.globals.update(difficulties=DIFFICULTIES, play_time=play_time, ending_name=ending_name,
                                routemap=routemap)

    def render(self, name: str, status: int = 200, **values) -> HTMLResponse:  # type: ignore[no-untyped-def]
        html = self.env.get_template(name).render(**values)
        return HTMLResponse(html, status_code=status)

    def board_html(self, table: dict) -> str:
        return self.env.get_template("board.html").render(table=table, endings=list(ENDING_STAGES))

    def run(self, request: Request, run: dict) -> HTMLResponse:
        map_pictures = bool(self.settings.map_dir and (self.settings.map_dir / "ImgStageSelect.png").is_file())
        watch = bool(self.settings.web_dir and self.settings.web_dir.is_dir())
        return self.render("run.html", run=run, map_pictures=map_pictures, watch=watch,
                           waiting=run["status"] == "waiting", verified=run["status"] == "verified")

    def upload(self, request: Request) -> HTMLResponse:
        return self.render("upload.html")

    def error(self, request: Request, status: int, detail: str) -> HTMLResponse:
        return self.render("error.html", status=status, detail=detail)
