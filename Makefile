# Thin wrapper: make run | make test | make install | make package | make bench | make fuzz | make clean
JOBS  ?= $(shell nproc)
FILE  ?=
CMAKE_FLAGS ?=
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: run test install package bench fuzz deps build-release build-test clean

deps:
	@bash scripts/setup-deps

build-release: deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPENDWICK_TESTS=OFF $(CMAKE_FLAGS) >/dev/null
	cmake --build build/release -j$(JOBS)

run: build-release
	build/release/bin/pendwick $(FILE)

build-test: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DPENDWICK_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	cmake --build build/test -j$(JOBS)

test: build-test
	cd build/test && ctest --output-on-failure -j$(JOBS)

# The program and its data under PREFIX (bin/, share/pendwick/, share/applications, ...).
install: build-release
	DESTDIR=$(DESTDIR) cmake --install build/release --prefix $(PREFIX)

# A Debian package (build/release/pendwick_*.deb) with CPack.
package: build-release
	cd build/release && cpack
	@ls build/release/pendwick_*.deb

# The benchmark also installs the tools it compares against (not needed by test).
bench:
	@bash scripts/setup-deps --bench
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DPENDWICK_TESTS=OFF -DPENDWICK_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	cmake --build build/bench -j$(JOBS)
	bash bench/run.sh build/bench/bin

# libFuzzer targets built with clang; FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 60
fuzz: deps
	bash fuzz/run.sh $(FUZZ_SECONDS)

clean:
	rm -rf build
