#!/usr/bin/python3
"""The game's page on a phone (Chromium's mobile emulation, touches sent through CDP), offline,
installable, and its faults, in headless Chromium.

usage: phone_test.py SITE DESKTOP_SIM WORK

On an 844 x 390 touch screen: the game fills the height with the controls at its sides; taps
on the title's entries open OPTIONS, change a value there and come back, and START starts
stage 1; a tap on FIRE starts stage 1 and the sound; the stick and FIRE play and score; a pad's Start
pauses and resumes; the run, ended by touch at the game-over prompt, downloads a replay that
the desktop zorbex-sim verifies. After that one visit, with the server stopped, a reload
plays; a new build announces itself; the manifest is valid and its icons load. On a second
site: a missing zorbex.data or zorbex.wasm is said in one line; the keyboard reaches every
control, with a visible focus.
"""

import base64
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
import wave

from selenium.webdriver.common.action_chains import ActionChains

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import page_test  # noqa: E402
from page_test import check, fail  # noqa: E402

SCENE_TITLE, SCENE_PLAY, SCENE_RANKING = 1, 3, 4
TITLE_SHOWN = 240  # frames: the title fully shown
FIRE = 0x10
PHONE = {'width': 844, 'height': 390, 'deviceScaleFactor': 3, 'mobile': True}

# A pad the test holds: navigator.getGamepads() gives it once window.testPad.connected is set.
FAKE_PAD = """
window.testPad = {connected: false, axes: [0, 0, 0, 0],
                  buttons: Array.from({length: 17}, function() { return {pressed: false, value: 0}; })};
navigator.getGamepads = function() { return window.testPad.connected ? [window.testPad] : [null]; };
"""


class Site:
    """A folder on a loopback port that can be stopped and started again on the same port (the
    same origin, so the service worker stays), with files that can be made to go missing."""

    def __init__(self, root, port=0):
        self.root, self.missing = root, set()
        site = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                                  **{'.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json'})

            def do_GET(self):
                if os.path.basename(self.path.split('?')[0]) in site.missing:
                    self.send_error(404)
                    return
                super().do_GET()

            def log_message(self, *args):
                pass
        self.handler = functools.partial(Handler, directory=root)
        self.start(port)

    def start(self, port):
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', port), self.handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.port = self.server.server_address[1]
        self.url = 'http://127.0.0.1:%d/' % self.port

    def stop(self):
        if self.server:
            self.server.shutdown()
            self.server.server_close()
            self.server = None


class Phone(page_test.Page):
    """The page test's page, touched."""

    def __init__(self, driver):
        super().__init__(driver, '')

    def cdp(self, command, params):
        return self.driver.execute_cdp_cmd(command, params)

    def status(self):
        return self.js('return window.zorbex && window.zorbex.status()')

    def load(self, url):
        self.driver.get(url)
        return self.wait_for(self.status, 'the game to load')

    def centre(self, element_id):
        box = self.js("var r = document.getElementById(arguments[0]).getBoundingClientRect();"
                      "return [r.left + r.width / 2, r.top + r.height / 2];", element_id)
        return box[0], box[1]

    def touches(self, kind, points):
        """points: {finger: (x, y)} of every finger still down after this event."""
        self.cdp('Input.dispatchTouchEvent', {'type': kind, 'touchPoints': [
            {'x': x, 'y': y, 'id': finger, 'radiusX': 4, 'radiusY': 4, 'force': 1}
            for finger, (x, y) in points.items()]})

    def tap(self, element_id, hold=0.08):
        x, y = self.centre(element_id)
        self.touches('touchStart', {1: (x, y)})
        time.sleep(hold)
        self.touches('touchEnd', {})

    def tap_game(self, x, y):
        """A short tap on the game's picture at (x, y) in game pixels."""
        box = self.js("var r = document.getElementById('game').getBoundingClientRect();"
                      "return [r.left, r.top, r.width / 640, r.height / 480];")
        point = (box[0] + (x + 0.5) * box[2], box[1] + (y + 0.5) * box[3])
        self.touches('touchStart', {1: point})
        time.sleep(0.05)
        self.touches('touchEnd', {})

    def frames_stand_still(self):
        first = self.status()['frame']
        time.sleep(0.5)
        return self.status()['frame'] == first

    def press_pad_start(self):
        self.js('window.testPad.buttons[9].pressed = true')
        time.sleep(0.15)
        self.js('window.testPad.buttons[9].pressed = false')
        time.sleep(0.15)


