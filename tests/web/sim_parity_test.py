#!/usr/bin/python3
"""The simulator for Node against the desktop's: the same summary line and exit code for the
same options, and replays recorded by either verifying with the other.

usage: sim_parity_test.py NODE WEB_SIM_JS DESKTOP_SIM WORK
"""

import json
import os
import shutil
import subprocess
import sys

# Runs that go through the options the issue names: stages, the pilot, routes, the events
# a run stops at, input files, and refusals.
CASES = [
    ['--stage', '1', '--frames', '600', '--no-draw'],
    ['--stage', '3', '--autopilot', '--until', 'clear', '--frames', '20000', '--no-draw'],
    ['--route', 'UDDUDU', '--autopilot', '--invincible', '--until', 'ending', '--frames', '200000',
     '--no-draw'],
    ['--autopilot', '--until', 'gameover', '--frames', '30000', '--seed', '7', '--no-draw'],
    ['--input', 'GOLDEN', '--frames', '2000'],
    ['--stage', '2', '--until', 'boss', '--frames', '100', '--no-draw'],  # not reached: exit 1
    ['--frames', '0'],                                                    # refused: exit 2
    ['--verify', 'missing.replay'],                                       # refused: exit 2
]


def run(command, work):
    done = subprocess.run(command, cwd=work, capture_output=True, text=True)
    lines = done.stdout.strip().splitlines()
    summary = json.loads(lines[-1]) if lines else None
    if summary:
        summary.pop('fps', None)  # the only field that may differ: the speed
    return done.returncode, summary


def main():
    node, web_sim, desktop_sim, work = sys.argv[1:5]
    golden = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'golden', 'stage1.replay')
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    web = [node, os.path.abspath(web_sim)]
    desktop = [os.path.abspath(desktop_sim)]
    failures = []
    for case in CASES:
        args = [golden if a == 'GOLDEN' else a for a in case] + ['--quiet']
        a, b = run(desktop + args, work), run(web + args, work)
        if a != b:
            failures.append('%s\n  desktop: %s\n  node:    %s' % (' '.join(case), a, b))
        else:
            print('ok: %s -> exit %d' % (' '.join(case), a[0]))
    # a replay recorded by either build verifies with the other
    record = ['--stage', '4', '--autopilot', '--frames', '3000', '--no-draw', '--quiet']
    for maker, checker, name in [(web, desktop, 'node.replay'), (desktop, web, 'desktop.replay')]:
        made = run(maker + record + ['--record', name], work)
        checked = run(checker + ['--verify', name, '--no-draw', '--quiet'], work)
        if made[0] != 0 or checked[0] != 0 or made[1]['hash'] != checked[1]['hash']:
            failures.append('%s: recorded %s, verified %s' % (name, made, checked))
        else:
            print('ok: %s verifies with the other build' % name)
    for f in failures:
        print('FAIL: ' + f)
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
