# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

EXAMPLES := examples/demo_annotation.gff examples/demo_peaks.bed

.PHONY: all deps configure build run test install deb bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The window on the example data; without a display, the headless report of the same files.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(BUILD_DIR)/locuscope $(EXAMPLES); \
	else \
		echo "No display: printing the headless report instead (locuscope --report)."; \
		$(BUILD_DIR)/locuscope --report $(EXAMPLES); \
	fi

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The program, its menu entry, icons and file types under PREFIX (stripped of debug data);
# DESTDIR=... stages the files for a package instead.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX) --strip

# A Debian package, locuscope_VERSION_ARCH.deb, in the build folder.
deb: build
	cd $(BUILD_DIR) && cpack -G DEB

# Generates large inputs under bench-data/ (not committed) and runs the benchmarks.
bench: deps
	@cmake -S . -B $(BUILD_DIR)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DLOCUSCOPE_BUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(BUILD_DIR)-bench -j $(JOBS)
	bench/run-benchmarks.sh $(BUILD_DIR)-bench

# Every fuzz target for FUZZ_SECONDS each (default 10 minutes) with clang and the sanitizers;
# the corpora grow in fuzz/corpus-*/ (not committed) from one run to the next.
FUZZ_SECONDS ?= 600
fuzz: deps
	@cmake -S . -B $(BUILD_DIR)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DLOCUSCOPE_CORE_ONLY=ON -DBUILD_TESTING=OFF \
		-DLOCUSCOPE_BUILD_FUZZ=ON -DLOCUSCOPE_SANITIZE=address,undefined >/dev/null
	@cmake --build $(BUILD_DIR)-fuzz -j $(JOBS)
	fuzz/run-fuzzers.sh $(BUILD_DIR)-fuzz $(FUZZ_SECONDS) fuzz/corpus

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench $(BUILD_DIR)-fuzz
