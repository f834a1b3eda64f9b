"""The route map of a run: the game's own stage-select pictures with the stages played marked."""
from __future__ import annotations

from dataclasses import dataclass

COLUMNS = 7
CELL_W, CELL_H = 48, 32
MAP_W, MAP_H = 528, 248


@dataclass(frozen=True)
class Node:
    stage: int
    x: int
    y: int


def node_of(stage: int) -> Node:
    """Where a stage sits on the route map: column c holds c + 1 stages, top to bottom."""
    column = 0
    while (column + 1) * (column + 2) // 2 < stage:
        column += 1
    row = stage - 1 - column * (column + 1) // 2
    return Node(stage, 80 * column, 36 * row - 18 * column + 108)


ALL_NODES = [node_of(s) for s in range(1, COLUMNS * (COLUMNS + 1) // 2 + 1)]


def route_nodes(route: list[int] | None) -> list[Node]:
    return [node_of(s) for s in (route or []) if 1 <= s <= len(ALL_NODES)]


def route_path(route: list[int] | None) -> str:
    """An SVG path through the centres of the route's stages."""
    points = [f"{n.x + CELL_W // 2},{n.y + CELL_H // 2}" for n in route_nodes(route)]
    return ("M" + " L".join(points)) if points else ""
