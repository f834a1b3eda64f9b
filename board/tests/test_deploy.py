"""The deployment as shipped: the systemd units, and the nginx site in front of a real board."""
from __future__ import annotations

import shutil
import socket
import ssl
import subprocess
import time

import httpx
import pytest
from conftest import DEPLOY, Nginx, golden
from zorbex_board.rules import largest_replay_bytes


@pytest.fixture
def behind_nginx(tmp_path, start_board):  # type: ignore[no-untyped-def]
    board = start_board(str(tmp_path / "board.sqlite"), "--workers", "0", "--requests-per-second", "0.2",
                        "--max-waiting", "100", "--trusted-proxy", "127.0.0.1", "--max-connections", "100")
    proxy = Nginx(board.port)
    yield board, proxy
    proxy.stop()


def slow_clients(url_port: int, count: int, tls: bool) -> list[socket.socket]:
    """Connections that send half a request's header and stop there."""
    held = []
    context = ssl.create_default_context()
    context.check_hostname, context.verify_mode = False, ssl.CERT_NONE
    for _ in range(count):
        s = socket.create_connection(("127.0.0.1", url_port), timeout=10)
        if tls:
            s = context.wrap_socket(s, server_hostname="board.example.org")
        s.sendall(b"GET /health HTTP/1.1\r\nHost: board.example.org\r\nX-Slow: 1\r\n")
        held.append(s)
    return held


def test_slow_clients_are_held_by_nginx_not_the_board(behind_nginx):
    board, proxy = behind_nginx
    # straight at the board, 120 half-sent requests take every connection it allows
    held = slow_clients(board.port, 120, tls=False)
    try:
        time.sleep(0.5)
        assert httpx.get(board.url + "/health", timeout=10).status_code == 503
    finally:
        for s in held:
            s.close()
    held = slow_clients(proxy.https_port, 300, tls=True)
    try:
        time.sleep(0.5)
        with proxy.client() as client:
            assert client.get("/health").status_code == 200
    finally:
        for s in held:
            s.close()


def test_clients_behind_the_proxy_have_their_own_limits_and_forged_headers_change_nothing(behind_nginx):
    board, proxy = behind_nginx
    with proxy.client("127.0.0.2") as first, proxy.client("127.0.0.3") as second:
        answers = [first.get("/api/boards/2", headers={"x-forwarded-for": f"10.9.9.{i}"}).status_code
                   for i in range(30)]
        assert 429 in answers  # a forged header sent through the proxy is replaced by it
        assert second.get("/api/boards/2").status_code == 200
        page = second.get("/")
        assert page.headers["content-security-policy"] and page.headers["strict-transport-security"]
    log = board.output()
    assert '127.0.0.3 "GET /api/boards/2" 200' in log and '127.0.0.2 "GET /api/boards/2" 429' in log
    # straight to the board from another local address, a forged header is only text
    direct = httpx.Client(transport=httpx.HTTPTransport(local_address="127.0.0.4"), timeout=10)
    statuses = [direct.get(board.url + "/api/boards/2", headers={"x-forwarded-for": f"10.8.8.{i}"}).status_code
                for i in range(30)]
    direct.close()
    assert 429 in statuses and "10.8.8." not in board.output()


def test_the_largest_replay_passes_through_the_proxy(behind_nginx):
    board, proxy = behind_nginx
    head = b"zorbex-replay 3\n"
    largest = head + b"1 10\n" * ((largest_replay_bytes() - len(head)) // 5)
    with proxy.client("127.0.0.5") as client:
        answer = client.post("/api/runs", files={"replay": ("run.replay", largest)}, data={"name": "Big"})
        assert answer.status_code == 202, answer.text
        run = client.get(f"/api/runs/{answer.json()['id']}").json()
        assert run["status"] == "waiting"
        assert client.post("/api/runs", files={"replay": ("r", golden("stage1.replay"))},
                           data={"name": "Small"}).status_code == 202
    assert len(httpx.get(f"{board.url}/runs/{run['id']}.replay").content) == len(largest)


@pytest.mark.skipif(shutil.which("systemd-analyze") is None, reason="systemd-analyze is not installed")
def test_the_units_are_confined(tmp_path):
    for unit in ("zorbex-board.service", "zorbex-board-worker.service"):
        # exposure in tenths: at most 3.0 ("OK")
        out = subprocess.run(["systemd-analyze", "security", "--offline=yes", "--threshold=30",
                              str(DEPLOY / unit)], capture_output=True, text=True, timeout=60)
        assert out.returncode == 0, out.stdout[-500:] + out.stderr
        text = (DEPLOY / unit).read_text()
        for needed in ("ProtectSystem=strict", "PrivateTmp=yes", "NoNewPrivileges=yes", "DynamicUser=yes",
                       "StateDirectory=zorbex-board", "Restart=on-failure"):
            assert needed in text, (unit, needed)
