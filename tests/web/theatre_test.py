#!/usr/bin/python3
"""REPLAYS, the theatre and PRACTICE in the page's canvas, in headless Chromium, by keys.

usage: theatre_test.py SITE DESKTOP_SIM WORK

Replays are put in the browser's store (IndexedDB) as the page keeps them: a golden run as
last.replay, the same run with one state hash changed as rank01, a damaged file among the
kept ones. The in-game REPLAYS screen lists them: the run is watched in the theatre, sped
up to 4x, paused, sought ten seconds back and to its stage's start, and each frame sought
to has the hash and the picture of straight play on the desktop; the hashes hold all the
way; the changed one says at which frame it differs; the damaged one never opens. KEEP
copies the run into replays/saved/, written back to IndexedDB, listed and watched again
after a reload; DELETE removes it from the store. A dropped replay plays in the page's
watcher, sped up by Up and stopped by Escape. The page never scrolls on the keys the game
and the watcher read. A practice begun from PRACTICE is recorded as last.replay with
`options practice`, and verifies on the desktop.
"""

import os
import re
import shutil
import sys
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import page_test  # noqa: E402  (the browser, the site, the desktop's simulator, PNGs)
from page_test import check, fail  # noqa: E402

SCENE_TITLE, SCENE_PLAY = 1, 3
SEEK_FRAMES = 625  # the theatre's ten seconds
OVERLAY_ROWS = (88, 424)  # rows between the REPLAY mark's lines and the control panel
KEPT_TIME = '2026-11-28T21:04:05'  # the last run's date in the store, local time

# Files into the page's IndexedDB as its file system keeps them (emscripten's IDBFS).
PUT_FILES = """
var done = arguments[arguments.length - 1], files = arguments[0];
var open = indexedDB.open('/zorbex');
open.onerror = function() { done('cannot open the store: ' + open.error); };
open.onsuccess = function() {
  var db = open.result, tx = db.transaction(['FILE_DATA'], 'readwrite'), store = tx.objectStore('FILE_DATA');
  files.forEach(function(f) {
    var entry = f.bytes ? {timestamp: new Date(f.time), mode: 33188, contents: Uint8Array.from(f.bytes)}
                        : {timestamp: new Date(f.time), mode: 16877};
    store.put(entry, '/zorbex/' + f.name);
  });
  tx.oncomplete = function() { db.close(); done('ok'); };
  tx.onerror = function() { done('cannot write the store: ' + tx.error); };
};
"""

# The names (and sizes) of the files in the page's IndexedDB.
LIST_FILES = """
var done = arguments[arguments.length - 1];
var open = indexedDB.open('/zorbex');
open.onerror = function() { done(null); };
open.onsuccess = function() {
  var db = open.result, found = {};
  var cursor = db.transaction(['FILE_DATA']).objectStore('FILE_DATA').openCursor();
  cursor.onsuccess = function() {
    var c = cursor.result;
    if (!c) { db.close(); done(found); return; }
    found[c.key.replace(/^\\/zorbex\\//, '')] = c.value.contents ? Array.from(c.value.contents) : 'folder';
    c.continue();
  };
};
"""

# Every keydown the page sees: did the page keep its default (scrolling, a button pressed)?
LOG_KEYS = """
document.body.style.minHeight = '300vh';  // a page that can scroll
window.keyLog = [];
window.addEventListener('keydown', function(e) {
  setTimeout(function() { window.keyLog.push([e.code, e.defaultPrevented]); }, 0);  // once every listener ran
});
"""


