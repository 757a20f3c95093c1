# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
# Release: debug information would cost CI a third of its compile time;
# `make BUILD_TYPE=RelWithDebInfo` keeps it for a debugging session.
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)
# The Windows build (mingw-w64): orvane-menu.exe and the core's tests, which
# `make test` runs under Wine.
WINDOWS_BUILD ?= build-windows

.PHONY: all deps configure build windows test run package clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DORVANE_WINDOWS_BUILD=$(abspath $(WINDOWS_BUILD))

build: configure
	cmake --build $(BUILD) -j $(JOBS)

windows: deps
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-posix.cmake
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

test: build windows
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Starts the editor (it needs a desktop session: DISPLAY or WAYLAND_DISPLAY).
run: build
	$(BUILD)/bin/orvane-graphic

# The Debian package, left at the top of the tree for `apt install ./orvane-graphic_*.deb`.
package: build
	cd $(BUILD) && cpack -G DEB
	cp $(BUILD)/orvane-graphic_*.deb .

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)
