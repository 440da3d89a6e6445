# Quillon — the two commands of the README, and the benchmarks.
#   make run    install what is missing, build, start the program (needs a desktop session)
#   make test   install what is missing, build with the sanitizers, run every test
#   make bench  install what is missing, build optimised, run the benchmarks
#   make install build as for `make run`, then install under $(PREFIX) (default /usr/local);
#                DESTDIR=/some/stage puts the files under that directory instead
#   make fuzz   install clang and libFuzzer, build the fuzz targets, run each FUZZ_SECONDS

PKGS := cmake g++ make pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev \
        fontconfig fonts-dejavu-core xvfb xauth
JOBS := $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
RUN_CONFIG := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_SANITIZE=OFF -DBUILD_TESTING=OFF

FUZZ_PKGS := clang libclang-rt-14-dev
FUZZ_SECONDS ?= 60

.PHONY: all deps run test bench install fuzz clean

all: test

# Installs the missing Debian packages when run as root; otherwise prints the one line to run.
deps:
	@missing=$$(for p in $(PKGS); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done | tr '\n' ' '); \
	if [ -n "$$(echo $$missing | tr -d ' ')" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing: $$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing packages. Run: sudo apt-get install -y $$missing"; exit 1; \
	  fi; \
	fi

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
	cd build/test && ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DQUILLON_SANITIZE=OFF -DBUILD_TESTING=OFF -DQUILLON_BENCH=ON
	cmake --build build/bench -j$(JOBS)
	@if [ -x bench/run ]; then bench/run build/bench; else echo "No benchmarks yet."; fi

fuzz:
	$(MAKE) deps PKGS="$(PKGS) $(FUZZ_PKGS)"
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLON_SANITIZE=ON -DQUILLON_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build build/fuzz -j$(JOBS)
	fuzz/run build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