class Game:
    def __init__(self, driver, url):
        self.driver, self.url = driver, url
        self.page = page_test.Page(driver, url)

    def load(self):
        self.driver.get(self.url + 'index.html?no-offline')
        self.page.wait_for(lambda: self.status(), 'the game to load')
        self.page.js(LOG_KEYS)
        self.driver.find_element('id', 'game').click()
        time.sleep(3)  # the title's fade
        check(self.status()['scene'] == SCENE_TITLE, 'the page opens on the title')

    def status(self):
        return self.page.js('return window.zorbex && window.zorbex.status()')

    def theatre(self):
        return (self.status() or {}).get('theatre')

    def press(self, key, times=1):
        # held about a tenth of a second, as a player presses it
        for _ in range(times):
            ActionChains(self.driver).key_down(key).pause(0.12).key_up(key).pause(0.12).perform()

    def store(self):
        self.page.wait_for(lambda: self.page.js('return window.zorbex.saved()'), 'the store to be written')
        self.driver.set_script_timeout(30)
        return self.driver.execute_async_script(LIST_FILES)

    def watch_listed(self, what):
        """WATCH on the entry under the cursor; the theatre's status once it is open and
        past the title's start sound (a key pressed and let go while it sounds is not seen)."""
        self.press('z', 2)
        self.page.wait_for(self.theatre, 'the theatre to open on ' + what, 60)
        return self.page.wait_for(lambda: (self.theatre() or {}).get('position', 0) > 30 and self.theatre(),
                                  'the theatre to play ' + what)

    def theatre_settled(self):
        """The theatre's status once two reads a while apart agree (it is paused)."""
        def same():
            a = self.theatre()
            time.sleep(0.2)
            b = self.theatre()
            return a if a == b and a['paused'] else None
        return self.page.wait_for(same, 'the theatre to stand still', 10)


def header_number(text, key):
    return int(re.search(r'^%s (\d+)$' % key, text, re.M).group(1))


def with_changed_hash(text):
    """The run with one recorded hash changed, and the frame of that hash."""
    lines = text.splitlines(keepends=True)
    at = next(i for i, line in enumerate(lines) if line.startswith('hashes ')) + 3
    frame, _ = lines[at].split()
    lines[at] = '%s 0123456789abcdef\n' % frame
    return ''.join(lines), int(frame)


def check_sought(game, desktop, replay, what):
    """The frame the theatre shows equals straight play to it on the desktop."""
    t = game.theatre_settled()
    status = game.status()
    code, summary, err = desktop.run('--input', replay, '--frames', str(t['position']), '--no-draw', '--quiet')
    if code != 0:
        fail('desktop zorbex-sim --input %s --frames %d: %s' % (replay, t['position'], err))
    check(status['hash'] == summary['hash'],
          '%s: frame %d has the hash of straight play (%s)' % (what, t['position'], status['hash']))
    want = desktop.shot('sought%d' % t['position'], '--input', replay, '--frames', str(t['position']),
                        '--language', 'en')
    got = game.page.canvas()
    top, bottom = OVERLAY_ROWS
    region = slice(top * 640 * 3, bottom * 640 * 3)
    differing = page_test.differing_pixels(want[region], got[region])
    if differing:
        with open(os.path.join(desktop.work, 'sought%d-browser.ppm' % t['position']), 'wb') as f:
            f.write(b'P6 640 480 255\n' + got)
    check(differing == 0, '%s: the picture under the theatre\'s controls is straight play\'s' % what)
    return t


