"""What stands between a client and the board: the client's address, rate limits, body size,
slow bodies, time limits, security headers and the access log."""
from __future__ import annotations

import asyncio
import ipaddress
import json
import logging
import threading
import time

from .settings import GuardSettings, Network

access_log = logging.getLogger("zorbex_board.access")
UNLIMITED_PATHS = ("/health",)  # a monitor polls it; it reads two small queries
SECURITY_HEADERS = [
    # the browser build at /play compiles its WebAssembly and hands pictures and sound over as blobs
    (b"content-security-policy", b"default-src 'self'; img-src 'self' data: blob:; media-src 'self' blob:; "
                                 b"style-src 'self'; script-src 'self' 'wasm-unsafe-eval'; worker-src 'self' blob:; "
                                 b"frame-ancestors 'none'; base-uri 'none'; form-action 'self'"),
    (b"x-content-type-options", b"nosniff"),
    (b"x-frame-options", b"DENY"),
    (b"referrer-policy", b"same-origin"),
]


class BodyTooLarge(Exception):
    pass


class BodyTooSlow(Exception):
    pass


class RateLimiter:
    """A token bucket per address: `rate` requests a second on average, `burst` at once."""

    def __init__(self, rate: float, burst: float) -> None:
        self.rate = rate
        self.burst = burst
        self.buckets: dict[str, tuple[float, float]] = {}
        self.lock = threading.Lock()

    def wait_needed(self, key: str) -> float:
        """0 when the request may go on (a token is taken), else the seconds until it may."""
        if self.rate <= 0:
            return 0.0
        now = time.monotonic()
        with self.lock:
            tokens, last = self.buckets.get(key, (self.burst, now))
            tokens = min(self.burst, tokens + (now - last) * self.rate)
            if tokens < 1:
                self.buckets[key] = (tokens, now)
                return (1 - tokens) / self.rate
            self.buckets[key] = (tokens - 1, now)
            if len(self.buckets) > 100_000:
                self.forget_full(now)
            return 0.0

    def forget_full(self, now: float) -> None:
        # a bucket that has filled up again is the same as no bucket
        full_after = self.burst / self.rate
        self.buckets = {k: v for k, v in self.buckets.items() if now - v[1] < full_after}


def parse_address(text: str) -> ipaddress.IPv4Address | ipaddress.IPv6Address | None:
    try:
        address = ipaddress.ip_address(text.strip())
    except ValueError:
        return None
    if isinstance(address, ipaddress.IPv6Address) and address.ipv4_mapped:
        return address.ipv4_mapped
    return address


def forwarded_client(peer: str, headers: list, trusted: list[Network]) -> str:
    """The client's address: the peer's, or, when the peer is a trusted proxy, the last address of
    X-Forwarded-For that no trusted proxy added. An odd header leaves the peer's address."""
    address = parse_address(peer)
    if address is None or not any(address in net for net in trusted):
        return peer
    forwarded = b",".join(v for k, v in headers if k.lower() == b"x-forwarded-for")
    hops = forwarded.decode("latin-1").split(",") if forwarded else []
    for hop in reversed(hops):
        hop_address = parse_address(hop)
        if hop_address is None:
            return peer  # a header this proxy did not write as it should: believe only the proxy
        if not any(hop_address in net for net in trusted):
            return str(hop_address)
    return peer


def address_key(address: str) -> str:
    """The unit every limit counts: an IPv4 address, or an IPv6 address's /64 (one household's)."""
    parsed = parse_address(address)
    if isinstance(parsed, ipaddress.IPv6Address):
        return str(ipaddress.IPv6Network((int(parsed) >> 64 << 64, 64)))
    return str(parsed) if parsed else address


def client_address(scope: dict) -> str:
    """The address the guard found for this request (set on the scope before the app runs)."""
    found = scope.get("zorbex.client")
    if found:
        return found
    client = scope.get("client")
    return client[0] if client else "unknown"


async def send_json(send, status: int, detail: str, headers: list | None = None) -> None:  # type: ignore[no-untyped-def]
    body = json.dumps({"detail": detail}).encode()
    await send({"type": "http.response.start", "status": status,
                "headers": [(b"content-type", b"application/json"),
                            (b"content-length", str(len(body)).encode())] + (headers or [])})
    await send({"type": "http.response.body", "body": body})


class Guard:
    """ASGI middleware in front of the whole board."""

    def __init__(self, app, settings: GuardSettings) -> None:  # type: ignore[no-untyped-def]
        self.app = app
        self.settings = settings
        self.requests = RateLimiter(settings.requests_per_second, settings.request_burst)
        self.uploads = RateLimiter(settings.uploads_per_minute / 60, settings.upload_burst)

    async def __call__(self, scope, receive, send) -> None:  # type: ignore[no-untyped-def]
        if scope["type"] != "http":
            await self.app(scope, receive, send)
            return
        peer = scope["client"][0] if scope.get("client") else "unknown"
        address = forwarded_client(peer, scope["headers"], self.settings.trusted_proxies)
        scope["zorbex.client"] = address
        started_at = time.monotonic()
        status = 0

        async def marked_send(message) -> None:  # type: ignore[no-untyped-def]
            nonlocal status
            if message["type"] == "http.response.start":
                status = message["status"]
                message = {**message, "headers": list(message.get("headers", [])) + SECURITY_HEADERS}
            await send(message)

        try:
            await self.guarded(scope, receive, marked_send, address)
        finally:
            access_log.info('%s "%s %s" %d %.1f ms', address, scope["method"], scope.get("raw_path", b"").decode(
                "latin-1")[:200] or scope["path"], status, (time.monotonic() - started_at) * 1000)

    async def guarded(self, scope, receive, send, address: str) -> None:  # type: ignore[no-untyped-def]
        key = address_key(address)
        upload = scope["method"] == "POST" and scope["path"] == "/api/runs"
        if scope["path"] not in UNLIMITED_PATHS:
            wait = self.requests.wait_needed(key) or (upload and self.uploads.wait_needed(key))
            if wait:
                what = "uploads" if upload else "requests"
                await send_json(send, 429, f"too many {what} from your address; try again in {int(wait) + 1} s",
                                [(b"retry-after", str(int(wait) + 1).encode())])
                return
        length = dict(scope["headers"]).get(b"content-length")
        if length is not None and (not length.isdigit() or int(length) > self.settings.max_body_bytes):
            await send_json(send, 413, f"the upload is larger than the largest replay the game "
                                       f"writes (with its form, {self.settings.max_body_bytes} bytes)")
            return

        started = False
        received = 0

        async def guarded_receive():  # type: ignore[no-untyped-def]
            nonlocal received
            try:
                message = await asyncio.wait_for(receive(), self.settings.body_chunk_seconds)
            except asyncio.TimeoutError:
                raise BodyTooSlow() from None
            received += len(message.get("body", b""))
            if received > self.settings.max_body_bytes:
                raise BodyTooLarge()
            return message

        async def watched_send(message) -> None:  # type: ignore[no-untyped-def]
            nonlocal started
            started = True
            await send(message)

        try:
            await asyncio.wait_for(self.app(scope, guarded_receive, watched_send), self.settings.request_seconds)
        except asyncio.TimeoutError:
            if not started:
                await send_json(send, 503, "the request took too long")
