# `make run` plays the game, `make test` builds and runs every test, `make package` builds the
# Debian package. Each installs missing Debian packages first (tools/install-deps.sh). Without make,
# `sh make.sh TARGET` installs it and then does the same.
BUILD ?= build
CMAKE_FLAGS ?=
# Warnings are errors in the test builds only; a player's `make run` or a package build is not
# stopped by the warnings of a newer compiler.
WERROR ?=
# Release builds: g++ (compiled by `make test`, then packed) and clang (compile only), and the
# packager's build without tests.
RELEASE_BUILD ?= build-release
CLANG_BUILD ?= build-clang
PACKAGE_BUILD ?= build-package
# The release checks only compile the tests: no test program runs while building.
NO_DISCOVERY = -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST

# Robustness (README, "Robustness"): the sanitizer build, the fuzzer, the long soak.
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
SOAK_YEARS ?= 1000000
# Leaks are checked; only the font library under Qt is suppressed (see tests/robust/qt.supp).
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/robust/qt.supp \
	UBSAN_OPTIONS=print_stacktrace=1

.PHONY: run test deps build clean test-sanitize release-check package fuzz soak

deps:
	@bash tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja $(WERROR) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	./$(BUILD)/selvo-mornik

test: WERROR = -DSELVO_WERROR=ON
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2
	$(MAKE) --no-print-directory test-sanitize
	$(MAKE) --no-print-directory release-check

# Release (-O3) as players and packagers build it: every target with g++ and with clang, warnings
# as errors, and the Debian package packed from the g++ build.
release-check: deps
	cmake -S . -B $(RELEASE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DSELVO_WERROR=ON \
		$(NO_DISCOVERY) $(CMAKE_FLAGS)
	cmake --build $(RELEASE_BUILD)
	cd $(RELEASE_BUILD) && cpack -G DEB
	CC=clang CXX=clang++ cmake -S . -B $(CLANG_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DSELVO_WERROR=ON $(NO_DISCOVERY) $(CMAKE_FLAGS)
	cmake --build $(CLANG_BUILD)

# The Debian package, built without tests or benchmarks: $(PACKAGE_BUILD)/selvo-mornik_*.deb.
package: deps
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DSELVO_TESTS=OFF \
		-DSELVO_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(PACKAGE_BUILD)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	@ls -l $(PACKAGE_BUILD)/selvo-mornik_*.deb

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer. Test discovery
# runs the programs while building, so the build needs the sanitizer settings too.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DSELVO_SANITIZE=ON -DSELVO_BENCH=OFF -DSELVO_WERROR=ON \
		$(CMAKE_FLAGS)
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2

# libFuzzer on the picture loader for FUZZ_SECONDS, one process. New inputs go to
# $(FUZZ_BUILD)/fuzz-corpus, crashes to $(FUZZ_BUILD)/fuzz-findings; copy each crash, once
# fixed, into tests/robust/corpus so that the tests replay it.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DSELVO_BENCH=OFF -DSELVO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target fuzz_picture fuzz_savegame fuzz_seeds
	./$(FUZZ_BUILD)/tools/fuzz/fuzz_seeds $(FUZZ_BUILD)/fuzz-seeds
	mkdir -p $(FUZZ_BUILD)/fuzz-corpus $(FUZZ_BUILD)/fuzz-findings
	./$(FUZZ_BUILD)/tools/fuzz/fuzz_picture -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
		-malloc_limit_mb=128 -print_final_stats=1 -dict=tools/fuzz/picture.dict \
		-artifact_prefix=$(FUZZ_BUILD)/fuzz-findings/ \
		$(FUZZ_BUILD)/fuzz-corpus $(FUZZ_BUILD)/fuzz-seeds tests/robust/corpus
	mkdir -p $(FUZZ_BUILD)/fuzz-savegames
	./$(FUZZ_BUILD)/tools/fuzz/fuzz_savegame -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
		-malloc_limit_mb=512 -print_final_stats=1 -dict=tools/fuzz/savegame.dict \
		-artifact_prefix=$(FUZZ_BUILD)/fuzz-findings/ \
		$(FUZZ_BUILD)/fuzz-savegames tests/robust/savegames

# The long-play test for SOAK_YEARS years (the test run plays 100,000).
soak: build
	SELVO_SOAK_YEARS=$(SOAK_YEARS) ./$(BUILD)/tests/robust/soak_test

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD) $(CLANG_BUILD) $(PACKAGE_BUILD)