def main():
    site_root, desktop_sim, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    desktop = page_test.Desktop(os.path.abspath(desktop_sim), work)
    site = page_test.Site(site_root, work)
    driver = page_test.start_browser(work)
    driver.set_window_size(1100, 560)  # shorter than the page: keys that scroll would scroll it
    golden = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'golden', 'stage1.replay')
    run_text = open(golden).read()
    run = os.path.join(work, 'run.replay')
    open(run, 'w').write(run_text)
    length = header_number(run_text, 'frames')
    changed_text, changed_frame = with_changed_hash(run_text)
    with page_test.browser_session(driver, 'theatre'):
        game = Game(driver, site.url)
        game.load()
        driver.set_script_timeout(30)
        files = [{'name': 'replays', 'time': KEPT_TIME},
                 {'name': 'replays/last.replay', 'time': KEPT_TIME, 'bytes': list(run_text.encode())},
                 {'name': 'replays/rank01.replay', 'time': KEPT_TIME, 'bytes': list(changed_text.encode())},
                 {'name': 'replays/saved', 'time': KEPT_TIME},
                 {'name': 'replays/saved/0-damaged.replay', 'time': KEPT_TIME, 'bytes': list(b'zorbex-replay 3\n\x00\xff')}]
        result = driver.execute_async_script(PUT_FILES, files)
        if result != 'ok':
            fail(result)
        game.load()

        # REPLAYS lists the store's files: LAST RUN, rank01, then the kept ones
        game.press(Keys.ARROW_DOWN, 2)
        game.press('z')
        t = game.watch_listed('the last run')
        check(t['length'] == length and t['differsAt'] == 0,
              'REPLAYS lists last.replay from the store; WATCH opens it in the theatre (%d frames)' % t['length'])

        # 1x, then 4x: the position moves about four times as fast
        game.page.wait_for(lambda: game.theatre()['position'] > 60, 'the replay to play')
        rates = []
        for ups in (0, 2):
            game.press(Keys.ARROW_UP, ups)
            a, t0 = game.theatre()['position'], time.time()
            time.sleep(2)
            rates.append((game.theatre()['position'] - a) / (time.time() - t0))
        check(game.theatre()['speed'] == 16 and rates[1] > 2.5 * rates[0],
              'Up twice plays at 4x: %.0f frames a second, %.0f at 1x' % (rates[1], rates[0]))
        game.page.wait_for(lambda: game.theatre()['position'] > 2 * SEEK_FRAMES, 'the replay to play on', 60)

        # PAUSE (the control under the cursor at first), then ten seconds back, then the
        # stage's start: each frame is straight play's
        game.press('z')
        before = game.theatre_settled()
        game.press(Keys.ARROW_LEFT)
        game.press('z')
        back = check_sought(game, desktop, run, 'ten seconds back')
        check(back['position'] == before['position'] - SEEK_FRAMES,
              'ten seconds back goes from frame %d to %d' % (before['position'], back['position']))
        game.press(Keys.ARROW_LEFT)
        game.press('z')
        stage = check_sought(game, desktop, run, 'the stage\'s start')
        check(0 < stage['position'] < back['position'], 'STAGE - goes back to frame %d' % stage['position'])
        game.press(Keys.ARROW_RIGHT, 3)  # STEP
        game.press('z', 3)
        stepped = check_sought(game, desktop, run, 'three frame steps')
        check(stepped['position'] == stage['position'] + 3, 'STEP moves one frame at a time')
        check(stepped['differsAt'] == 0, 'the hashes held all the way')

        # every key the theatre takes kept from the page
        check(driver.execute_script('return window.scrollY') == 0, 'the page never scrolled')
        game.press(Keys.ESCAPE)
        game.page.wait_for(lambda: game.theatre() is None, 'the theatre to close')
        check(True, 'Escape leaves the theatre')

        # the run with a changed hash says where; the damaged file never opens
        game.press(Keys.ARROW_DOWN)
        t = game.watch_listed('the changed run')
        check(t['differsAt'] == changed_frame, 'rank01 with a changed hash differs at frame %d' % t['differsAt'])
        game.press(Keys.ESCAPE)
        game.page.wait_for(lambda: game.theatre() is None, 'the theatre to close')
        game.press(Keys.ARROW_DOWN)
        game.press('z', 2)
        time.sleep(1)
        check(game.theatre() is None, 'a damaged file is listed but never opens')
        game.press('x')

        # KEEP: a copy in replays/saved/ under the run's date, in IndexedDB
        game.press(Keys.ARROW_UP, 2)
        game.press('z')
        game.press(Keys.ARROW_DOWN)
        game.press('z')
        game.page.wait_for(lambda: any(n.startswith('replays/saved/2026') for n in game.store()), 'the kept copy')
        stored = game.store()
        kept = [n for n in stored if n.startswith('replays/saved/2026')]
        check(len(kept) == 1 and bytes(stored[kept[0]]) == run_text.encode(),
              'KEEP writes the run to IndexedDB as ' + ', '.join(kept))

        # after a reload it is listed (fourth, after the damaged one) and plays
        game.load()
        game.press(Keys.ARROW_DOWN, 2)
        game.press('z')
        game.press(Keys.ARROW_DOWN, 3)
        t = game.watch_listed('the kept run')
        check(t['length'] == length, 'after a reload the kept run is listed and watched')
        game.press(Keys.ESCAPE)
        game.page.wait_for(lambda: game.theatre() is None, 'the theatre to close')

        # DELETE asks, NO first; YES removes it from the store
        game.press('z')
        game.press(Keys.ARROW_DOWN, 2)
        game.press('z')
        game.press('z')  # NO
        time.sleep(0.5)
        check(kept[0] in game.store(), 'DELETE answered NO keeps the file')
        game.press('z')
        game.press(Keys.ARROW_DOWN, 2)
        game.press('z')
        game.press(Keys.ARROW_DOWN)
        game.press('z')  # YES, DELETE IT
        game.page.wait_for(lambda: kept[0] not in game.store(), 'the file to leave the store')
        check('replays/last.replay' in game.store(), 'DELETE YES removes the kept copy from IndexedDB, and only it')

        # a dropped replay plays in the page's watcher, the simulator's theatre: Up speeds it
        # up there too, Escape stops it and the game comes back
        game.page.js("""
            var dt = new DataTransfer();
            dt.items.add(new File([Uint8Array.from(arguments[0])], 'dropped.replay'));
            document.dispatchEvent(new DragEvent('drop', {dataTransfer: dt, bubbles: true}));
            """, list(run_text.encode()))
        game.page.wait_for(lambda: game.page.js("return !document.getElementById('watch').hidden"), 'the watcher')
        time.sleep(2.5)  # past the title's start sound
        game.press(Keys.ARROW_UP, 2)
        time.sleep(2)
        game.press(Keys.ESCAPE)
        verdict = game.page.wait_for(lambda: game.page.js(
            "var m = document.getElementById('message').textContent;"
            "return document.getElementById('watch').hidden && !/^Watching/.test(m) ? m : null"), 'a verdict')
        stopped = re.search(r'stopped after (\d+) of %d frames' % length, verdict)
        check(stopped and int(stopped.group(1)) > 350,
              'the watcher takes Up and Escape from the page: ' + verdict)

        # the keys the game and the watcher read never did the page's own thing
        log = driver.execute_script('return window.keyLog')
        taken = sorted({code for code, prevented in log if not prevented})
        check(not taken, 'every key pressed was kept from the page' + (': ' + ', '.join(taken) if taken else ''))
        for key in (Keys.PAGE_DOWN, Keys.SPACE, Keys.ARROW_DOWN, '.', Keys.PAGE_UP):
            game.press(key)
        log = driver.execute_script('return window.keyLog')
        check(all(prevented for code, prevented in log if code in ('PageDown', 'Space', 'Period'))
              and driver.execute_script('return window.scrollY') == 0,
              'Page Down, Space, the arrows and . never scroll the page')

        game.page.collect_errors()
        check(not game.page.errors, 'no console errors' + ''.join('\n  ' + e for e in game.page.errors))

        # PRACTICE from the title: stage 1 at once, recorded as a practice
        game.press('x')
        game.press(Keys.ARROW_UP)
        game.press('z')
        game.press(Keys.ARROW_DOWN, 7)
        game.press('z')
        game.page.wait_for(lambda: game.status()['scene'] == SCENE_PLAY, 'the practice to begin', 20)
        check(game.status()['stage'] == 1, 'PRACTICE START begins stage 1')
        time.sleep(2)
        game.press(Keys.ESCAPE)
        game.press(Keys.ARROW_DOWN, 3)
        game.press('z')  # QUIT TO TITLE
        game.page.wait_for(lambda: game.status()['scene'] == SCENE_TITLE, 'the title')
        stored = game.store()
        last = bytes(stored.get('replays/last.replay', [])).decode('utf-8', 'replace')
        check(re.search(r'^options practice$', last, re.M) and re.search(r'^practice 1 ', last, re.M),
              'the practice is recorded as last.replay with options practice')
        practice = os.path.join(work, 'practice.replay')
        open(practice, 'w').write(last)
        code, _, err = desktop.run('--verify', practice, '--no-draw', '--quiet')
        check(code == 0, 'the practice verifies with the desktop zorbex-sim ' + err.strip())


if __name__ == '__main__':
    main()
