# The two commands a farmer or a developer needs: `make run` and `make test`.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
QT_OFFSCREEN := offscreen:configfile=$(CURDIR)/tests/support/screen-1024x768.json

.PHONY: all deps configure build run test test-sanitize monkey bench screenshots fuzz reliability clean install package

all: build

deps:
	@bash scripts/install-deps.sh

# A compiler cache, where the machine has one, makes rebuilds of a fresh
# clone quick; nothing depends on it.
# Paths are hashed relative to this checkout, so that a fresh clone in
# another folder (as CI makes) finds what an earlier build compiled.
CCACHE := $(shell command -v ccache 2>/dev/null)
LAUNCHER := $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(LAUNCHER)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

# The guide the build assembled in $(BUILD)/share serves the help menu.
run: build
	XDG_DATA_DIRS="$(abspath $(BUILD))/share:$${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" \
	  bash scripts/run.sh $(BUILD)/vorn

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=$(QT_OFFSCREEN) ctest --output-on-failure -j $(JOBS)

bench: build
	cd $(BUILD) && for b in bench/bench_*; do [ -x "$$b" ] && QT_QPA_PLATFORM=$(QT_OFFSCREEN) "$$b"; done

# Every test again, built with the address and undefined-behaviour
# sanitizers; any report fails the run, leaks included (tests/support/
# lsan.supp lists only the system libraries' one-time allocations).
SAN_BUILD ?= build-sanitize
SAN_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
$(SAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) \
	  -DCMAKE_CXX_FLAGS="$(SAN_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SAN_FLAGS)"
test-sanitize: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=$(QT_OFFSCREEN) \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# Random input to the sanitizer-built program with the full data set for
# MINUTES (not part of make test). SEED repeats a run; REPLAY=FILE performs
# the actions a report lists.
MINUTES ?= 10
SEED ?= $(shell od -An -N4 -tu4 /dev/urandom | tr -d " ")
monkey: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS) --target vorn vorn-data vorn_make_dataset vorn-monkey
	bash scripts/monkey.sh $(SAN_BUILD) $(MINUTES) $(SEED) $(REPLAY)

# Saves killed at random moments (slow; not part of make test). KILLS sets
# how many.
KILLS ?= 200
reliability: build
	bash scripts/kill-test.sh $(BUILD) $(KILLS)

# make install PREFIX=... (default /usr/local; DESTDIR is honoured too).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The Debian package, $(BUILD)/vorn_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack

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
