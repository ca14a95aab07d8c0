# The two commands of the README: `make play` and `make test`.
BUILD ?= build
TEST_BUILD ?= build-test
JOBS ?= 2
XVFB = xvfb-run -a -s "-screen 0 1920x1080x24"

.PHONY: play test build deps bench format

deps:
	@bash tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

play: build
	cd $(BUILD) && ./brimvale

# The whole suite under a virtual display: built with AddressSanitizer and UndefinedBehaviorSanitizer, except the
# long end-to-end runs (test suites named *LongRun*: whole shifts, sweeps), which play many thousands of frames and
# run on the optimised build instead.
LONG_RUNS = LongRun
test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DBRIMVALE_SANITIZE=ON -DBRIMVALE_WARNINGS_AS_ERRORS=ON
	cmake --build $(TEST_BUILD) -j$(JOBS)
	cd $(TEST_BUILD) && $(XVFB) ctest --output-on-failure -j$(JOBS) -E '$(LONG_RUNS)'
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMVALE_WARNINGS_AS_ERRORS=ON
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && $(XVFB) ctest --output-on-failure -j$(JOBS) -R '$(LONG_RUNS)'

bench: build
	cd $(BUILD) && $(XVFB) ./brimvale-bench

# Rewrites every C++ file of the game, the tools and the tests with .clang-format (the suite's clang_format
# test checks the same files).
format:
	find engine scenes flow render audio interaction terminal modules manual platform tools tests \
	     -name '*.cpp' -o -name '*.h' | sort | xargs clang-format -i
