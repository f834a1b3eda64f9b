#!/usr/bin/python3
"""The game's page in headless Chromium, held to the desktop build.

usage: page_test.py SITE DESKTOP_SIM WORK

Serves SITE (build/web) on localhost and checks, in one browser: no console errors; the
title's canvas pixels equal the desktop's headless frames; Z starts stage 1; a scripted
run to the ranking ends with the state hash and score that the desktop zorbex-sim gives
for the same buttons; the downloaded last.replay verifies with the desktop zorbex-sim;
after a reload the saved table is still there; and an ending frame drawn by the browser
build in the browser equals the desktop's, in Japanese and in English.
"""

import base64
import contextlib
import functools
import http.server
import json
import os
import shutil
import struct
import subprocess
import sys
import threading
import time
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains

FIRE, RIGHT = 0x10, 0x04
SCENE_PLAY, SCENE_RANKING = 3, 4
TITLE_FRAMES = (60, 240)  # the flash, and the title fully shown
CHUNK = 30  # frames: fire on the first, right held on all
MAX_FRAMES = 6000
ENDING_STAGE = 28


# The browser build's simulator (zorbex-watch.js) run headless in the page: a replay's
# frames drawn as fast as they run, the last one saved as PNG in its file system.
HEADLESS_SHOT = """
var done = arguments[arguments.length - 1], replay = arguments[0], frames = arguments[1];
var language = arguments[2];
var script = document.createElement('script');
script.src = 'zorbex-watch.js';
script.onerror = function() { done({error: 'zorbex-watch.js did not load'}); };
script.onload = function() {
  var errors = [];
  createZorbexWatch({
    arguments: ['--input', '/tmp/run.replay', '--frames', frames, '--shots', '/tmp/shots',
                '--every', frames, '--language', language, '--quiet'],
    print: function() {},
    printErr: function(line) { errors.push(line); },
    preRun: [function(m) { m.FS.writeFile('/tmp/run.replay', Uint8Array.from(replay)); }],
    onExit: function(code) {
      if (code !== 0) { done({error: 'exit ' + code + ': ' + errors.join(' ')}); return; }
      var name = '/tmp/shots/frame' + String(frames).padStart(6, '0') + '.png';
      done({png: Array.from(this.FS.readFile(name))});
    },
  });
};
document.head.appendChild(script);
"""


# IndexedDB refused, as in a private window or with its quota spent.
REFUSED_STORE = """
IDBFactory.prototype.open = function() { throw new DOMException('refused by the test', 'QuotaExceededError'); };
"""


def fail(message):
    print('FAIL: ' + message)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)
    print('ok: ' + message)


def read_png(path):
    """RGB bytes of an 8-bit, non-interlaced PNG (what the simulator writes)."""
    data = open(path, 'rb').read()
    pos, idat = 8, b''
    while pos < len(data):
        size, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + size]
        pos += 12 + size
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            if depth != 8 or interlace:
                fail(path + ': not an 8-bit plain PNG')
        elif kind == b'IDAT':
            idat += body
    channels = {2: 3, 6: 4}[colour]
    raw, stride = zlib.decompress(idat), width * channels
    previous, rows, at = bytearray(stride), bytearray(), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows += line
        previous = line
    if channels == 3:
        return bytes(rows)
    return bytes(b for i in range(0, len(rows), 4) for b in rows[i:i + 3])


def differing_pixels(a, b):
    return sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])


