# The two set-up commands: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test deps release package asan asan-test soak fuzz bench golden clean

run: deps release
	cd build/release && ./zorbex

test: deps release
	ctest --preset release -j $(JOBS)

deps:
	@bash scripts/install-deps.sh

release:
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

# the Debian package, build/release/zorbex_<version>_<arch>.deb
package: deps release
	cd build/release && cpack -G DEB

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

asan-test: asan
	ctest --preset asan -j $(JOBS)

# zorbex-sim: soak every stage under the sanitizers, fuzz briefly, benchmark,
# and re-record the golden replay (only ever on purpose: it pins the game's behaviour).
SOAK_FRAMES ?= 20000
FUZZ_SECONDS ?= 30

soak: asan
	tools/sim/soak.sh build/asan/zorbex-sim $(SOAK_FRAMES)

fuzz:
	@bash scripts/install-deps.sh clang libclang-rt-14-dev
	scripts/fuzz.sh $(FUZZ_SECONDS)

bench: release
	cd build/release && ./zorbex-bench

golden: release
	cd build/release && ./zorbex-sim --autopilot --invincible --until clear --frames 40000 \
		--record $(CURDIR)/tests/golden/stage1.replay
	cd build/release && ./zorbex-sim --verify $(CURDIR)/tests/golden/stage1.replay

clean:
	rm -rf build
