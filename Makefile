# User-facing targets. Each one installs missing packages first, then drives CMake + Ninja.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
DEMO_DIR := $(BUILD_DIR)/demo

.PHONY: all deps configure build test demo run bench format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

demo: build
	@scripts/demo $(BUILD_DIR)

run: build
	@scripts/run-window $(BUILD_DIR)

bench: build
	@bench/run-bench $(BUILD_DIR)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR)