class Site:
    """build/web on localhost, for as long as the test runs, and the test's own files
    under /runs/, as the score board serves its runs beside the page."""

    def __init__(self, root, runs):
        class Quiet(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def translate_path(self, path):
                if path.startswith('/runs/'):
                    return os.path.join(runs, os.path.basename(path.split('?')[0]))
                return super().translate_path(path)
        handler = functools.partial(Quiet, directory=root)
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = 'http://127.0.0.1:%d/' % self.server.server_address[1]

    def stop(self):
        self.server.shutdown()


class Desktop:
    """The desktop's simulator, run in a folder of the test's own."""

    def __init__(self, sim, work):
        self.sim, self.work = sim, work

    def run(self, *args):
        done = subprocess.run([self.sim] + list(args), cwd=self.work, capture_output=True, text=True)
        summary = json.loads(done.stdout.strip().splitlines()[-1]) if done.stdout.strip() else {}
        return done.returncode, summary, done.stderr

    def shot(self, name, *args):
        folder = os.path.join(self.work, name)
        shutil.rmtree(folder, ignore_errors=True)
        code, summary, err = self.run(*args, '--shots', folder, '--every', '1000000', '--quiet')
        if code != 0:
            fail('desktop zorbex-sim %s: %s' % (' '.join(args), err))
        return read_png(os.path.join(folder, 'frame%06d.png' % summary['frames']))


@contextlib.contextmanager
def browser_session(driver, name):
    """Runs a test's body: the browser's console shown if it fails, the browser closed."""
    started = time.time()
    try:
        yield
    except BaseException:
        for entry in driver.get_log('browser'):
            print('console: %s %s' % (entry['level'], entry['message']))
        raise
    finally:
        driver.quit()
    print('the %s test took %.0f s' % (name, time.time() - started))


def write_buttons(path, buttons):
    with open(path, 'w') as f:
        for bits in buttons:
            f.write('0x%02x\n' % bits)


def start_browser(downloads, flags=('--lang=en-US',)):
    options = Options()
    for flag in ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                 '--window-size=1100,800', '--mute-audio'] + list(flags):
        options.add_argument(flag)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    options.add_experimental_option('prefs', {'download.default_directory': downloads,
                                              'download.prompt_for_download': False})
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


class Page:
    def __init__(self, driver, url):
        self.driver, self.url, self.errors = driver, url, []

    def load(self, query=''):
        self.driver.get(self.url + 'index.html?hold' + query)
        self.wait_for(lambda: self.js('return window.zorbex && window.zorbex.status()'), 'the game to load')

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait_for(self, test, what, seconds=60):
        end = time.time() + seconds
        while time.time() < end:
            value = test()
            if value:
                return value
            time.sleep(0.05)
        fail('timed out waiting for ' + what)

    def play(self, buttons):
        self.driver.set_script_timeout(120)
        return self.driver.execute_async_script(
            'window.zorbex.play(arguments[0]).then(arguments[arguments.length - 1]);', buttons)

    def pause_and_resume(self, buttons):
        """The page loses focus in play: the game pauses before its next frame (the buttons
        that frame would have taken wait for it), and no frame runs until P is held; then the
        buttons play on, none lost."""
        start = self.js('return window.zorbex.status().frame')
        self.js('window.dispatchEvent(new Event("blur")); window.zorbex.play(arguments[0]);', buttons)
        time.sleep(0.5)
        frame = self.js('return window.zorbex.status().frame')
        time.sleep(0.5)
        held = frame == start and self.js('return window.zorbex.status().frame') == frame
        ActionChains(self.driver).key_down('p').pause(0.1).key_up('p').perform()
        self.wait_for(lambda: self.js('return window.zorbex.status().frame') == start + len(buttons),
                      'the frames after the pause')
        return held

    def message(self):
        return self.js("return document.getElementById('message').textContent")

    def watch(self, replay, by_drop):
        """Opens a replay (the picker, or dropped on the page); the page's verdict."""
        if by_drop is None:
            pass  # the page was loaded with a link to it
        elif by_drop:
            self.js("""
                var dt = new DataTransfer();
                dt.items.add(new File([Uint8Array.from(arguments[0])], 'dropped.replay'));
                document.dispatchEvent(new DragEvent('drop', {dataTransfer: dt, bubbles: true}));
                """, list(open(replay, 'rb').read()))
        else:
            self.js("document.getElementById('open-replay').hidden = false")
            self.driver.find_element('id', 'open-replay').send_keys(replay)
        self.wait_for(lambda: self.js("return document.getElementById('watch').hidden === false"), 'the watcher')
        return self.wait_for(lambda: self.js(
            "var m = document.getElementById('message').textContent;"
            "return document.getElementById('watch').hidden && !/^Watching/.test(m) ? m : null"), 'a verdict', 120)

    def canvas(self):
        data = self.js("""
            // the canvas may hold the frame a whole number of times larger: one pixel of each block
            var c = document.getElementById('game'), frame = document.createElement('canvas');
            frame.width = 640; frame.height = 480;
            var draw = frame.getContext('2d');
            draw.imageSmoothingEnabled = false;
            draw.drawImage(c, 0, 0, 640, 480);
            var d = draw.getImageData(0, 0, 640, 480).data, rgb = new Uint8Array(640 * 480 * 3);
            for (var i = 0, j = 0; i < d.length; i += 4) { rgb[j++] = d[i]; rgb[j++] = d[i + 1]; rgb[j++] = d[i + 2]; }
            var s = ''; for (var k = 0; k < rgb.length; k += 8192) s += String.fromCharCode.apply(null, rgb.subarray(k, k + 8192));
            return btoa(s);""")
        return base64.b64decode(data)

    def collect_errors(self, expected=None):
        """The console's errors so far, but for the one the test caused on purpose."""
        for entry in self.driver.get_log('browser'):
            if entry['level'] == 'SEVERE' and not (expected and expected in entry['message']):
                self.errors.append(entry['message'])


