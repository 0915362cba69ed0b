# Everything a fresh Debian machine needs: `make run` plays the demo, `make test` runs every test.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 10
CMAKE_COMMON = -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

.PHONY: all deps build run install test unit fuzz fuzz-smoke bench format clean

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORANT_TESTS=OFF $(CMAKE_COMMON)
	cmake --build build/release -j$(JOBS)

run: build
	./scripts/run-demo.sh build/release

# The player, its desktop entry and the info.med file type (PREFIX=/usr/local by default).
PREFIX ?= /usr/local
install: build
	cmake --install build/release --prefix $(PREFIX)

# One build with AddressSanitizer and UndefinedBehaviorSanitizer; every test runs once in it.
unit: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g" \
	  -DVELMORANT_SANITIZE=ON $(CMAKE_COMMON)
	cmake --build build/test -j$(JOBS)
	cd build/test && ctest -j$(JOBS) --output-on-failure --timeout 300

test: unit fuzz-smoke

fuzz-smoke: deps
	./scripts/run-fuzzers.sh $(FUZZ_SECONDS)

fuzz: deps
	./scripts/run-fuzzers.sh 300

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVELMORANT_TESTS=OFF -DVELMORANT_BENCH=ON $(CMAKE_COMMON)
	cmake --build build/bench -j$(JOBS)
	./scripts/run-benchmarks.sh build/bench

format:
	git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	rm -rf build
