# make run  : build setup.exe and run it under Wine in a prefix of its own
# make test : build both back ends and run every test (host and Wine end to end)
# make e2e-emulated : the Wine tests where 32-bit code runs only under qemu (hours)
SHELL := /bin/bash
ROOT  := $(abspath .)
HOST  := $(ROOT)/build/host
WIN   := $(ROOT)/build/win32
WIN64 := $(ROOT)/build/win64
JOBS  ?= 2

.PHONY: all deps host-tools win32 win64 host test e2e-emulated run clean

all: win32 host

deps:
	@bash scripts/deps.sh

$(HOST)/CMakeCache.txt: | deps
	cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=Debug -DWIN32_DIR=$(WIN) -DWIN64_DIR=$(WIN64)

$(WIN)/CMakeCache.txt: | deps
	cmake -S . -B $(WIN) -DCMAKE_BUILD_TYPE=MinSizeRel \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw32.cmake -DHOST_BIN=$(HOST)/bin

# The cross build runs host tools (packer, help compiler), so those come first.
host-tools: $(HOST)/CMakeCache.txt
	cmake --build $(HOST) -j$(JOBS) --target host_tools

win32: host-tools $(WIN)/CMakeCache.txt
	cmake --build $(WIN) -j$(JOBS)

$(WIN64)/CMakeCache.txt: | deps
	cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=MinSizeRel \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw64.cmake -DHOST_BIN=$(HOST)/bin

# The same sources for 64-bit Windows: wine64 runs them where the kernel runs
# no 32-bit code, so the end-to-end scenarios run for real everywhere (e2e64).
win64: host-tools $(WIN64)/CMakeCache.txt
	cmake --build $(WIN64) -j$(JOBS)

host: win32 win64
	cmake --build $(HOST) -j$(JOBS)

test: host
	cd $(HOST) && ctest --output-on-failure -j$(JOBS)

# Opt-in: a kernel without 32-bit support runs Wine only through qemu, far too
# slowly for a routine run; `make test` skips these tests there.
e2e-emulated: host
	bash scripts/qemu_i386.sh
	cd $(HOST) && E2E_EMULATED=1 ctest --output-on-failure -L e2e -j$(JOBS)

run: win32 win64
	bash scripts/run.sh

clean:
	rm -rf build
