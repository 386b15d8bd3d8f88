# Two commands: `make run` plays the game, `make test` builds and runs every test.
# Both install missing Debian packages first (tools/install-deps.sh).
BUILD ?= build
CMAKE_FLAGS ?=

# Robustness (README, "Robustness"): the sanitizer build, the fuzzer, the long soak.
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
SOAK_YEARS ?= 1000000
# Leaks are checked; only the font library under Qt is suppressed (see tests/robust/qt.supp).
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/robust/qt.supp \
	UBSAN_OPTIONS=print_stacktrace=1

.PHONY: run test deps build clean test-sanitize fuzz soak

deps:
	@bash tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	./$(BUILD)/selvo-mornik

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2
	$(MAKE) --no-print-directory test-sanitize

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer. Test discovery
# runs the programs while building, so the build needs the sanitizer settings too.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DSELVO_SANITIZE=ON -DSELVO_BENCH=OFF $(CMAKE_FLAGS)
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2

# libFuzzer on the picture loader for FUZZ_SECONDS, one process. New inputs go to
# $(FUZZ_BUILD)/fuzz-corpus, crashes to $(FUZZ_BUILD)/fuzz-findings; copy each crash, once
# fixed, into tests/robust/corpus so that the tests replay it.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DSELVO_BENCH=OFF -DSELVO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target fuzz_picture fuzz_seeds
	./$(FUZZ_BUILD)/tools/fuzz/fuzz_seeds $(FUZZ_BUILD)/fuzz-seeds
	mkdir -p $(FUZZ_BUILD)/fuzz-corpus $(FUZZ_BUILD)/fuzz-findings
	./$(FUZZ_BUILD)/tools/fuzz/fuzz_picture -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
		-malloc_limit_mb=128 -print_final_stats=1 -dict=tools/fuzz/picture.dict \
		-artifact_prefix=$(FUZZ_BUILD)/fuzz-findings/ \
		$(FUZZ_BUILD)/fuzz-corpus $(FUZZ_BUILD)/fuzz-seeds tests/robust/corpus

# The long-play test for SOAK_YEARS years (the test run plays 100,000).
soak: build
	SELVO_SOAK_YEARS=$(SOAK_YEARS) ./$(BUILD)/tests/robust/soak_test

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
