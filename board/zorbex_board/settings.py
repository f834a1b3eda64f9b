"""Every setting of a board process, as its command line gives them."""
from __future__ import annotations

import ipaddress
from dataclasses import dataclass, field
from pathlib import Path

from .rules import MAX_UPLOAD_BYTES

Network = ipaddress.IPv4Network | ipaddress.IPv6Network


@dataclass
class AppSettings:
    max_waiting_per_address: int = 10   # an IPv6 address counts with its whole /64
    max_waiting: int = 500              # all addresses together: beyond it uploads wait for room
    map_dir: Path | None = None   # the simulator's data folder, for the route map's pictures
    web_dir: Path | None = None   # the browser build, served at /play when present
    sandbox_kind: str = ""


@dataclass
class GuardSettings:
    requests_per_second: float = 20.0
    request_burst: float = 100.0
    uploads_per_minute: float = 10.0
    upload_burst: float = 10.0
    request_seconds: float = 120.0    # a whole request, body included: 7 MB on a slow line
    body_chunk_seconds: float = 10.0  # the longest pause inside a body
    max_body_bytes: int = MAX_UPLOAD_BYTES
    trusted_proxies: list[Network] = field(default_factory=list)  # whose X-Forwarded-For is believed


def parse_proxies(text: str) -> list[Network]:
    """ADDR[,ADDR...], each an address or a network (127.0.0.1, ::1, 10.0.0.0/8)."""
    found = []
    for word in filter(None, (w.strip() for w in text.split(","))):
        try:
            found.append(ipaddress.ip_network(word, strict=False))
        except ValueError:
            raise ValueError(f"not an address or network: {word!r}") from None
    return found