def as_phone(phone, on):
    if on:
        phone.cdp('Emulation.setDeviceMetricsOverride', PHONE)
        phone.cdp('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
        phone.cdp('Emulation.setEmitTouchEventsForMouse', {'enabled': True, 'configuration': 'mobile'})
    else:
        phone.cdp('Emulation.clearDeviceMetricsOverride', {})
        phone.cdp('Emulation.setTouchEmulationEnabled', {'enabled': False})


def start_by_tap(phone, down=None, up=None):
    """FIRE tapped on the title: the page loaded held, the title's frames played, the finger
    put down, then the game let run (a busy machine cannot make the tap miss the title), and
    the finger lifted once stage 1 is on."""
    x, y = phone.centre('touch-fire')
    down = down or (lambda: phone.touches('touchStart', {1: (x, y)}))
    up = up or (lambda: phone.touches('touchEnd', {}))
    phone.play([0] * TITLE_SHOWN)
    down()
    phone.js('window.zorbex.resume()')
    phone.wait_for(lambda: phone.status()['scene'] == SCENE_PLAY, 'stage 1 after a tap on FIRE at %d, %d (%s, %s)' % (
        x, y, phone.status(), phone.js("return document.getElementById('touch').hidden")), 20)
    up()


def play_by_touch(phone, desktop_sim, downloads):
    status = phone.status()
    check(phone.js("return !document.getElementById('touch').hidden"), 'the touch controls show on a touch screen')
    layout = phone.js("""
        var c = document.getElementById('game').getBoundingClientRect();
        var fire = document.getElementById('touch-fire').getBoundingClientRect();
        var stick = document.getElementById('touch-stick').getBoundingClientRect();
        return {height: c.height, left: c.left, right: c.right, fire: fire.left, stick: stick.left,
                action: getComputedStyle(document.getElementById('screen')).touchAction};""")
    check(abs(layout['height'] - PHONE['height']) < 1 and layout['fire'] >= layout['right'] - 1
          and layout['stick'] < layout['left'], 'landscape: the game fills the height, the controls at its sides %s' % layout)
    check(layout['action'] == 'none', 'touch-action is none on the play area')
    check(status['scene'] != SCENE_PLAY and phone.js('return window.zorbex.audio()') != 'running',
          'before a tap: the title, and no sound')

    start_by_tap(phone)
    check(phone.status()['stage'] == 1, 'a tap on FIRE on the title starts stage 1')
    phone.wait_for(lambda: phone.js('return window.zorbex.audio()') == 'running', 'the sound after a tap', 5)
    check(True, 'a tap starts the sound (the audio context runs)')

    # the left thumb lands and pushes right, the right one holds FIRE
    sx, sy = phone.centre('touch-stick')
    fx, fy = phone.centre('touch-fire')
    phone.touches('touchStart', {1: (sx, sy)})
    phone.touches('touchMove', {1: (sx + 40, sy)})
    phone.touches('touchStart', {1: (sx + 40, sy), 2: (fx, fy)})
    time.sleep(2)
    phone.touches('touchMove', {1: (sx + 40, sy - 40), 2: (fx, fy)})
    score = phone.wait_for(lambda: phone.status()['score'], 'a score', 30)
    check(score > 0, 'the stick and FIRE play stage 1 and score (%d)' % score)

    # a pad's Start pauses, and Start again resumes, with the fingers still down
    phone.js('window.testPad.connected = true')
    phone.press_pad_start()
    check(phone.frames_stand_still(), "the pad's Start pauses")
    check(phone.js("return document.getElementById('touch').hidden"), 'the touch controls hide when the pad is used')
    phone.press_pad_start()
    check(not phone.frames_stand_still(), "the pad's Start resumes")
    phone.js('window.testPad.connected = false')
    phone.touches('touchEnd', {})

    # flying into whatever comes until the game-over prompt; CONTINUE shows, FIRE ends the run
    phone.touches('touchStart', {1: (sx, sy)})
    phone.touches('touchMove', {1: (sx + 40, sy)})
    check(phone.js("return !document.getElementById('touch').hidden"), 'a touch shows the controls again')
    phone.wait_for(lambda: phone.status()['prompt'], 'the game-over prompt', 240)
    phone.touches('touchEnd', {})
    phone.wait_for(lambda: phone.js("return !document.getElementById('touch-continue').hidden"), 'CONTINUE', 2)
    check(True, 'CONTINUE shows at the game-over prompt')
    phone.tap('touch-fire')
    phone.wait_for(lambda: phone.status()['scene'] == SCENE_RANKING, 'the ranking', 10)
    phone.wait_for(lambda: phone.js("return !document.getElementById('download-last').disabled"), 'the replay')
    check(phone.js("var r = document.getElementById('download-last').getBoundingClientRect();"
                   "return document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2).id") == 'download-last',
          'the page\'s own buttons are not under the touch controls')
    phone.cdp('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': downloads})
    phone.js("document.getElementById('download-last').click()")
    replay = os.path.join(downloads, 'last.replay')
    phone.wait_for(lambda: os.path.exists(replay) and os.path.getsize(replay) > 0, 'the download')
    time.sleep(0.5)
    done = subprocess.run([desktop_sim, '--verify', replay, '--no-draw', '--quiet'], capture_output=True, text=True)
    check(done.returncode == 0, 'the run played by touch verifies with the desktop zorbex-sim ' + done.stderr.strip())


