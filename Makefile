# The two set-up commands: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test deps release asan asan-test clean

run: deps release
	cd build/release && ./zorbex

test: deps release
	ctest --preset release -j $(JOBS)

deps:
	@bash scripts/install-deps.sh

release:
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

asan-test: asan
	ctest --preset asan -j $(JOBS)

clean:
	rm -rf build
