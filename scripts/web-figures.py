#!/usr/bin/python3
"""The browser build's figures for the README, measured on this machine.

usage: scripts/web-figures.py [SITE [DESKTOP_BUILD [SCREENSHOT]]]
       (defaults: build/web, build/release, docs/screenshots/browser.png)
       scripts/web-figures.py --loading SITE...   first frame over throttled lines
       scripts/web-figures.py --phone SITE SHOT    the game on a phone held sideways
       scripts/web-figures.py --snapshots SITE DESKTOP_BUILD REPLAY...
                                     snapshots and seeks, in Chromium and natively

Frame times (median and 99th percentile of one drawn frame: the title, stage 1 played,
the benchmarks' heavy fight) in headless Chromium and natively, from the same program
(zorbex-frame-times); the size of zorbex.wasm raw and gzipped; the bytes loaded before
the game's first frame and the time to it from a local server; and a screenshot of the
page in play. Prints a Markdown table.
"""

import gzip
import http.server
import json
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
import page_test  # noqa: E402  (the test's browser and site)

FRAME_TIMES = """
var done = arguments[arguments.length - 1];
var script = document.createElement('script');
script.src = 'zorbex-frame-times.js';
script.onload = function() {
  var lines = [];
  createZorbexFrameTimes({print: function(l) { lines.push(l); },
                          onExit: function() { done(lines.join('')); }});
};
document.head.appendChild(script);
"""

FIRST_FRAME = """
var done = arguments[arguments.length - 1];
(function wait() {
  var mark = performance.getEntriesByName('zorbex-first-frame')[0];
  if (!mark) { setTimeout(wait, 20); return; }
  var bytes = 0, files = [];
  performance.getEntriesByType('navigation').concat(performance.getEntriesByType('resource'))
    .forEach(function(e) {
      if (e.responseEnd <= mark.startTime) {
        bytes += e.transferSize;
        files.push(e.name.split('/').pop() + ' ' + Math.round(e.startTime) + '-' + Math.round(e.responseEnd));
      }
    });
  done({millis: mark.startTime, bytes: bytes, files: files});
})();
"""


# zorbex-snapshot-times over one replay, in the page: its JSON line.
SNAPSHOT_TIMES = """
var done = arguments[arguments.length - 1], replay = arguments[0];
var script = document.createElement('script');
script.src = 'zorbex-snapshot-times.js';
script.onload = function() {
  var lines = [], errors = [];
  createZorbexSnapshotTimes({arguments: ['/tmp/run.replay'],
                             print: function(l) { lines.push(l); },
                             printErr: function(l) { errors.push(l); },
                             preRun: [function(m) { m.FS.writeFile('/tmp/run.replay', Uint8Array.from(replay)); }],
                             onExit: function(code) { done(code === 0 ? lines.join('') : {error: errors.join(' ')}); }});
};
document.head.appendChild(script);
"""


class IsolatedSite(page_test.Site):
    """The site with the headers that give the page's clock its full precision."""

    def __init__(self, root):
        class Isolated(http.server.SimpleHTTPRequestHandler):
            def end_headers(self):
                self.send_header('Cross-Origin-Opener-Policy', 'same-origin')
                self.send_header('Cross-Origin-Embedder-Policy', 'require-corp')
                self.send_header('Cache-Control', 'no-store')
                super().end_headers()

            def log_message(self, *args):
                pass
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0),
                                                      lambda *a: Isolated(*a, directory=root))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = 'http://127.0.0.1:%d/' % self.server.server_address[1]