# Where the title and OPTIONS draw their entries, in game pixels: the middle of line `row`.
TITLE_MENU_TOP, OPTIONS_LABEL_X, OPTIONS_VALUE_X, OPTIONS_FIRST_Y, MENU_LINE = 282, 130, 360, 130, 24
TITLE_START, TITLE_OPTIONS = 0, 3
OPTIONS_MUSIC, OPTIONS_BACK = 1, 7  # a page has no WINDOW SCALE line


def menu_line(top, row):
    return top + row * MENU_LINE + 6


def menus_by_tap(phone, site):
    """The title's entries and OPTIONS' by taps alone: a screen over the title holds the game's
    frames (the page's scripted frames wait), BACK lets them go on, START is fire."""
    phone.load(site.url + 'index.html?hold&no-offline')
    phone.play([0] * TITLE_SHOWN)
    phone.tap_game(320, menu_line(TITLE_MENU_TOP, TITLE_OPTIONS))
    held_at = phone.status()['frame']
    phone.js('window.zorbex.play(new Array(600).fill(0)); return 0')  # 10 s, unless held
    time.sleep(0.6)
    status = phone.status()
    check(status['frame'] == held_at and status['scene'] == SCENE_TITLE,
          'a tap on OPTIONS opens it over the title, whose frames wait (%d, %d)' % (held_at, status['frame']))
    phone.tap_game(OPTIONS_VALUE_X + 2, menu_line(OPTIONS_FIRST_Y, OPTIONS_MUSIC))

    def options_file():
        data = phone.js("return window.zorbex.file('options.cfg')")
        return bytes(data).decode() if data else ''
    phone.wait_for(lambda: 'music-volume = 9' in options_file(), 'the music volume at 9', 5)
    check(True, "a tap on MUSIC VOLUME's left arrow turns it down and saves it")
    phone.tap_game(OPTIONS_LABEL_X, menu_line(OPTIONS_FIRST_Y, OPTIONS_BACK))
    phone.wait_for(lambda: not phone.frames_stand_still(), 'the title to go on', 5)
    check(phone.status()['scene'] == SCENE_TITLE, "a tap on BACK is back on the title, its frames going on")
    phone.play([0] * 10)
    phone.tap_game(320, menu_line(TITLE_MENU_TOP, TITLE_START))
    status = phone.play([0] * 5)
    check(status['scene'] == SCENE_PLAY and status['stage'] == 1, 'a tap on START starts stage 1')


