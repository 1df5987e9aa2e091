# Varnelle: `make run` builds and starts the game, `make test` builds and runs every test,
# `make bench` runs the benchmarks. Each installs missing Debian packages first (off Debian,
# scripts/install-deps only lists them). The default build type keeps the asserts on.
# `make install PREFIX=DIR` (default /usr/local, DESTDIR honoured) installs the game and its
# launcher, `make uninstall PREFIX=DIR` removes them again, `make package` builds the .deb.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps configure build run test bench install uninstall package clean windows test-windows

# The Windows build, cross-compiled with mingw-w64 into build-windows/; its tests run under Wine.
WINDOWS_BUILD_DIR ?= build-windows

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

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

uninstall:
	@test -f $(BUILD_DIR)/dist/uninstall || { echo "uninstall: no $(BUILD_DIR)/dist/uninstall; run make build first"; exit 1; }
	@sh $(BUILD_DIR)/dist/uninstall "$(DESTDIR)$(PREFIX)"

# build/varnelle_<version>_<arch>.deb
package: build
	@cmake --build $(BUILD_DIR) --target package

# `make windows` builds the Windows programs and tests; `make test-windows` runs the tests under
# Wine in one Wine prefix made for the run (booting one takes ~10 s and 700 MB) and removed after.
windows:
	@scripts/install-deps windows
	@cmake -S . -B $(WINDOWS_BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(WINDOWS_BUILD_DIR) -j $(JOBS)

test-windows: windows
	@scripts/test-windows $(WINDOWS_BUILD_DIR) -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(WINDOWS_BUILD_DIR)
