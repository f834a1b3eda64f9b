"""What stands between a client and the board: rate limits, body size, slow bodies, time limits."""
from __future__ import annotations

import asyncio
import json
import threading
import time
from dataclasses import dataclass

MAX_RUN_FRAMES = 1_350_000   # the recorder's cap: six hours of play
HASH_INTERVAL = 60


def largest_replay_bytes(frames: int = MAX_RUN_FRAMES) -> int:
    """The size of the longest replay the game can write, with its buttons changing every frame."""
    header = 1024                        # magic, seed, difficulty, options, the ten-row table ...
    counts = 3 * len(f"buttons {frames}\n")    # the frames, buttons and hashes lines
    buttons = frames * len("1 7f\n")     # a run of one frame per line is the longest spelling
    hashes = (frames // HASH_INTERVAL + 1) * len(f"{frames} 0123456789abcdef\n")
    return header + counts + buttons + hashes + len("end\n")


MAX_UPLOAD_BYTES = largest_replay_bytes() + 64 * 1024  # and the form around it


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


@dataclass
class GuardSettings:
    requests_per_second: float = 20.0
    request_burst: float = 100.0
    uploads_per_minute: float = 10.0
    upload_burst: float = 10.0
    request_seconds: float = 120.0    # a whole request, body included: 7 MB on a slow line
    body_chunk_seconds: float = 10.0  # the longest pause inside a body
    max_body_bytes: int = MAX_UPLOAD_BYTES


def client_address(scope: dict) -> str:
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
        address = client_address(scope)
        upload = scope["method"] == "POST" and scope["path"] == "/api/runs"
        wait = self.requests.wait_needed(address) or (upload and self.uploads.wait_needed(address))
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