def effects_decode(phone, site, desktop_data):
    """The page's effects are Ogg Vorbis (the files packed into zorbex.data, served beside it
    here), each with some silence after it: Chromium decodes each at its WAV's rate to at least
    its WAV's samples (its decoder may stop up to a block short of a file's end)."""
    names = sorted(n for n in os.listdir(os.path.join(site.root, 'data')) if n.endswith('.ogg'))
    lengths = phone.driver.execute_async_script("""
        var done = arguments[arguments.length - 1];
        Promise.all(arguments[0].map(function(n) {
          return fetch('data/' + n).then(function(r) { return r.arrayBuffer(); }).then(function(bytes) {
            return new OfflineAudioContext(1, 1, 44100).decodeAudioData(bytes);
          }).then(function(b) { return [n, b.length, b.sampleRate]; }, function(e) { return [n, -1, String(e)]; });
        })).then(done);""", names)
    wrong = []
    for name, length, rate in lengths:
        with wave.open(os.path.join(desktop_data, name[:-4] + '.wav')) as w:
            if rate != w.getframerate() or not w.getnframes() <= length <= w.getnframes() + 512:
                wrong.append('%s: %s at %s, the WAV %d at %d' % (name, length, rate, w.getnframes(), w.getframerate()))
    check(len(lengths) >= 15 and not wrong, "each of the %d effects decodes in Chromium to all its WAV's samples %s"
          % (len(lengths), '; '.join(wrong)))


def offline_and_updates(phone, site):
    phone.wait_for(lambda: phone.js('return !!navigator.serviceWorker.controller'), 'the service worker', 30)
    check(True, 'the service worker keeps the page')
    site.stop()
    phone.load(site.url + 'index.html?hold')
    start_by_tap(phone)
    check(phone.status()['stage'] == 1, 'with the server stopped, a reload plays: a tap on FIRE starts stage 1')

    worker = os.path.join(site.root, 'service-worker.js')
    text = open(worker).read()
    open(worker, 'w').write(text.replace("var BUILD = '", "var BUILD = 'next-"))
    site.start(site.port)
    phone.load(site.url + 'index.html')
    phone.wait_for(lambda: 'A new version is ready: reload' in phone.js(
        "return document.getElementById('message').textContent"), 'the new build', 90)
    check(True, 'a new build says "A new version is ready: reload"')
    phone.js("document.getElementById('reload').click()")

    def new_build_alone():
        keys = phone.driver.execute_async_script('caches.keys().then(arguments[arguments.length - 1]);')
        return keys if keys == [k for k in keys if k.startswith('zorbex-next-')] and keys else None
    keys = phone.wait_for(new_build_alone, 'the new build to take over', 30)
    phone.wait_for(phone.status, 'the game after the reload')
    check(True, "after the reload the new build's cache replaced the old one: %s" % keys)


# Columns of one game pixel, white and black by turns, put on the game's canvas as the page's
# present puts a frame there (a whole number of times larger when the canvas is).
STRIPES = """
var canvas = document.getElementById('game'), frame = document.createElement('canvas');
frame.width = 640; frame.height = 480;
var draw = frame.getContext('2d');
draw.fillStyle = '#000'; draw.fillRect(0, 0, 640, 480);
draw.fillStyle = '#fff';
for (var x = 0; x < 640; x += 2) draw.fillRect(x, 0, 1, 480);
var out = canvas.getContext('2d');
out.imageSmoothingEnabled = false;
out.drawImage(frame, 0, 0, canvas.width, canvas.height);
var box = canvas.getBoundingClientRect();
return {left: box.left, top: box.top, width: box.width, scale: box.width * devicePixelRatio / 640};
"""


STRIP_LEFT = 40  # CSS pixels into the canvas, a whole number of device pixels


