"""Fixtures: real board processes on SQLite and on a PostgreSQL started for the tests."""
from __future__ import annotations

import json
import os
import shutil
import signal
import socket
import subprocess
import tempfile
import time
from pathlib import Path

import httpx
import pytest

REPO = Path(__file__).resolve().parents[2]
BOARD = REPO / "board" / "zorbex-board"
SIM = Path(os.environ.get("ZORBEX_SIM", REPO / "build" / "release" / "zorbex-sim"))
GOLDEN = REPO / "tests" / "golden"
DATA = Path(__file__).resolve().parent / "data"
PG_BIN = Path("/usr/lib/postgresql/15/bin")
NOBODY = 65534


def free_port() -> int:
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def simulate(replay: Path) -> dict:
    """The simulator's own summary of a replay, run directly: what the board must agree with."""
    out = subprocess.run([str(SIM), "--verify", str(replay), "--no-draw", "--quiet"],
                         capture_output=True, text=True, timeout=120)
    return json.loads(out.stdout.strip().splitlines()[-1])


class Board:
    """One zorbex-board process."""

    def __init__(self, db: str, *args: str) -> None:
        self.db = db
        self.port = free_port()
        self.url = f"http://127.0.0.1:{self.port}"
        self.log = tempfile.TemporaryFile()
        command = [str(BOARD), "--db", db, "--port", str(self.port), "--sim", str(SIM), "--sandbox", "bwrap",
                   *args]
        self.process = subprocess.Popen(command, stdout=self.log, stderr=subprocess.STDOUT,
                                        start_new_session=True)
        self.wait_up()

    def wait_up(self) -> None:
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("the board stopped:\n" + self.output())
            try:
                if httpx.get(self.url + "/health", timeout=2).status_code == 200:
                    return
            except httpx.HTTPError:
                pass
            time.sleep(0.1)
        raise RuntimeError("the board did not come up:\n" + self.output())

    def output(self) -> str:
        self.log.seek(0)
        return self.log.read().decode(errors="replace")

    def upload(self, replay: bytes, name: str, **kwargs) -> httpx.Response:  # type: ignore[no-untyped-def]
        return httpx.post(self.url + "/api/runs", files={"replay": ("run.replay", replay)},
                          data={"name": name}, timeout=30, **kwargs)

    def submit(self, replay: bytes, name: str) -> int:
        answer = self.upload(replay, name)
        assert answer.status_code == 202, answer.text
        return answer.json()["id"]

    def run(self, run_id: int) -> dict:
        return httpx.get(f"{self.url}/api/runs/{run_id}", timeout=10).json()

    def verdict(self, run_id: int, timeout: float = 120) -> dict:
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            run = self.run(run_id)
            if run["status"] != "waiting":
                return run
            time.sleep(0.1)
        raise AssertionError(f"run {run_id} still waiting after {timeout} s:\n{self.output()}")

    def board(self, difficulty: int | str = 2, **query: str) -> dict:
        return httpx.get(f"{self.url}/api/boards/{difficulty}", params=query, timeout=10).json()

    def kill(self) -> None:
        """As a crash would: the board, its workers and their simulators, at once."""
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()

    def stop(self) -> None:
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=15)
            except subprocess.TimeoutExpired:
                self.kill()
        self.log.close()


class Postgres:
    """A PostgreSQL cluster in a temporary folder, run as an unprivileged user."""

    def __init__(self) -> None:
        self.folder = Path(tempfile.mkdtemp(prefix="zorbex-pg-"))
        self.port = free_port()
        self.as_user: dict = {}
        if os.geteuid() == 0:  # PostgreSQL refuses to run as root
            os.chown(self.folder, NOBODY, NOBODY)
            self.as_user = {"user": NOBODY, "group": NOBODY, "extra_groups": []}
        data = self.folder / "data"
        self.pg("initdb", "-D", str(data), "-A", "trust", "-U", "board", "--no-sync", "-E", "UTF8")
        self.pg("pg_ctl", "-D", str(data), "-w", "-l", str(self.folder / "log"), "start", "-o",
                f"-p {self.port} -k {self.folder} -c listen_addresses=127.0.0.1 -c fsync=off")
        self.data = data
        self.databases = 0

    def pg(self, tool: str, *args: str) -> None:
        subprocess.run([str(PG_BIN / tool), *args], check=True, capture_output=True, cwd=self.folder,
                       timeout=120, **self.as_user)

    def new_database(self) -> str:
        self.databases += 1
        name = f"board{self.databases}"
        subprocess.run([str(PG_BIN / "createdb"), "-h", "127.0.0.1", "-p", str(self.port), "-U", "board", name],
                       check=True, capture_output=True, timeout=60)
        return f"postgresql://board@127.0.0.1:{self.port}/{name}"

    def stop(self) -> None:
        self.pg("pg_ctl", "-D", str(self.data), "-m", "immediate", "stop")
        shutil.rmtree(self.folder, ignore_errors=True)