class CompressedSite(page_test.Site):
    """A folder served as nginx serves build/web-dist/ with brotli_static and gzip_static: a
    file's .br or .gz when the browser takes it and it lies beside the file."""

    def __init__(self, root):
        class Compressed(http.server.SimpleHTTPRequestHandler):
            extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                                  **{'.wasm': 'application/wasm'})

            def send_head(self):
                path = self.translate_path(self.path)
                accepted = self.headers.get('Accept-Encoding', '')
                for encoding, suffix in [('br', '.br'), ('gzip', '.gz')]:
                    if encoding in accepted and os.path.isfile(path + suffix):
                        body = open(path + suffix, 'rb')
                        self.send_response(200)
                        self.send_header('Content-Type', self.guess_type(path))
                        self.send_header('Content-Encoding', encoding)
                        self.send_header('Content-Length', str(os.fstat(body.fileno()).st_size))
                        self.send_header('Cache-Control', 'no-store')
                        self.end_headers()
                        return body
                return super().send_head()

            def log_message(self, *args):
                pass
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0),
                                                      lambda *a: Compressed(*a, directory=root))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = 'http://127.0.0.1:%d/' % self.server.server_address[1]


LINES = [('10 Mbit/s, 40 ms', 10e6, 40), ('1.6 Mbit/s, 150 ms', 1.6e6, 150)]