def column_widths(phone):
    """The width in device pixels of each white game column across a strip of the screen
    shown, from the light it gives: equal widths are even pixels."""
    phone.js('window.zorbex.play([])')  # held: no frame comes over the stripes
    box = phone.js(STRIPES)
    shot = phone.cdp('Page.captureScreenshot', {'format': 'png', 'clip': {
        'x': box['left'] + STRIP_LEFT, 'y': box['top'] + 100, 'width': 60, 'height': 1, 'scale': 1}})
    path = os.path.join(os.environ.get('TMPDIR', '/tmp'), 'zorbex-stripes.png')
    open(path, 'wb').write(base64.b64decode(shot['data']))
    with open(path, 'rb') as f:
        header = f.read(24)
    width = struct.unpack('>I', header[16:20])[0]
    row = page_test.read_png(path)[0:width * 3:3]
    # each white game column c covers device pixels [c s, (c + 1) s) from the canvas's edge;
    # the light of one period centred on it, with partly covered pixels weighed, is its width
    scale, first = box['scale'], STRIP_LEFT * phone.js('return devicePixelRatio')
    widths = []
    for c in range(int(first / scale) + 2, int((first + len(row)) / scale) - 2, 2):
        a, b = c * scale - scale / 2 - first, c * scale + 1.5 * scale - first
        widths.append(sum(row[j] / 255 * max(0, min(b, j + 1) - max(a, j))
                          for j in range(max(0, int(a)), min(len(row), int(b) + 1))))
    return box['scale'], widths


def sharp_at_any_size(phone, site):
    phone.load(site.url + 'index.html?hold&no-offline')
    scale, widths = column_widths(phone)
    spread = max(widths) - min(widths)
    check(scale % 1 != 0 and spread < 0.5,  # nearest scaling: a whole device pixel
          'at %.4f device pixels a game pixel, every game pixel shows %.2f to %.2f device pixels wide '
          '(nearest scaling would give %d and %d)' % (scale, min(widths), max(widths), int(scale), int(scale) + 1))


def manifest(phone, site):
    found = phone.cdp('Page.getAppManifest', {})
    check(not found.get('errors'), 'the manifest has no errors: %s' % found.get('errors'))
    data = json.loads(found['data'])
    check(data['display'] == 'fullscreen' and data['orientation'] == 'landscape' and data['theme_color']
          and data['background_color'] and data['short_name'] == 'Zorbex', 'the manifest names display, '
          'orientation, colours and names')
    purposes = {(i['sizes'], i['purpose']) for i in data['icons']}
    check({('192x192', 'any'), ('512x512', 'any'), ('192x192', 'maskable'), ('512x512', 'maskable')} <= purposes,
          'icons at 192 and 512, maskable too')
    sizes = phone.driver.execute_async_script("""
        var done = arguments[arguments.length - 1];
        Promise.all(arguments[0].map(function(icon) { return new Promise(function(ok) {
          var img = new Image();
          img.onload = function() { ok(img.naturalWidth + 'x' + img.naturalHeight === icon.sizes); };
          img.onerror = function() { ok(false); };
          img.src = icon.src;
        }); })).then(done);""", data['icons'])
    check(all(sizes), 'every icon loads at its size')


def missing_files(phone, site_root):
    for name in ['zorbex.data', 'zorbex.wasm']:
        broken = Site(site_root)  # an origin of its own: no service worker answers
        broken.missing.add(name)
        phone.driver.get(broken.url + 'index.html')
        message = phone.wait_for(lambda: phone.js("var m = document.getElementById('message').textContent;"
                                                  "return m.indexOf('could not load') >= 0 ? m : null"), 'the message')
        check(message.startswith('Zorbex could not load %s: ' % name) and message.endswith(', try reloading')
              and '\n' not in message and phone.js("return document.getElementById('loading').hidden")
              and phone.js("return document.querySelectorAll('#controls button:not([hidden]):not(:disabled)').length") == 0,
              'a missing %s is said in one line, the loading box gone, no button usable: %s' % (name, message))
        broken.stop()


