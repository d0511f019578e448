# Two commands do everything on a fresh Debian 12 machine (as root):
#   make run    installs what is missing, builds, starts PXAEditor under Wine
#   make test   installs what is missing, builds, runs every test suite
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
HOST_DIR := $(BUILD)/host
WINDOWS_DIR := $(BUILD)/windows
WINDOWS64_DIR := $(BUILD)/windows64
BENCH_DIR := $(BUILD)/bench
FUZZ_DIR := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60

# The programs are 32-bit x86 Windows programs (build/windows). Some kernels
# run 64-bit user code only; there 32-bit Wine cannot start, and the programs
# and tests run from the same sources built for x86_64 under 64-bit Wine.
WINE_ARCH = $(shell bash scripts/wine-arch.sh)
RUNNABLE_DIR = $(if $(filter win64,$(WINE_ARCH)),$(WINDOWS64_DIR),$(WINDOWS_DIR))
PXA_EDITOR = $(RUNNABLE_DIR)/atlas/ui/PXAEditor.exe
STRING_TABLE_EDITOR = $(RUNNABLE_DIR)/strings/ui/StringTableEditor.exe

.PHONY: all packages host windows windows64 runnable-windows test run run-strings screenshot bench bench-gui check-real-sprites check-real-translations fuzz fuzz-build dist format clean

all: host windows

packages:
	@bash deps/install-packages.sh

# Every build uses FreeImage from the project's recipe (deps/freeimage), built
# once per machine and target: i686, x86_64, host, fuzz. freeimage: TARGET;
# afterwards $(call freeimage_root,TARGET) is its install prefix, through a
# link of a fixed name, so that a build directory never holds the path of a
# cached build that a later recipe replaced.
define freeimage
	@mkdir -p $(BUILD)
	@prefix=$$(bash deps/freeimage/build.sh $(1)) && rm -rf $(BUILD)/freeimage-$(1) && ln -s "$$prefix" $(BUILD)/freeimage-$(1)
endef
freeimage_root = "$(abspath $(BUILD))/freeimage-$(1)"

host: packages
	$(call freeimage,host)
	cmake -S . -B $(HOST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPXA_SANITIZE=ON -DPXA_WERROR=ON -DPXA_BUILD_BENCHMARKS=ON \
	  -DFREEIMAGE_ROOT=$(call freeimage_root,host)
	cmake --build $(HOST_DIR) -j $(JOBS)

# windows: ARCH (i686 or x86_64), DIR
define cross_build
	$(call freeimage,$(1))
	cmake -S . -B $(2) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$(1).cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPXA_WERROR=ON -DFREEIMAGE_ROOT=$(call freeimage_root,$(1))
	cmake --build $(2) -j $(JOBS)
endef

windows: packages
	$(call cross_build,i686,$(WINDOWS_DIR))

windows64: packages
	$(call cross_build,x86_64,$(WINDOWS64_DIR))

runnable-windows: windows
	@if [ "$(WINE_ARCH)" = win64 ]; then \
	  echo "note: this machine cannot run 32-bit code; the Windows programs run from the x86_64 build"; \
	  $(MAKE) --no-print-directory windows64; \
	fi

test: host runnable-windows fuzz-build
	@bash scripts/run-tests.sh $(HOST_DIR) $(RUNNABLE_DIR) $(FUZZ_DIR)

run: runnable-windows
	@bash scripts/run-windows.sh $(BUILD) $(PXA_EDITOR) $(WINE_ARCH)

run-strings: runnable-windows
	@bash scripts/run-windows.sh $(BUILD) $(STRING_TABLE_EDITOR) $(WINE_ARCH)

# PROGRAM=strings for the string-table editor, DPI=144 for a screen at 150 %
# (default 96), ARGS=... for the program's command line; the PNG goes to
# $(BUILD)/screenshot.png.
DPI ?= 96
screenshot: runnable-windows
	@bash scripts/screenshot.sh $(BUILD) $(if $(filter strings,$(PROGRAM)),$(STRING_TABLE_EDITOR),$(PXA_EDITOR)) $(WINE_ARCH) $(BUILD)/screenshot.png $(DPI) $(ARGS)

bench: packages
	$(call freeimage,host)
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DPXA_BUILD_BENCHMARKS=ON \
	  -DFREEIMAGE_ROOT=$(call freeimage_root,host)
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $$(find $(BENCH_DIR)/bench -type f -executable -name '*_bench*' | sort); do echo "== $$b"; $$b; done

# Both editors' windows at production size, driven under Wine; prints each
# command's time with the document size (a benchmark, not a test).
bench-gui: runnable-windows
	@bash scripts/bench-gui.sh $(RUNNABLE_DIR)

# Real sprites in, exact pixels out: one small Debian sprite package
# downloaded, inserted, extracted and compared pixel by pixel with Pillow's
# decode (PACKAGE= names another). Needs the package archive; never part of
# make test.
check-real-sprites: host
	@bash scripts/check-real-sprites.sh $(HOST_DIR) $(BUILD)/real-sprites $(PACKAGE)

# dattool against the translations of a Debian package, downloaded
# (PACKAGE=sed by default): msgfmt -c and msgcmp on its exports. Not part of
# make test, which must not depend on the download.
check-real-translations: host
	@bash scripts/check-real-translations.sh $(HOST_DIR)/tools/dattool/dattool $(BUILD)/real-translations $(or $(PACKAGE),sed)

# The libFuzzer harnesses of the file readers and of FreeImage's image loader
# (deps/freeimage/fuzz), built with clang in a project of their own
# (fuzz/CMakeLists.txt) against the fuzz target's FreeImage; `make fuzz` runs
# each for FUZZ_SECONDS.
fuzz-build: packages
	$(call freeimage,fuzz)
	cmake -S fuzz -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DFREEIMAGE_ROOT=$(call freeimage_root,fuzz)
	cmake --build $(FUZZ_DIR) -j $(JOBS)

fuzz: fuzz-build
	@status=0; \
	bash fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS) || status=1; \
	bash deps/freeimage/fuzz/run-fuzzer.sh $(FUZZ_DIR) $(FUZZ_SECONDS) || status=1; \
	exit $$status

# dist/pxa-editors-<version>-win32.zip for users, from the i686 build
# (packaging/CMakeLists.txt). make test unpacks and runs the zip that the
# runnable build makes the same way.
dist: windows
	cmake --build $(WINDOWS_DIR) --target dist

# The house format (.clang-format) on every C++ source of the project; the
# FreeImage recipe (the files at the top of deps/freeimage) keeps the layout of
# the code it patches.
format: packages
	git ls-files -z '*.cpp' '*.h' ':(exclude,glob)deps/freeimage/*' | xargs -0 clang-format -i

clean:
	rm -rf $(BUILD)
