# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run package clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Starts the editor (it needs a desktop session: DISPLAY or WAYLAND_DISPLAY).
run: build
	$(BUILD)/bin/orvane-graphic

# The Debian package, left at the top of the tree for `apt install ./orvane-graphic_*.deb`.
package: build
	cd $(BUILD) && cpack -G DEB
	cp $(BUILD)/orvane-graphic_*.deb .

clean:
	rm -rf $(BUILD)