def main():
    site_root, desktop_sim, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    downloads = os.path.join(work, 'downloads')
    os.makedirs(downloads)
    desktop = Desktop(os.path.abspath(desktop_sim), work)
    site = Site(site_root, work)
    driver = start_browser(downloads)
    with browser_session(driver, 'page'):
        page = Page(driver, site.url)
        page.load()
        # a key press lets the page start its sound; the scripted frames ignore the key
        ActionChains(driver).send_keys('z').perform()

        # the title, frame for frame as the desktop draws it (the page follows the browser's
        # language, English here; the simulator draws Japanese unless told)
        script = []
        for frame in TITLE_FRAMES:
            page.play([0] * (frame - len(script)))
            script += [0] * (frame - len(script))
            write_buttons(os.path.join(work, 'idle.txt'), script)
            want = desktop.shot('title%d' % frame, '--input', 'idle.txt', '--language', 'en')
            got = page.canvas()
            if differing_pixels(want, got):
                # kept for a look: what the page showed
                with open(os.path.join(work, 'title%d-browser.ppm' % frame), 'wb') as f:
                    f.write(b'P6 640 480 255\n' + got)
            check(differing_pixels(want, got) == 0, 'title frame %d: the canvas shows the desktop\'s pixels' % frame)

        # Z starts stage 1, and the run goes on to a game over and the ranking
        chunk = [FIRE | RIGHT] + [RIGHT] * (CHUNK - 1)
        status, saw_stage1, paused = None, False, False
        while len(script) < MAX_FRAMES:
            if saw_stage1 and not paused:
                paused = page.pause_and_resume(chunk)
                status = page.js('return window.zorbex.status()')
            else:
                status = page.play(chunk)
            script += chunk
            saw_stage1 = saw_stage1 or (status['scene'] == SCENE_PLAY and status['stage'] == 1)
            if status['scene'] == SCENE_RANKING:
                break
        check(saw_stage1, 'Z starts stage 1')
        check(paused, 'play pauses while the page has lost focus, and P resumes it')
        check(status['scene'] == SCENE_RANKING, 'the scripted run reaches the ranking (frame %d)' % status['frame'])
        check(status['frame'] == len(script), 'status().frame counts the frames run')

        # the downloaded replay of that run verifies on the desktop
        page.js("document.getElementById('download-last').click()")
        replay = os.path.join(downloads, 'last.replay')
        page.wait_for(lambda: os.path.exists(replay) and os.path.getsize(replay) > 0, 'the download')
        time.sleep(0.5)
        code, _, err = desktop.run('--verify', replay, '--no-draw', '--quiet')
        check(code == 0, 'the downloaded last.replay verifies with the desktop zorbex-sim ' + err.strip())

        # the same buttons in the desktop's simulator, from the run's seed, end alike
        seed = next(line.split()[1] for line in open(replay) if line.startswith('seed '))
        write_buttons(os.path.join(work, 'script.txt'), script)
        code, summary, err = desktop.run('--input', 'script.txt', '--seed', seed, '--frames', str(len(script)),
                                         '--no-draw', '--quiet')
        check(code == 0 and summary['hash'] == status['hash'] and summary['score'] == status['score'],
              'the page ends with the desktop\'s hash %s and score %d (page: %s, %d)'
              % (summary.get('hash'), summary.get('score', -1), status['hash'], status['score']))

        # the table written at the ranking is there after a reload
        page.wait_for(lambda: page.js('return window.zorbex.saved()'), 'the saves to be written')
        before = page.js('return window.zorbex.replays()')
        save_before = page.js('return window.zorbex.file("zorbexG.dat")')
        page.load()
        save_after = page.js('return window.zorbex.file("zorbexG.dat")')
        check(save_before is not None and save_before == save_after, 'after a reload the saved table is still there')
        check(page.js('return window.zorbex.replays()') == before and 'last.replay' in before,
              'after a reload the replays are still there: ' + ', '.join(before))

        # a browser that refuses its store: one line on the page, and the stored table untouched
        refusal = driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': REFUSED_STORE})
        page.load()
        message = page.js("return document.getElementById('message').textContent")
        check('cannot be kept' in message, 'a store the browser refuses is said in one line: ' + message)
        driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument', {'identifier': refusal['identifier']})
        page.load()
        check(page.js('return window.zorbex.file("zorbexG.dat")') == save_before,
              'the table stored before is still there afterwards')

        # a replay opened in the page plays with its hashes checked: verified, or where it differs
        code, _, err = desktop.run('--stage', '1', '--frames', '150', '--record', 'short.replay', '--quiet')
        if code != 0:
            fail('desktop zorbex-sim --record: ' + err)
        short = os.path.join(work, 'short.replay')
        verdict = page.watch(short, by_drop=False)
        check(verdict.startswith('Verified'), 'a replay opened with the picker plays and verifies: ' + verdict)
        text = open(short).read()
        first = next(line for line in text.splitlines() if line.startswith('60 '))
        tampered = os.path.join(work, 'tampered.replay')
        open(tampered, 'w').write(text.replace(first, '60 0123456789abcdef'))
        verdict = page.watch(tampered, by_drop=True)
        check('differs at frame 60' in verdict, 'a dropped replay that differs says where: ' + verdict)
        check(page.js('return window.zorbex.status().frame') == 0 and page.js('return !document.getElementById("game").hidden'),
              'the game is back, held where it was')

        # the score board's link to a run: the page fetches it from its own site and watches it
        page.load('&replay=/runs/short.replay')
        verdict = page.watch(short, by_drop=None)
        check(verdict.startswith('Verified'), 'a replay linked with ?replay= plays and verifies: ' + verdict)
        page.load('&replay=http://example.invalid/run.replay')
        page.wait_for(lambda: 'not on this site' in page.message(), 'a link to another site refused')
        page.collect_errors()
        page.load('&replay=/runs/absent.replay')
        page.wait_for(lambda: '404' in page.message(), 'a link to no file refused')
        page.collect_errors(expected='absent.replay')

        # an ending frame, drawn by the browser build in the browser, as the desktop draws it
        code, summary, err = desktop.run('--stage', str(ENDING_STAGE), '--autopilot', '--invincible', '--until',
                                         'ending', '--frames', '40000', '--record', 'ending.replay',
                                         '--no-draw', '--quiet')
        if code != 0:
            fail('the desktop pilot did not reach the ending: ' + err)
        frames = str(summary['frames'] + 300)
        driver.set_script_timeout(300)
        # in each language: the English lines were rendered at build time as the Japanese were
        for language in ('ja', 'en'):
            want = desktop.shot('ending-' + language, '--input', 'ending.replay', '--frames', frames,
                                '--language', language)
            result = driver.execute_async_script(
                HEADLESS_SHOT, list(open(os.path.join(work, 'ending.replay'), 'rb').read()), frames, language)
            if 'error' in result:
                fail('the browser build could not draw the %s ending: %s' % (language, result['error']))
            got_png = os.path.join(work, 'ending-browser-%s.png' % language)
            open(got_png, 'wb').write(bytes(result['png']))
            check(differing_pixels(want, read_png(got_png)) == 0,
                  'an ending frame in %s drawn in the browser equals the desktop\'s' % language)

        page.collect_errors()
        check(not page.errors, 'no console errors' + ''.join('\n  ' + e for e in page.errors))


if __name__ == '__main__':
    main()
