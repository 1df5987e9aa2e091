# Varnelle: `make run` builds and starts the game, `make test` builds and runs every test,
# `make bench` runs the benchmarks. Each installs missing Debian packages first.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The game runs from the build folder so that "../data/" and "../music/" resolve.
run: build
	cd $(BUILD_DIR) && ./varnelle

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@bench/run-all $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
