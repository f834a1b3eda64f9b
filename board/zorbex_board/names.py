"""Players' names: any script, one spelling per player, nothing invisible or stacked."""
from __future__ import annotations

import unicodedata

from .rules import MAX_NAME

ZWNJ, ZWJ = "\u200c", "\u200d"  # joiners: Persian and other scripts, emoji sequences
# letters and symbols that draw nothing though their category says otherwise
BLANKS = {"\u115f", "\u1160", "\u3164", "\uffa0", "\u2800", "\u180e", "\u17b4", "\u17b5"}
INVISIBLE_CATEGORIES = {"Zs", "Zl", "Zp", "Cc", "Cf", "Cs", "Co", "Cn", "Mn", "Me"}
MAX_MARKS = 3  # combining marks on one letter: enough for any script, too few to pile up
# letters of other scripts drawn like Latin ones, as the name's key reads them
LOOK_ALIKES = str.maketrans({
    # Cyrillic
    "А": "A", "В": "B", "Е": "E", "К": "K", "М": "M", "Н": "H", "О": "O", "Р": "P", "С": "C", "Т": "T",
    "Х": "X", "У": "Y", "Ѕ": "S", "І": "I", "Ј": "J", "Ԛ": "Q", "Ԝ": "W", "Һ": "H", "Ү": "Y",
    "а": "a", "е": "e", "о": "o", "р": "p", "с": "c", "у": "y", "х": "x", "ѕ": "s", "і": "i",
    "ј": "j", "ԁ": "d", "һ": "h", "ԛ": "q", "ԝ": "w", "ӏ": "l", "ү": "y", "ɡ": "g",
    # Greek
    "Α": "A", "Β": "B", "Ε": "E", "Ζ": "Z", "Η": "H", "Ι": "I", "Κ": "K", "Μ": "M", "Ν": "N", "Ο": "O",
    "Ρ": "P", "Τ": "T", "Υ": "Y", "Χ": "X", "ο": "o", "ν": "v", "ι": "i", "κ": "k", "ρ": "p", "υ": "u",
    "α": "a", "τ": "t",
    # digits and letters that pass for each other in most fonts are left alone: 0 and O are two names
})


def normal_name(name: str) -> str:
    """The name as stored and shown: NFC, without trailing or leading spaces."""
    return unicodedata.normalize("NFC", name).strip()


def is_invisible(c: str) -> bool:
    return c in BLANKS or unicodedata.category(c) in INVISIBLE_CATEGORIES


def name_problem(given: str) -> str | None:
    """Why a name as sent cannot be taken, or None; the name kept is normal_name(given)."""
    if "\ufffd" in given:
        return "a name is UTF-8 text"
    name = normal_name(given)
    if given and not name:
        return "a name needs something visible"
    if not 1 <= len(name) <= MAX_NAME:
        return f"a name is 1 to {MAX_NAME} characters long"
    for i, c in enumerate(name):
        category = unicodedata.category(c)
        joiner = c in (ZWJ, ZWNJ) and 0 < i < len(name) - 1
        if category in ("Cc", "Cs", "Co", "Cn", "Zl", "Zp") or (category == "Cf" and not joiner):
            return "a name holds printable characters only"
    if all(is_invisible(c) for c in name):
        return "a name needs something visible"
    marks = 0
    for c in name:
        marks = marks + 1 if unicodedata.category(c) in ("Mn", "Me") else 0
        if marks > MAX_MARKS:
            return f"a name holds at most {MAX_MARKS} marks on one letter"
    return None


def name_key(name: str) -> str:
    """What two spellings of one player share: case, width, composition, look-alike letters
    of another script and spacing do not make another name."""
    folded = unicodedata.normalize("NFKC", name).translate(LOOK_ALIKES)
    folded = unicodedata.normalize("NFKC", folded.casefold())
    return " ".join(folded.split())
