"""A person's path through the pages, in headless Chromium: upload through the form, watch the
run go from waiting to verified, find it ranked on the table page, and play a run from its
page in the browser build."""
from __future__ import annotations

import os
import shutil
import subprocess

import pytest
from conftest import GOLDEN, REPO, SIM, simulate
from selenium import webdriver
from zorbex_board import store
from zorbex_board.database import migrate, open_database
from zorbex_board.verify import Verdict
from selenium.webdriver.chrome.service import Service as ChromeService
from selenium.webdriver.common.by import By
from selenium.webdriver.support import expected_conditions as seen
from selenium.webdriver.support.ui import WebDriverWait


WEB = REPO / "build" / "web"  # `make test` builds it before the suites run


@pytest.fixture
def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    for flag in ("--headless=new", "--disable-gpu", "--disable-dev-shm-usage", "--window-size=1100,900"):
        options.add_argument(flag)
    if os.geteuid() == 0:
        options.add_argument("--no-sandbox")  # Chromium's own sandbox refuses to run as root
    driver = webdriver.Chrome(service=ChromeService(executable_path="/usr/bin/chromedriver"),
                              options=options)
    yield driver
    driver.quit()


def verdict_shown(browser, wait) -> str:  # type: ignore[no-untyped-def]
    status = lambda: browser.find_element(By.ID, "run-status").get_attribute("textContent")  # noqa: E731
    wait.until(lambda _: status() not in ("", "sending", "waiting"))
    return status()


def test_a_run_uploaded_through_the_form_is_ranked_on_the_table_page(tmp_path, start_board, browser):
    board = start_board(str(tmp_path / "board.sqlite"), "--workers", "1")
    wait = WebDriverWait(browser, 60)
    browser.get(board.url + "/upload")
    browser.find_element(By.ID, "replay").send_keys(str(GOLDEN / "game-run.replay"))
    browser.find_element(By.ID, "name").send_keys("<i>Fay</i>")
    browser.find_element(By.ID, "send").click()
    assert verdict_shown(browser, wait) == "verified"
    score = simulate(GOLDEN / "game-run.replay")["score"]
    assert browser.find_element(By.ID, "run-score").text == f"Score {score:,}"

    browser.find_element(By.ID, "run-link").click()
    wait.until(seen.presence_of_element_located((By.CSS_SELECTOR, "svg.routemap")))
    assert "VERIFIED" in browser.find_element(By.CSS_SELECTOR, ".status").text.upper()

    browser.get(board.url + "/?difficulty=2")
    first = browser.find_element(By.CSS_SELECTOR, "table.board tbody tr")
    cells = [td.text for td in first.find_elements(By.TAG_NAME, "td")]
    assert cells[:3] == ["1", "<i>Fay</i>", f"{score:,}"]

    # a forged replay through the same form is turned away with its reason
    forged = tmp_path / "forged.replay"
    forged.write_bytes((GOLDEN / "game-run.replay").read_bytes().replace(b"\n1 10\n", b"\n1 00\n", 1))
    browser.get(board.url + "/upload")
    browser.find_element(By.ID, "replay").send_keys(str(forged))
    browser.find_element(By.ID, "name").send_keys("Forger")
    browser.find_element(By.ID, "send").click()
    assert verdict_shown(browser, wait) == "rejected"
    assert "state differs at frame" in browser.find_element(By.ID, "run-reason").text


@pytest.mark.skipif(not (WEB / "index.html").is_file(), reason="no browser build in build/web (make web)")
def test_a_runs_watch_link_plays_it_in_the_browser_build_with_its_hashes_checked(tmp_path, start_board, browser):
    # a short stretch of stage 1, stored as if verified: the board would turn it down as no whole
    # game and delete its file, but watching it takes seconds, not a whole run
    short = tmp_path / "short.replay"
    subprocess.run([str(SIM), "--stage", "1", "--frames", "150", "--record", str(short), "--quiet"],
                   check=True, capture_output=True, timeout=60)
    database = str(tmp_path / "board.sqlite")
    engine = open_database(database)
    migrate(engine)
    run_id = store.add_run(engine, short.read_bytes(), "Gil", "192.0.2.1")[0]
    store.claim_run(engine, "test:0:0", 60_000)
    assert store.finish_run(engine, run_id, "test:0:0", Verdict("verified", None, simulate(short)))
    engine.dispose()
    board = start_board(database, "--workers", "0", "--web", str(WEB))
    browser.get(f"{board.url}/runs/{run_id}")
    browser.find_element(By.LINK_TEXT, "Watch").click()
    message = lambda: browser.find_element(By.ID, "message").get_attribute("textContent")  # noqa: E731
    WebDriverWait(browser, 120).until(lambda _: message().startswith(("Verified", "Not verified", "Cannot")))
    assert message().startswith("Verified"), message()
