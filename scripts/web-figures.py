#!/usr/bin/python3
"""The browser build's figures for the README, measured on this machine.

usage: scripts/web-figures.py [SITE [DESKTOP_BUILD [SCREENSHOT]]]
       (defaults: build/web, build/release, docs/screenshots/browser.png)

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
      if (e.responseEnd <= mark.startTime) { bytes += e.transferSize; files.push(e.name.split('/').pop()); }
    });
  done({millis: mark.startTime, bytes: bytes, files: files});
})();
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


def sizes(site):
    wasm = open(os.path.join(site, 'zorbex.wasm'), 'rb').read()
    return len(wasm), len(gzip.compress(wasm, 9))


def main():
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
