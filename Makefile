# One-command set-up and runs for the ZOL client suite. Every target installs
# what it needs first, so a fresh Debian 12 machine only needs `make test`.

JOBS ?= 2
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Debian packages the suite builds and runs with (pulseaudio: the speech
# tests play to a null sink of their own).
PACKAGES := build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev \
	libgtest-dev libgmock-dev libbenchmark-dev \
	qt6-base-dev qt6-base-dev-tools libgl-dev qt6-webengine-dev qt6-speech-dev \
	qt6-speech-flite-plugin qt6-multimedia-dev qt6-svg-dev qt6-image-formats-plugins \
	libcrypto++-dev libminizip-dev zlib1g-dev openssl \
	fonts-open-sans fonts-liberation2 fonts-crosextra-carlito \
	xvfb xauth file pulseaudio

.PHONY: all deps configure build test test-dev test-tsan demo bench fuzz release-programs package install format clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi

build/dev/build.ninja: CMakeLists.txt CMakePresets.json
	cmake --preset dev >/dev/null

build: deps build/dev/build.ninja
	cmake --build --preset dev -j $(JOBS)

# Both passes run even when the first fails, so one run shows every failure.
test: build
	@status=0; \
	ctest --preset dev --progress || status=1; \
	$(MAKE) --no-print-directory test-tsan || status=1; \
	if [ $$status = 0 ]; then echo "All tests passed (dev: ASan + UBSan; server link also under TSan)."; \
	else echo "Some tests failed: see the lists above."; fi; \
	exit $$status

test-dev: build
	ctest --preset dev --progress

test-tsan: deps
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan --progress -L 'serverlink|platform'

demo: build
	./scripts/demo.sh build/dev

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	./scripts/bench.sh build/release

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	@echo "Fuzz targets are in build/fuzz/; see README.md for how to run them."

# Release builds of the programs for the packages and for `make install`, in
# build/package, with the hardening flags Debian's own packages get
# (dpkg-buildflags). --as-needed keeps libraries that a program names but
# never calls (OpenGL through Qt's GUI library) out of the packages'
# dependencies. The changelogs carry the date of the last commit, so the
# packages of one commit match. Only the programs are built, not the tests.
PACKAGE_TARGETS := zolclient zolmsg zolcli zolsim zol_package_docs
HARDENING := DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
release-programs: deps
	SOURCE_DATE_EPOCH=$$(git log -1 --format=%ct 2>/dev/null || date +%s) cmake --preset package \
	  -DCMAKE_C_FLAGS="$$($(HARDENING) CPPFLAGS) $$($(HARDENING) CFLAGS)" \
	  -DCMAKE_CXX_FLAGS="$$($(HARDENING) CPPFLAGS) $$($(HARDENING) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(HARDENING) LDFLAGS) -Wl,--as-needed" >/dev/null
	cmake --build --preset package -j $(JOBS) --target $(PACKAGE_TARGETS)

# Debian packages zol-client, zolcli and zolsim in build/package.
package: release-programs
	cd build/package && cpack -G DEB
	@ls -l build/package/*.deb
	packaging/tests/installed_tree_test.sh debs build/package "$(CURDIR)"
	@if command -v lintian >/dev/null; then lintian --info --fail-on error build/package/*.deb; \
	else echo "lintian is not installed: apt-get install lintian to check the packages"; fi

# The programs, pictures, themes, designs and manual pages under PREFIX:
# `make install PREFIX=$HOME/.local`.
PREFIX ?= /usr/local
install: release-programs
	cmake --install build/package --strip --prefix "$(PREFIX)"

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
