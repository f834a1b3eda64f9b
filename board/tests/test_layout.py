"""The board's own house: no module imports one that imports it back."""
from __future__ import annotations

import re
from pathlib import Path

PACKAGE = Path(__file__).resolve().parents[1] / "zorbex_board"


def imports_of(path: Path) -> set[str]:
    """The package's modules this file imports (relative imports, as the package writes them)."""
    here = path.relative_to(PACKAGE).with_suffix("").parts
    found = set()
    # indented ones too: an import under `if TYPE_CHECKING:` is a circle all the same
    for dots, name, names in re.findall(r"^\s*from (\.+)([\w.]*) import ([\w, ]+)", path.read_text(), re.M):
        base = list(here[: len(here) - len(dots)])
        if name:
            found.add(".".join([*base, name]))
        else:
            found.update(".".join([*base, n.strip()]) for n in names.split(","))
    return found


def test_no_import_circle():
    modules = {".".join(p.relative_to(PACKAGE).with_suffix("").parts): p for p in PACKAGE.rglob("*.py")}
    graph = {name: {m for m in imports_of(path) if m in modules and m != name} for name, path in modules.items()}
    assert "pages" in graph and "app" in graph and "routers.runs" in graph

    def circle_from(start: str, path: list[str]) -> list[str] | None:
        for nxt in graph[start]:
            if nxt == path[0]:
                return [*path, nxt]
            if nxt not in path and (found := circle_from(nxt, [*path, nxt])):
                return found
        return None

    for name in graph:
        assert circle_from(name, [name]) is None, " -> ".join(circle_from(name, [name]) or [])
