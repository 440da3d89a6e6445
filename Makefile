# Quillon — the two commands of the README, the benchmarks, the Windows program and fuzzing.
#   make run           install what is missing, build, start the program (needs a desktop session)
#   make test          install what is missing, build with the sanitizers, run every test; also
#                      compiles and links the Windows program, so that no change breaks it unseen
#   make bench         install what is missing, build optimised, run the benchmarks
#   make install       build as for `make run`, then install under $(PREFIX) (default /usr/local);
#                      DESTDIR=/some/stage puts the files under that directory instead
#   make windows       cross-build the 32-bit and the 64-bit Windows program (MinGW) and lay
#                      each out in build/windows/x86 and build/windows/x64 as a user receives
#                      it: quillon.exe, quillon-cli.exe, quillon.htm (its help), quillon.sig, and
#                      a zip of the four
#   make test-windows  build the Windows programs and their tests, run them under Wine
#                      (headless): 64-bit always, 32-bit where this machine runs 32-bit programs
#                      (WINDOWS_ARCHS=x64 runs the 64-bit suite alone)
#   make pictures      draw the README's pictures on a real display (a virtual X server, with a
#                      window manager), into docs/, and every dialog into build/test/png
#   make deb           build the Linux programs optimised and make the Debian package
#                      build/deb/quillon_1.0-1_amd64.deb, then check it (tests/deb/verifie:
#                      its contents, lintian, appstreamcli, the programs run from it)
#   make fuzz          install clang and libFuzzer, build the fuzz targets, run each for
#                      FUZZ_SECONDS seconds

# The cross compilers and GoogleTest's sources, which the Windows tests build with them.
MINGW_PKGS := cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 \
              binutils-mingw-w64-x86-64 googletest
PKGS := cmake g++ make pkg-config qt6-base-dev libxcb1-dev libgtest-dev libgmock-dev libbenchmark-dev \
        fontconfig fonts-dejavu-core xvfb xauth openbox $(MINGW_PKGS)
# 64-bit Wine, and 32-bit Wine (wine32 needs dpkg's i386 architecture) where 32-bit programs
# run; a virtual X server for the program.
WINE_PKGS := $(MINGW_PKGS) wine wine64 xvfb xauth
WINE32_PKGS := wine32
JOBS := $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
RUN_CONFIG := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_SANITIZE=OFF -DBUILD_TESTING=OFF
# One cross-build tree per architecture serves make windows, make test (the program only) and
# make test-windows: build/mingw (x86, 32-bit) and build/mingw64 (x64).
WINDOWS_BUILD_x86 := build/mingw
WINDOWS_BUILD_x64 := build/mingw64
WINDOWS_TOOLCHAIN_x86 := cmake/mingw-i686.cmake
WINDOWS_TOOLCHAIN_x64 := cmake/mingw-x86_64.cmake
windows_config = -DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_TOOLCHAIN_$(1)) -DCMAKE_BUILD_TYPE=Release \
                 -DBUILD_TESTING=ON -DQUILLON_PAQUET_DIR=$(CURDIR)/build/windows/$(1) \
                 "-DQUILLON_PAQUETS=$(CURDIR)/build/windows/x86;$(CURDIR)/build/windows/x64"
# The architectures whose Windows suite make test-windows runs: x64, and x86 where this machine
# runs 32-bit programs (tests/windows/runs-32-bit asks the kernel).
WINDOWS_ARCHS ?= $(shell tests/windows/runs-32-bit && echo x64 x86 || echo x64)

# What makes and checks the Debian package.
DEB_PKGS := dpkg-dev fakeroot lintian appstream
VERSION := $(shell grep -om1 'Quillon VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)

# clang and its libFuzzer runtime, for the fuzz targets.
FUZZ_PKGS := clang libclang-rt-14-dev
FUZZ_SECONDS ?= 60

.PHONY: all deps deps-windows deps-wine deps-fuzz deps-deb run test bench install deb windows test-windows \
        test-windows-x86 test-windows-x64 pictures fuzz clean

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
	$(call installe,$(WINE_PKGS) $(if $(filter x86,$(WINDOWS_ARCHS)),$(WINE32_PKGS)))

deps-fuzz:
	$(call installe,$(FUZZ_PKGS))

deps-deb:
	$(call installe,$(DEB_PKGS))

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
	$(foreach a,x86 x64,cmake -S . -B $(WINDOWS_BUILD_$(a)) $(call windows_config,$(a)) && \
	  cmake --build $(WINDOWS_BUILD_$(a)) -j$(JOBS) --target quillon &&) true
	cd build/test && ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DQUILLON_SANITIZE=OFF -DBUILD_TESTING=OFF -DQUILLON_BENCH=ON
	cmake --build build/bench -j$(JOBS)
	@if [ -x bench/run ]; then bench/run build/bench; else echo "No benchmarks yet."; fi

deb: deps deps-deb
	cmake -S . -B build/deb $(RUN_CONFIG) -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build build/deb -j$(JOBS)
	cd build/deb && cpack -G DEB
	tests/deb/verifie build/deb/quillon_$(VERSION)-1_$$(dpkg --print-architecture).deb

windows: deps-windows
	$(foreach a,x86 x64,cmake -S . -B $(WINDOWS_BUILD_$(a)) $(call windows_config,$(a)) && \
	  cmake --build $(WINDOWS_BUILD_$(a)) -j$(JOBS) --target quillon_paquet &&) true
	@ls -l build/windows/*

# The first run of each architecture makes its tests' Wine prefix (build/mingw*/wine), which
# takes a while. A test that fails is run once more, and fails only if it fails again: under
# load, Wine now and then loses a test's window or drive before the test begins (about one test
# in 400 runs here); a hang ends after 5 minutes.
test-windows: deps-wine
	@echo "Windows suites: $(WINDOWS_ARCHS)"
	@case " $(WINDOWS_ARCHS) " in *" x86 "*) ;; *) \
	  if tests/windows/runs-32-bit; then echo "32-bit suite skipped, as WINDOWS_ARCHS asks"; \
	  else echo "32-bit suite skipped: this machine does not run 32-bit programs (tests/windows/runs-32-bit)"; fi;; esac
	$(MAKE) windows # each suite reads the resources of both programs, whichever it runs
	$(MAKE) $(addprefix test-windows-,$(WINDOWS_ARCHS))

test-windows-x86 test-windows-x64: test-windows-%:
	cmake -S . -B $(WINDOWS_BUILD_$*) $(call windows_config,$*)
	cmake --build $(WINDOWS_BUILD_$*) -j$(JOBS)
	cd $(WINDOWS_BUILD_$*) && xvfb-run -a ctest --output-on-failure --timeout 300 --repeat until-pass:2 -j$(JOBS)

pictures: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DBUILD_TESTING=ON
	cmake --build build/test -j$(JOBS) --target quillon_pictures
	QUILLON_WM=openbox ASAN_OPTIONS=detect_leaks=0 tests/support/xvfb-test build/test/quillon_pictures

fuzz: deps deps-fuzz
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLON_SANITIZE=ON -DQUILLON_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build build/fuzz -j$(JOBS)
	fuzz/run build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
