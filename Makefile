# Two commands: `make run` plays the game, `make test` builds and runs every test.
# Both install missing Debian packages first (tools/install-deps.sh).
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: run test deps build sim bench media clean

deps:
	@bash tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	./$(BUILD)/selvo-mornik

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

clean:
	rm -rf $(BUILD)
