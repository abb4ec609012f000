# The two commands a farmer or a developer needs: `make run` and `make test`.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
QT_OFFSCREEN := offscreen:configfile=$(CURDIR)/tests/support/screen-1024x768.json

.PHONY: all deps configure build run test bench screenshots fuzz reliability clean

all: build

deps:
	@bash scripts/install-deps.sh

# A compiler cache, where the machine has one, makes rebuilds of a fresh
# clone quick; nothing depends on it.
CCACHE := $(shell command -v ccache 2>/dev/null)
LAUNCHER := $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(LAUNCHER)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	bash scripts/run.sh $(BUILD)/vorn

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=$(QT_OFFSCREEN) ctest --output-on-failure -j $(JOBS)

bench: build
	cd $(BUILD) && for b in bench/bench_*; do [ -x "$$b" ] && QT_QPA_PLATFORM=$(QT_OFFSCREEN) "$$b"; done

# Saves killed at random moments (slow; not part of make test). KILLS sets
# how many.
KILLS ?= 200
reliability: build
	bash scripts/kill-test.sh $(BUILD) $(KILLS)

screenshots: build
	$(BUILD)/tests/vorn_screenshots $(BUILD)/screenshots

# Fuzzing of the data file readers: a separate clang build with libFuzzer,
# address and undefined-behaviour checks; FUZZ_SECONDS per reader.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	bash scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
