# Everything a fresh Debian machine needs: `make run` plays the demo, `make test` runs every test.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 10
CMAKE_COMMON = -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
# The project's own builds treat warnings as errors; a user's plain build does not.
STRICT = -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
PREFIX ?= /usr/local

.PHONY: all deps deps-web build run install test unit optimised fuzz fuzz-smoke bench format clean deb deb-check \
	web web-test

all: build

deps:
	@./scripts/install-deps.sh

deps-web:
	@./scripts/install-deps.sh --web

build: deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORANT_TESTS=OFF $(CMAKE_COMMON)
	cmake --build build/release -j$(JOBS)

run: build
	./scripts/run-demo.sh build/release

# Into $(PREFIX) (and $(DESTDIR) when given). Builds first unless a build is there: a later
# `sudo make install` then only copies.
install:
	@[ -f build/release/CMakeCache.txt ] || $(MAKE) build
	cmake --build build/release -j$(JOBS)
	cmake --install build/release --prefix "$(PREFIX)"

# One build with AddressSanitizer and UndefinedBehaviorSanitizer; every test runs once in it.
unit: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g" \
	  -DVELMORANT_SANITIZE=ON $(STRICT) $(CMAKE_COMMON)
	cmake --build build/test -j$(JOBS)
	cd build/test && ctest -j$(JOBS) --output-on-failure --timeout 300

test: unit optimised web-test fuzz-smoke deb-check

# Everything, tests and benchmarks included, built once optimised: some warnings only show there.
optimised: deps
	cmake -S . -B build/optimised -DCMAKE_BUILD_TYPE=Release -DVELMORANT_BENCH=ON $(STRICT) \
	  $(CMAKE_COMMON)
	cmake --build build/optimised -j$(JOBS)

# The player in the browser: build/web/ is a folder any web server can serve (see README).
# Debian's emscripten needs node's own modules on NODE_PATH.
WEB_BUILD = build/web-build
# Debian's emscripten is made for Debian's python: one found first on PATH (a version manager's
# shim) slows every compiler call, and the libraries' configure scripts make thousands.
WEB_ENV = NODE_PATH=/usr/share/nodejs $(if $(wildcard /usr/bin/python3),EMSDK_PYTHON=/usr/bin/python3)
web: deps-web
	prefix=$$($(WEB_ENV) ./scripts/build-web-libs.sh | tail -n1) && \
	  $(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
	    -DVELMORANT_WEB_PREFIX="$$prefix" -DVELMORANT_WEB_OUTPUT=$(CURDIR)/build/web $(STRICT) \
	    -DCMAKE_CROSSCOMPILING_EMULATOR="/usr/bin/node;--no-experimental-fetch" > /dev/null
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j$(JOBS)

# The golden cases, a real-time scenario, the picker, the demo, sounds, what a presentation opens
# and prints, and the corpora's films and waves in headless chromium.
web-test: web optimised
	./tests/web/run.sh build/web build/optimised

fuzz-smoke: deps
	./scripts/run-fuzzers.sh $(FUZZ_SECONDS)

fuzz: deps
	./scripts/run-fuzzers.sh 300

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVELMORANT_TESTS=OFF -DVELMORANT_BENCH=ON $(CMAKE_COMMON)
	cmake --build build/bench -j$(JOBS)
	./scripts/run-benchmarks.sh build/bench

# The Debian package, built as Debian builds one: from a copy of the committed tree (dpkg-buildpackage
# writes beside its source folder), without the tests; the .deb is left in build/deb/.
DEB_DIR = build/deb
deb: deps
	rm -rf $(DEB_DIR) && mkdir -p $(DEB_DIR)/src
	git archive HEAD | tar -x -C $(DEB_DIR)/src
	cd $(DEB_DIR)/src && DEB_BUILD_OPTIONS="parallel=$(JOBS) nocheck $(DEB_BUILD_OPTIONS)" \
	  dpkg-buildpackage -us -uc -b

# The package as a user gets it: lintian, the desktop files' validators, and the unpacked
# programs playing the installed demo.
deb-check: deb
	./tests/package/check_deb.sh $(DEB_DIR) .

format:
	git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	rm -rf build
