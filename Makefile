# The two set-up commands: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test deps board board-deps board-bench release package asan asan-test soak fuzz bench golden routes audio-report boss-sheet clean \
	web web-test web-serve web-dist

run: deps release
	cd build/release && ./zorbex

# every test: the desktop's (the score board's among them), then the browser build's (the
# golden replays under Node, the page in headless Chromium)
test: deps board-deps release web
	ctest --preset release -j $(JOBS)
	ctest --preset web -j $(JOBS)

deps:
	@bash scripts/install-deps.sh

# the score board's packages: its tests run in `make test`
board-deps:
	@bash scripts/install-deps.sh --board

# the score board on SQLite, judged by the build's simulator (board/zorbex-board --help)
board: board-deps release
	board/zorbex-board --db board.sqlite --port 8080

# the board's figures for the README: verification speed, the tables with 100,000 runs, memory
board-bench: board-deps release
	/usr/bin/python3 board/bench.py

release:
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

# the Debian package, build/release/zorbex_<version>_<arch>.deb
package: deps release
	cd build/release && cpack -G DEB

# The browser build in build/web/, a static site: the game's page, and the simulator for
# Node (node build/web/zorbex-sim.js). It takes its data from the desktop build.
WEB_PORT ?= 8000

web: deps release
	@bash scripts/install-deps.sh --web
	cmake --preset web >/dev/null
	cmake --build --preset web -j $(JOBS)

# What a web host needs and nothing else, in build/web-dist/: the page, the programs, the
# data, the service worker and the music, each file beside its .gz and .br where that is at
# least 5% smaller (MP3s and PNGs hardly shrink: a host sends the file itself) (README).
web-dist: web
	rm -rf build/web-dist
	mkdir -p build/web-dist/data
	cd build/web && cp $$(cat site-files.txt) ../web-dist/ && cp data/*.mp3 ../web-dist/data/
	cd build/web-dist && find . -type f -print0 | \
		xargs -0 -n 8 -P $(JOBS) sh -c 'for f; do gzip -9 -n -k "$$f" && brotli -q 11 -k "$$f"; \
			for c in "$$f.gz" "$$f.br"; do \
				[ $$(($$(stat -c %s "$$c") * 100)) -le $$(($$(stat -c %s "$$f") * 95)) ] || rm "$$c"; \
			done; done' sh
	@du -sb build/web-dist | cut -f1 | xargs printf 'build/web-dist: %s bytes\n'

web-test: web
	ctest --preset web -j $(JOBS)

web-serve: web
	@echo "Zorbex in the browser: http://localhost:$(WEB_PORT)/ (Ctrl+C stops)"
	/usr/bin/python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory build/web

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

asan-test: asan
	ctest --preset asan -j $(JOBS)

# zorbex-sim: soak whole routes under the sanitizers, fuzz briefly, benchmark, and
# re-record the golden replays (only ever on purpose: they pin the game's behaviour).
FUZZ_SECONDS ?= 30

# Seven whole routes under the sanitizers, the pool checked every frame: together they
# play every stage and every transition (route map, stage start, tally, ending, ranking).
SOAK_ROUTES ?= UUUUUU DUUUUU DDUUUU DDDUUU DDDDUU DDDDDU DDDDDD

soak: asan
	ZORBEX_ROUTE_OPTIONS="--invincible --check-pool" tools/sim/routes.sh build/asan/zorbex-sim $(SOAK_ROUTES)

fuzz:
	@bash scripts/install-deps.sh clang libclang-rt-14-dev
	scripts/fuzz.sh $(FUZZ_SECONDS)

bench: release
	cd build/release && ./zorbex-bench

golden: release
	scripts/record-golden.sh build/release/zorbex-sim

# The route report: every stage played by the pilot over several seeds, per stage and
# per column, with a plot of how the difficulty ramps.
routes: deps release
	@bash scripts/install-deps.sh python3 python3-matplotlib
	/usr/bin/python3 scripts/route-report.py build/release/zorbex-sim build/routes

# Loudness, range, true peak and DC of every sound and track, simulated fights, the runtime's
# worst-case mix, and spectrograms: build/release/audio-report/report.md and *.png.
audio-report: release
	@bash scripts/install-deps.sh ffmpeg python3-numpy python3-scipy python3-matplotlib
	/usr/bin/python3 scripts/audio-report.py build/release/data build/release/audio-report \
		"$$(cd build/release/test-work && ../zorbex-tests --gtest_filter='OutputMix.*' | grep '^worst-case mix')"

# The boss sheet: every boss mid-fight and every ending at 2x, from the simulator's frames:
# build/release/boss-sheet/boss-sheet-rgb.png, and the small copy the README shows in docs/.
boss-sheet: deps release
	/usr/bin/python3 scripts/boss-sheet.py build/release/zorbex-sim build/release/boss-sheet
	cp build/release/boss-sheet/boss-sheet.png docs/boss-sheet.png

clean:
	rm -rf build