def first_frames(sites, tries=3):
    """The first frame over Chromium's throttled lines, the median of a few fresh loads."""
    driver = page_test.start_browser('/tmp')
    try:
        driver.set_script_timeout(120)
        driver.execute_cdp_cmd('Network.enable', {})
        driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
        for site in sites:
            server = CompressedSite(os.path.abspath(site))
            for name, bits, latency in LINES:
                driver.execute_cdp_cmd('Network.emulateNetworkConditions', {
                    'offline': False, 'latency': latency, 'downloadThroughput': bits / 8,
                    'uploadThroughput': bits / 8})
                runs = []
                for _ in range(tries):
                    driver.get('about:blank')
                    driver.get(server.url + 'index.html?no-offline')
                    runs.append(driver.execute_async_script(FIRST_FRAME))
                runs.sort(key=lambda r: r['millis'])
                middle = runs[len(runs) // 2]
                print('%s, %s: first frame %.2f s, %d bytes before it (%s ms)' % (
                    site, name, middle['millis'] / 1000, middle['bytes'], ', '.join(middle['files'])))
            server.server.shutdown()
    finally:
        driver.quit()


def phone_shot(site, shot):
    """Stage 1 a few seconds in on an 844 x 390 phone held sideways, the controls showing."""
    server = IsolatedSite(os.path.abspath(site))
    driver = page_test.start_browser('/tmp')
    try:
        driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                               {'width': 844, 'height': 390, 'deviceScaleFactor': 2, 'mobile': True})
        driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
        driver.get(server.url + 'index.html?hold&no-offline')
        page = page_test.Page(driver, server.url)
        page.wait_for(lambda: page.js('return window.zorbex && window.zorbex.status()'), 'the game')
        buttons = [0] * 120 + [0x10, 0, 0x10] + [0] * 80
        buttons += [0x10 | (0x08 if (f // 50) % 2 else 0x01) for f in range(400)]
        page.play(buttons)
        # as the player's first tap leaves it: the sound started, the stick and FIRE held
        page.js("document.getElementById('press').hidden = true;"
                "document.getElementById('touch-stick').classList.add('held');"
                "document.getElementById('touch-fire').classList.add('held');")
        driver.save_screenshot(shot)
    finally:
        driver.quit()
        server.server.shutdown()


def snapshot_figures(site, desktop, replays):
    """A snapshot's size, its take and restore, and the seek to each replay's worst frame:
    the same program in headless Chromium (the clock at full precision) and natively."""
    server = IsolatedSite(os.path.abspath(site))
    driver = page_test.start_browser('/tmp')
    rows = []
    try:
        driver.set_script_timeout(900)
        for replay in replays:
            native = json.loads(subprocess.run([os.path.join(desktop, 'zorbex-snapshot-times'), replay],
                                               capture_output=True, text=True, check=True).stdout)
            driver.get(server.url + 'favicon.png')  # the site's origin, no game running beside it
            line = driver.execute_async_script(SNAPSHOT_TIMES, list(open(replay, 'rb').read()))
            if isinstance(line, dict):
                page_test.fail('zorbex-snapshot-times in the browser: ' + line['error'])
            rows.append((os.path.basename(replay), json.loads(line), native))
    finally:
        driver.quit()
        server.server.shutdown()
    print('| | headless Chromium | native |')
    print('|---|---|---|')
    _, b, n = rows[0]
    print('| snapshot size | %s bytes | %s bytes |' % (format(b['bytes'], ','), format(n['bytes'], ',')))
    print('| take one (median) | %.0f µs | %.0f µs |' % (b['takeMicros'], n['takeMicros']))
    print('| restore one (median) | %.0f µs | %.0f µs |' % (b['restoreMicros'], n['restoreMicros']))
    for name, b, n in rows:
        same = 'same hash' if b['hash'] == n['hash'] else 'HASHES DIFFER'
        print('| %s: whole run kept (%d frames, snapshots every %d) | %.0f ms | %.0f ms |'
              % (name, b['frames'], b['spacing'], b['openMillis'], n['openMillis']))
        print('| %s: seek to frame %d (median / worst of 5) | %.1f / %.1f ms | %.1f / %.1f ms | %s'
              % (name, b['worstFrame'], b['seekMillis'], b['seekMaxMillis'], n['seekMillis'], n['seekMaxMillis'], same))


def sizes(site):
    wasm = open(os.path.join(site, 'zorbex.wasm'), 'rb').read()
    return len(wasm), len(gzip.compress(wasm, 9))


def main():
    if sys.argv[1:2] == ['--loading']:
        return first_frames(sys.argv[2:])
    if sys.argv[1:2] == ['--snapshots']:
        return snapshot_figures(sys.argv[2], sys.argv[3], sys.argv[4:])
    if sys.argv[1:2] == ['--phone']:
        return phone_shot(sys.argv[2], sys.argv[3])
    site = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else 'build/web')
    desktop = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else 'build/release')
    shot = sys.argv[3] if len(sys.argv) > 3 else 'docs/screenshots/browser.png'
    native = json.loads(subprocess.run([os.path.join(desktop, 'zorbex-frame-times')], cwd=desktop,
                                       capture_output=True, text=True, check=True).stdout)
    server = IsolatedSite(site)
    driver = page_test.start_browser('/tmp')
    try:
        driver.set_script_timeout(600)
        driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
        driver.set_window_size(1400, 1050)
        started = time.time()
        driver.get(server.url + 'index.html')
        loading = driver.execute_async_script(FIRST_FRAME)
        page = page_test.Page(driver, server.url)
        page.wait_for(lambda: page.js('return window.zorbex && window.zorbex.status()'), 'the game')
        page.js('window.zorbex.play([])')  # held: the measurement has the machine to itself
        browser = json.loads(driver.execute_async_script(FRAME_TIMES))
        # the screenshot: stage 1 a few seconds in, the ship weaving and firing
        driver.get(server.url + 'index.html?hold')
        page.wait_for(lambda: page.js('return window.zorbex && window.zorbex.status()'), 'the game')
        buttons = [0] * 120 + [0x10, 0, 0x10] + [0] * 80
        buttons += [0x10 | (0x08 if (f // 50) % 2 else 0x01) for f in range(520)]
        page.play(buttons)
        driver.save_screenshot(shot)
        elapsed = time.time() - started
    finally:
        driver.quit()
    raw, packed = sizes(site)
    print('| frame, drawn | headless Chromium median / p99 | native median / p99 |')
    print('|---|---|---|')
    for name, label in [('title', 'title'), ('stage', 'stage 1 played (typical)'), ('heavy', 'heavy fight')]:
        b, n = browser[name], native[name]
        print('| %s | %.2f / %.2f ms | %.2f / %.2f ms |' % (label, b['median'], b['p99'], n['median'], n['p99']))
    print('\nheavy frame in the browser: %.1f times the native one (medians)' %
          (browser['heavy']['median'] / native['heavy']['median']))
    print('zorbex.wasm: %d bytes, %d gzipped' % (raw, packed))
    print('before the first frame: %d bytes in %d files (%s), shown %.0f ms after the page was asked for' %
          (loading['bytes'], len(loading['files']), ', '.join(loading['files']), loading['millis']))
    print('screenshot: %s (%.0f s in all)' % (shot, elapsed))


if __name__ == '__main__':
    main()