def keyboard(phone, site):
    phone.load(site.url + 'index.html?hold&no-offline')
    phone.wait_for(lambda: phone.js("return !document.getElementById('fullscreen').disabled"), 'the buttons')
    phone.js("document.body.focus(); document.activeElement.blur();"
             "document.getElementById('open-replay').addEventListener('click', function(e) {"
             "  window.pickerOpened = true; e.preventDefault(); });")
    reached, outlined = [], True
    for _ in range(12):
        ActionChains(phone.driver).send_keys('\ue004').perform()  # Tab
        focus = phone.js("var e = document.activeElement; return e && [e.id, getComputedStyle(e).outlineStyle,"
                         " getComputedStyle(e.closest('label') || e).outlineStyle];")
        if focus[0] and focus[0] not in reached:
            reached.append(focus[0])
            outlined = outlined and (focus[1] != 'none' or focus[2] != 'none')
        if focus[0] == 'watch-replay':
            ActionChains(phone.driver).send_keys('\ue007').perform()  # Enter
    want = ['game', 'fullscreen', 'watch-replay']
    check(all(w in reached for w in want) and phone.js('return window.pickerOpened === true'),
          'Tab reaches every control and Enter opens "Watch a replay…": ' + ', '.join(reached))
    check(outlined, 'each control shows its focus')

    # Escape in play: the game pauses (P resumes), or, in a build where it ends the program,
    # the page says so and offers to play again; either way the page answers
    phone.js("document.getElementById('game').focus()")
    phone.play([0] * TITLE_SHOWN + [FIRE] + [0] * 30)
    phone.js('window.zorbex.resume()')
    ActionChains(phone.driver).key_down('\ue00c').pause(0.1).key_up('\ue00c').perform()  # Escape
    time.sleep(0.5)
    if phone.js("return !!document.querySelector('#message button')"):
        check('stopped' in phone.js("return document.getElementById('message').textContent"),
              'Escape ends the program here: the page says so and offers to play again')
    else:
        still = phone.frames_stand_still()
        ActionChains(phone.driver).key_down('p').pause(0.1).key_up('p').perform()
        check(still and not phone.frames_stand_still(), 'Escape pauses the game and P resumes it')


def main():
    site_root, desktop_sim, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    downloads = os.path.join(work, 'downloads')
    os.makedirs(downloads)
    # a copy of the site: the test writes a new build into it
    copy = os.path.join(work, 'site')
    shutil.copytree(site_root, copy, ignore=shutil.ignore_patterns('test-work', 'CMakeFiles', '*.cmake',
                                                                   'data', 'generated'))
    shutil.copytree(os.path.join(site_root, 'data'), os.path.join(copy, 'data'),
                    ignore=shutil.ignore_patterns('*.png', '*.wav', '*.txt'))
    site = Site(copy)
    started = time.time()
    desktop_sim = os.path.abspath(desktop_sim)

    def touch_run(phone):
        phone.load(site.url + 'index.html?hold')
        play_by_touch(phone, desktop_sim, downloads)
        sharp_at_any_size(phone, site)
        manifest(phone, site)

    def taps_after_reloads(phone):
        phone.load(site.url + 'index.html?hold')  # the service worker's first visit
        menus_by_tap(phone, site)
        effects_decode(phone, site, os.path.join(os.path.dirname(desktop_sim), 'data'))
        offline_and_updates(phone, site)
        missing_files(phone, copy)
        as_phone(phone, False)
        keyboard(phone, site)

    # Two browsers: after the first one's run by touch, Chromium hands none of CDP's touches
    # to a page loaded afterwards (no pointer or touch event reaches it at all), so what taps
    # after a reload runs in a fresh one. The page is not at fault: in a browser that has not
    # run those steps a tap after a reload, online or offline, plays.
    for steps in [touch_run, taps_after_reloads]:
        driver = page_test.start_browser(downloads, ('--autoplay-policy=user-gesture-required',))
        phone = Phone(driver)
        try:
            driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': FAKE_PAD})
            as_phone(phone, True)
            steps(phone)
        except BaseException:
            for entry in driver.get_log('browser'):
                print('console: %s %s' % (entry['level'], entry['message']))
            site.stop()
            raise
        finally:
            driver.quit()
    site.stop()
    print('the phone test took %.0f s' % (time.time() - started))


if __name__ == '__main__':
    main()
