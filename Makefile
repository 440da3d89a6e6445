# Quillon — the two commands of the README, the benchmarks, the Windows program and fuzzing.
#   make run           install what is missing, build, start the program (needs a desktop session)
#   make test          install what is missing, build with the sanitizers, run every test; also
#                      compiles and links the Windows program, so that no change breaks it unseen
#   make bench         install what is missing, build optimised, run the benchmarks
#   make install       build as for `make run`, then install under $(PREFIX) (default /usr/local);
#                      DESTDIR=/some/stage puts the files under that directory instead
#   make windows       cross-build the 32-bit Windows program (MinGW) and lay it out in
#                      build/windows as a user receives it: quillon.exe, quillon.htm (its help),
#                      quillon.sig, and a zip of the three
#   make test-windows  build the Windows program and its tests, run them under Wine (headless)
#   make fuzz          install clang and libFuzzer, build the fuzz targets, run each for
#                      FUZZ_SECONDS seconds

# The cross compiler and GoogleTest's sources, which the Windows tests build with it.
MINGW_PKGS := cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest
PKGS := cmake g++ make pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev \
        fontconfig fonts-dejavu-core xvfb xauth $(MINGW_PKGS)
# 32-bit Wine (wine32 needs dpkg's i386 architecture) and a virtual X server for the program.
WINE_PKGS := $(MINGW_PKGS) wine wine32 xvfb xauth
JOBS := $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
RUN_CONFIG := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_SANITIZE=OFF -DBUILD_TESTING=OFF
# One cross-build tree serves make windows, make test (the program only) and make test-windows.
WINDOWS_BUILD := build/mingw
WINDOWS_CONFIG := -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
                  -DBUILD_TESTING=ON -DQUILLON_PAQUET_DIR=$(CURDIR)/build/windows

# clang and its libFuzzer runtime, for the fuzz targets.
FUZZ_PKGS := clang libclang-rt-14-dev
FUZZ_SECONDS ?= 60

.PHONY: all deps deps-windows deps-wine deps-fuzz run test bench install windows test-windows \
        fuzz clean

all: test

# Installs the missing Debian packages of the list when run as root; otherwise prints the one
# line to run. wine32 needs dpkg's i386 architecture, which is added first.
define installe
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done | tr '\n' ' '); \
	if [ -n "$$(echo $$missing | tr -d ' ')" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing: $$missing"; \
	    case " $$missing " in *" wine32 "*) \
	      dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386;; esac; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    case " $$missing " in *" wine32 "*) echo "First: sudo dpkg --add-architecture i386 && sudo apt-get update";; esac; \
	    echo "Missing packages. Run: sudo apt-get install -y $$missing"; exit 1; \
	  fi; \
	fi
endef

deps:
	$(call installe,$(PKGS))

deps-windows:
	$(call installe,$(MINGW_PKGS))

deps-wine:
	$(call installe,$(WINE_PKGS))

deps-fuzz:
	$(call installe,$(FUZZ_PKGS))

run: deps
	cmake -S . -B build/run $(RUN_CONFIG)
	cmake --build build/run -j$(JOBS)
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "No desktop session (DISPLAY is not set): Quillon needs one to show its window."; exit 1; fi
	cd build/run && ./quillon

install: deps
	cmake -S . -B build/run $(RUN_CONFIG) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build build/run -j$(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install build/run

test: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DBUILD_TESTING=ON
	cmake --build build/test -j$(JOBS)
	cmake -S . -B $(WINDOWS_BUILD) $(WINDOWS_CONFIG)
	cmake --build $(WINDOWS_BUILD) -j$(JOBS) --target quillon
	cd build/test && ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DQUILLON_SANITIZE=OFF -DBUILD_TESTING=OFF -DQUILLON_BENCH=ON
	cmake --build build/bench -j$(JOBS)
	@if [ -x bench/run ]; then bench/run build/bench; else echo "No benchmarks yet."; fi

windows: deps-windows
	cmake -S . -B $(WINDOWS_BUILD) $(WINDOWS_CONFIG)
	cmake --build $(WINDOWS_BUILD) -j$(JOBS) --target quillon_paquet
	@ls -l build/windows

# The first run makes the tests' Wine prefix (build/mingw/wine), which takes a while. A test
# that fails is run once more, and fails only if it fails again: under load, Wine now and then
# loses a test's window or drive before the test begins (about one test in 400 runs here); a
# hang ends after 5 minutes.
test-windows: deps-wine
	cmake -S . -B $(WINDOWS_BUILD) $(WINDOWS_CONFIG)
	cmake --build $(WINDOWS_BUILD) -j$(JOBS)
	cd $(WINDOWS_BUILD) && xvfb-run -a ctest --output-on-failure --timeout 300 --repeat until-pass:2 -j$(JOBS)

fuzz: deps deps-fuzz
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLON_SANITIZE=ON -DQUILLON_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build build/fuzz -j$(JOBS)
	fuzz/run build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
