# User-facing targets. Each one installs missing packages first, then drives CMake + Ninja.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
DEMO_DIR := $(BUILD_DIR)/demo
# The fuzz targets (clang, libFuzzer) and the sanitizer build (g++) each have their own folder.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
ASAN_DIR ?= build-asan
# The cross build for 64-bit Windows, against the Qt that scripts/install-windows-toolchain builds.
WIN64_DIR ?= build-win64
WIN64_CACHE ?= $(or $(WRENFOLD_WIN64_CACHE),/var/cache/wrenfold/win64)
WIN64_JOBS ?= 2
# Leaks of the libraries we build on are suppressed by name; a failure stops the test that found it.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps configure build test demo run bench format format-check clean fuzz-build fuzz asan package \
	install-check windows windows-test

# Configures build folder $(1) with the flags $(2). The output goes to $(1)/configure.log; its
# warnings are shown, and on failure the log's path and its end.
define configure_in
	@mkdir -p $(1)
	@cmake -S . -B $(1) -G Ninja $(2) >$(1)/configure.log 2>&1 || { \
		echo "configure failed; its output is in $(1)/configure.log:" >&2; tail -n 40 $(1)/configure.log >&2; exit 1; }
	@grep -A6 -E '^CMake (Warning|Deprecation)' $(1)/configure.log >&2 || true
endef

all: build

deps:
	@scripts/install-deps

configure: deps
	$(call configure_in,$(BUILD_DIR),-DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS))

build: configure
	@cmake --build $(BUILD_DIR)

test: build fuzz-build
	@cmake --build $(BUILD_DIR) --target bench-programs
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
	@cd $(FUZZ_DIR) && ctest --output-on-failure -j2

fuzz-build: deps
	$(call configure_in,$(FUZZ_DIR),-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 -DWRENFOLD_FUZZ=ON)
	@cmake --build $(FUZZ_DIR)

# Runs each fuzz target (or those in FUZZ_TARGETS) for FUZZ_SECONDS.
fuzz: fuzz-build
	@fuzz/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	$(call configure_in,$(ASAN_DIR),-DCMAKE_BUILD_TYPE=RelWithDebInfo -DWRENFOLD_SANITIZE=ON)
	@$(SANITIZER_ENV) cmake --build $(ASAN_DIR)
	@cd $(ASAN_DIR) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# wrenfold-cli.exe, wrenfold.exe and the test programs for 64-bit Windows, in $(WIN64_DIR). The
# toolchain is built first when the cache does not hold it yet (that takes the better part of an hour).
windows:
	@WRENFOLD_WIN64_CACHE=$(WIN64_CACHE) scripts/install-windows-toolchain
	$(call configure_in,$(WIN64_DIR),-DCMAKE_TOOLCHAIN_FILE=$(WIN64_CACHE)/qt/lib/cmake/Qt6/qt.toolchain.cmake \
		-DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS))
	@nice -n 10 cmake --build $(WIN64_DIR) -j$(WIN64_JOBS)

# The cross-built test programs run under Wine, each in a Wine prefix of its own.
windows-test: windows
	@scripts/run-windows-tests $(WIN64_DIR)

demo: build
	@scripts/demo $(BUILD_DIR)

run: build
	@scripts/run-window $(BUILD_DIR)

# The .deb (in build/package/), and the check that unpacks it and uses what it installed.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

install-check: build
	@scripts/install-check $(BUILD_DIR)

bench: build
	@bench/run-bench $(BUILD_DIR)

format: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Fails on any source file that is not as the project's .clang-format would have it.
format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	@rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(ASAN_DIR) $(WIN64_DIR)
