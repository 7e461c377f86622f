# Thin wrapper over CMake. The two commands a new user needs:
#   make run    build and start the Paint Program (make run FILE=picture.png opens one)
#   make test   build everything and run the whole test suite
# the same tests on the other SDL 1.2 that distributions ship:
#   make test-compat   on sdl12-compat over SDL2
# and for the documentation:
#   make docs   the API reference in build/docs/api/html (warnings are errors)
# Each installs the Debian packages it needs first (scripts/deps.sh).

BUILD    ?= build/release
JOBS     ?= 2
WERROR   ?= OFF
CMAKE_ARGS ?=

CONFIGURE = cmake -S . -B $(BUILD) -DEASEL_WARNINGS_AS_ERRORS=$(WERROR) $(CMAKE_ARGS)

.PHONY: run test test-compat build asan-test bench bench-smoke docs fuzz memcheck soak clean

run:
	scripts/deps.sh build
	$(CONFIGURE) >/dev/null
	cmake --build $(BUILD) -j$(JOBS) --target paint
	scripts/run-paint.sh $(BUILD)/paint $(FILE)

build:
	scripts/deps.sh build test
	$(CONFIGURE)
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest -j$(JOBS) --output-on-failure

# The unit, end-to-end and example tests again on sdl12-compat, the SDL 1.2 of
# current distributions (SDL 1.2's API and ABI over SDL2). Same build as make
# test, against the system's SDL 1.2 headers; the tests run with
# sdl12-compat's libSDL-1.2.so.0 first on the library path. scripts/deps.sh
# fetches it into SDL12_COMPAT and leaves the system's SDL 1.2 as it is.
SDL12_COMPAT ?= build/sdl12-compat
test-compat: build
	EASEL_SDL12_COMPAT_DIR=$(abspath $(SDL12_COMPAT)) scripts/deps.sh compat
	scripts/test-compat.sh $(BUILD) $(SDL12_COMPAT) $(JOBS)

# The unit tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test:
	scripts/deps.sh build test
	cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DEASEL_SANITIZE=address,undefined \
	  -DEASEL_WARNINGS_AS_ERRORS=$(WERROR) -DEASEL_BUILD_EXAMPLES=OFF
	cmake --build build/asan -j$(JOBS)
	cd build/asan && ctest -j$(JOBS) -L unit --output-on-failure

# The API reference, built by Doxygen from the headers' /// comments; any
# warning, such as a public name without its comment, fails it. Then the
# header and cheatsheet checks on its XML (also run by `make test`, CTest
# label docs).
docs:
	scripts/deps.sh build docs
	cmake -S . -B build/docs -DEASEL_BUILD_TESTS=OFF -DEASEL_BUILD_EXAMPLES=OFF $(CMAKE_ARGS) >/dev/null
	cmake --build build/docs --target docs
	python3 tests/docs/check_docs.py headers build/docs/api/xml
	python3 tests/docs/check_docs.py cheatsheet build/docs/api/xml .

# The benchmarks, built for speed: easel against SDL_gfx, OpenCV and GLM on the
# same work, five repetitions each, the main-loop pass against a present-only
# pass in a private Xvfb, and the real program's idle CPU, move-to-pixel time
# and passes while dragging (scripts/idle_bench.py). Writes docs/benchmarks.md.
BENCH_BUILD ?= build/bench
SYSTEM_PYTHON := $(firstword $(wildcard /usr/bin/python3 /bin/python3) python3)
bench:
	scripts/deps.sh build bench
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DEASEL_BUILD_BENCHMARKS=ON \
	  -DEASEL_BUILD_TESTS=OFF -DEASEL_BUILD_EXAMPLES=OFF -DEASEL_WARNINGS_AS_ERRORS=$(WERROR)
	cmake --build $(BENCH_BUILD) -j$(JOBS) --target easel_bench pass_bench paint pass_counter
	$(SYSTEM_PYTHON) scripts/bench_report.py $(BENCH_BUILD) docs/benchmarks.md

# Every benchmark once, briefly (CI): a run, not a timing. Builds in the same
# tree as make test, so that only the benchmark programs are new.
bench-smoke:
	scripts/deps.sh build bench
	$(CONFIGURE) -DEASEL_BUILD_BENCHMARKS=ON
	cmake --build $(BUILD) -j$(JOBS) --target easel_bench pass_bench paint pass_counter
	$(BUILD)/bench/easel_bench --benchmark_min_time=0.001
	$(SYSTEM_PYTHON) scripts/pass_bench.py $(BUILD)/bench/pass_bench 20 1
	$(SYSTEM_PYTHON) scripts/idle_bench.py $(BUILD)/paint $(BUILD)/bench/libpass_counter.so \
	  --seconds 1 --moves 10 --drag-seconds 0.5

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS from
# its seed corpus; new finds go to build/fuzz/corpus/<name>, crashes to
# build/fuzz/crashes/<name>.
FUZZ_SECONDS ?= 60
fuzz:
	scripts/deps.sh build fuzz
	CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEASEL_BUILD_FUZZERS=ON \
	  -DEASEL_BUILD_TESTS=OFF -DEASEL_BUILD_EXAMPLES=OFF -DEASEL_SANITIZE=address,undefined \
	  -DEASEL_WARNINGS_AS_ERRORS=$(WERROR)
	cmake --build build/fuzz -j$(JOBS)
	scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

# The unit tests and the fuzz replays under Valgrind's memcheck, each binary
# as one process; any error or definite leak fails.
memcheck:
	scripts/deps.sh build test memcheck
	$(CONFIGURE) >/dev/null
	cmake --build $(BUILD) -j$(JOBS)
	scripts/memcheck.sh $(BUILD)

# The real Paint Program under random input in a private X server for
# SOAK_SECONDS (seed SOAK_SEED, printed); checks it survives, drains its input,
# ends on Escape and keeps its memory.
SOAK_SECONDS ?= 600
SOAK_SEED ?= 20261207
soak:
	scripts/deps.sh build test
	$(CONFIGURE) >/dev/null
	cmake --build $(BUILD) -j$(JOBS) --target paint
	EASEL_BUILD_DIR=$(abspath $(BUILD)) EASEL_SOURCE_DIR=$(CURDIR) EASEL_SOAK_SECONDS=$(SOAK_SECONDS) \
	  EASEL_SOAK_SEED=$(SOAK_SEED) /usr/bin/python3 tests/e2e/test_soak.py

clean:
	rm -rf build