@pytest.fixture(scope="session")
def postgres():
    server = Postgres()
    yield server
    server.stop()


@pytest.fixture(params=["sqlite", "postgresql"])
def database(request, tmp_path_factory, postgres) -> str:  # type: ignore[no-untyped-def]
    """A fresh, empty database of each kind."""
    if request.param == "sqlite":
        return str(tmp_path_factory.mktemp("sqlite") / "board.sqlite")
    return postgres.new_database()


@pytest.fixture
def start_board():
    boards: list[Board] = []

    def start(db: str, *args: str) -> Board:
        board = Board(db, *args)
        boards.append(board)
        return board

    yield start
    for board in boards:
        board.stop()


@pytest.fixture(scope="session")
def given_up_runs(tmp_path_factory) -> list[bytes]:
    """Whole runs recorded by the simulator on several seeds: started from the title, the ship
    left alone until the game is over, then given up. Finished and unassisted, so eligible."""
    folder = tmp_path_factory.mktemp("recorded")
    runs = []
    for seed in range(1, 9):
        path = folder / f"seed{seed}.replay"
        subprocess.run([str(SIM), "--seed", str(seed), "--until", "ranking", "--no-draw", "--quiet",
                        "--record", str(path)], check=True, capture_output=True, timeout=120)
        runs.append(path.read_bytes())
    return runs


def golden(name: str) -> bytes:
    return (GOLDEN / name).read_bytes()


DEPLOY = REPO / "board" / "deploy"
NGINX = Path("/usr/sbin/nginx")


class Nginx:
    """Debian's nginx with the shipped site in front of a board, on loopback ports, with a throwaway
    certificate; its workers run as nobody when the test runs as root."""

    def __init__(self, board_port: int) -> None:
        self.folder = Path(tempfile.mkdtemp(prefix="zorbex-nginx-"))
        self.folder.chmod(0o755)
        self.https_port, self.http_port = free_port(), free_port()
        self.url = f"https://127.0.0.1:{self.https_port}"
        cert, key = self.folder / "cert.pem", self.folder / "key.pem"
        subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                        "-nodes", "-days", "1", "-subj", "/CN=board.example.org", "-keyout", str(key),
                        "-out", str(cert)], check=True, capture_output=True, timeout=60)
        site = (DEPLOY / "nginx-zorbex-board.conf").read_text()
        for shipped, here in (("listen [::]:80;", ""), ("listen [::]:443 ssl http2;", ""),
                              ("listen 80;", f"listen 127.0.0.1:{self.http_port};"),
                              ("listen 443 ssl http2;", f"listen 127.0.0.1:{self.https_port} ssl http2;"),
                              ("/etc/letsencrypt/live/board.example.org/fullchain.pem", str(cert)),
                              ("/etc/letsencrypt/live/board.example.org/privkey.pem", str(key)),
                              ("server 127.0.0.1:8080;", f"server 127.0.0.1:{board_port};")):
            assert shipped in site, shipped
            site = site.replace(shipped, here)
        (self.folder / "site.conf").write_text(site)
        temp = self.folder / "temp"
        temp.mkdir()
        user = "user nobody nogroup;" if os.geteuid() == 0 else ""
        if os.geteuid() == 0:
            os.chown(temp, NOBODY, NOBODY)
        (self.folder / "nginx.conf").write_text(f"""{user}
worker_processes 1;
worker_rlimit_nofile 4096;
pid {self.folder}/nginx.pid;
error_log {self.folder}/error.log warn;
events {{ worker_connections 2048; }}
http {{
    access_log {self.folder}/access.log;
    client_body_temp_path {temp}/body;
    proxy_temp_path {temp}/proxy;
    fastcgi_temp_path {temp}/fastcgi;
    uwsgi_temp_path {temp}/uwsgi;
    scgi_temp_path {temp}/scgi;
    include {self.folder}/site.conf;
}}
""")
        self.process = subprocess.Popen([str(NGINX), "-p", str(self.folder), "-c", str(self.folder / "nginx.conf"),
                                         "-g", "daemon off;"], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        deadline = time.monotonic() + 20
        while True:
            try:
                socket.create_connection(("127.0.0.1", self.https_port), timeout=1).close()
                break
            except OSError:
                if self.process.poll() is not None or time.monotonic() > deadline:
                    raise RuntimeError("nginx did not start: " + self.process.stderr.read().decode()
                                       + self.error_log())
                time.sleep(0.05)

    def error_log(self) -> str:
        path = self.folder / "error.log"
        return path.read_text(errors="replace") if path.exists() else ""

    def client(self, source: str = "127.0.0.1") -> httpx.Client:
        """A client from its own loopback address (all of 127/8 is this machine's)."""
        transport = httpx.HTTPTransport(local_address=source, verify=False)
        return httpx.Client(base_url=self.url, transport=transport, timeout=60,
                            headers={"host": "board.example.org"})

    def stop(self) -> None:
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process.stderr.close()
        shutil.rmtree(self.folder, ignore_errors=True)
