#!/usr/bin/python3
"""The game's own front end on its page, in headless Chromium, played by keys.

usage: menu_test.py SITE WORK

Serves SITE (build/web) on localhost: the title menu is walked to OPTIONS with the arrow
keys and Z, the music volume lowered with Left (and options.cfg in the browser's store says
so), X goes back; START begins stage 1; Escape in play pauses (the state stands still and
the page lives on, it never freezes) and Escape again resumes; Escape on the title never
ends the game.
"""

import os
import shutil
import sys
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import page_test  # noqa: E402  (the site, the browser)
from page_test import check, fail  # noqa: E402

SCENE_TITLE, SCENE_PLAY = 1, 3


def main():
    site_root, work = sys.argv[1:3]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    site = page_test.Site(site_root, work)
    driver = page_test.start_browser(work, ())
    js = driver.execute_script

    def status():
        return js('return window.zorbex && window.zorbex.status()')

    def wait_for(test, what, seconds=60):
        end = time.time() + seconds
        while time.time() < end:
            value = test()
            if value:
                return value
            time.sleep(0.05)
        fail('timed out waiting for ' + what)

    def press(key, times=1):
        # held about a tenth of a second, as a player presses it: a bare tap can fall between frames
        for _ in range(times):
            ActionChains(driver).key_down(key).pause(0.12).key_up(key).pause(0.12).perform()

    def options_file():
        data = js('return window.zorbex.file("options.cfg")')
        return bytes(data).decode('utf-8', 'replace') if data else ''

    try:
        driver.get(site.url + 'index.html')
        wait_for(status, 'the game to load')
        driver.find_element('id', 'game').click()
        time.sleep(3)  # the title's fade
        check(status()['scene'] == SCENE_TITLE, 'the page opens on the title')

        press(Keys.ARROW_DOWN, 3)
        press('z')                   # OPTIONS
        press(Keys.ARROW_DOWN, 1)    # the window's scale is no page's: MUSIC VOLUME comes next
        press(Keys.ARROW_LEFT)
        wait_for(lambda: 'music-volume = 9' in options_file(), 'options.cfg in the store', 10)
        check(True, 'OPTIONS reached by keys lowers the music volume, kept in the store: options.cfg')
        press('x')                   # back to the title
        press(Keys.ESCAPE)           # on the title: nothing ends
        time.sleep(0.5)
        check(status() and status()['scene'] == SCENE_TITLE, 'Escape on the title leaves the game running')

        press(Keys.ARROW_UP, 3)
        press('z')
        wait_for(lambda: status()['scene'] == SCENE_PLAY, 'START to begin stage 1', 20)
        check(True, 'START begins stage 1')
        time.sleep(1)
        press(Keys.ESCAPE)
        first = status()['hash']
        time.sleep(1)
        check(status()['hash'] == first, 'Escape in play pauses: the state stands still')
        press(Keys.ESCAPE)
        wait_for(lambda: status()['hash'] != first, 'play to go on after Escape again', 10)
        check(True, 'Escape again resumes: the page never froze')
    finally:
        driver.quit()
        site.stop()


if __name__ == '__main__':
    main()
