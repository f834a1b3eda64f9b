"""What paths and queries may say: ASCII digits and the few words the tables know."""
from __future__ import annotations

import re

from fastapi import HTTPException

from .rules import DIFFICULTIES, ENDING_STAGES, GIVEN_UP

EVERY_ENDING = -1   # the table of all endings
MAX_PAGE = 100_000
DIGITS = re.compile(r"[0-9]{1,18}")  # never str.isdigit(): it takes "²" and full-width digits


def number(text: str | None) -> int | None:
    return int(text) if text is not None and DIGITS.fullmatch(text) else None


def parse_difficulty(text: str) -> int:
    for value, word in DIFFICULTIES.items():
        if text in (str(value), word):
            return value
    raise HTTPException(404, f"no such difficulty \"{text[:20]}\" (1 easy, 2 normal, 3 hard)")


def parse_ending(text: str | None) -> int:
    if text in (None, "", "all"):
        return EVERY_ENDING
    if text == "given-up":
        return GIVEN_UP
    value = number(text)
    if value in ENDING_STAGES:
        return value
    raise HTTPException(400, "ending is all, given-up, or a last stage 22 to 28")


def parse_page(text: str | None) -> int:
    if text in (None, ""):
        return 1
    value = number(text)
    if value is None or not 1 <= value <= MAX_PAGE:
        raise HTTPException(400, f"page is a number from 1 to {MAX_PAGE}")
    return value


def parse_run_id(text: str) -> int:
    value = number(text)
    if value is None:
        raise HTTPException(404, "no such run")
    return value
