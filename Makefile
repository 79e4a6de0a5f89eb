# Everyday commands: `make run` and `make test`. CI also runs the sanitizer
# build, the fuzzers and the static checks (`make check` runs them all).
BUILD := build
JOBS  := $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60

.PHONY: all run test deps sanitize fuzz lint windows windows-test check benchmark clean

all: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@bash scripts/install_deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

run: all
	./$(BUILD)/frq_ratio

test: all
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole test suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: | deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRQ_SANITIZE=ON -DFRQ_BUILD_BENCHMARKS=OFF
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz: | deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRQ_FUZZ=ON \
	  -DFRQ_BUILD_TESTS=OFF -DFRQ_BUILD_BENCHMARKS=OFF
	cmake --build build-fuzz -j $(JOBS)
	bash fuzz/run_fuzzers.sh build-fuzz $(FUZZ_SECONDS)

lint: $(BUILD)/CMakeCache.txt
	bash scripts/lint.sh $(BUILD)

# A static Windows program, cross-built with mingw-w64.
windows:
	@bash scripts/install_deps.sh windows
	cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DFRQ_BUILD_TESTS=OFF -DFRQ_BUILD_BENCHMARKS=OFF
	cmake --build build-windows -j $(JOBS)

# The Windows program under Wine, checked against the Linux build.
windows-test: all windows
	bash tests/windows/run_wine_tests.sh $(BUILD) build-windows

check: test sanitize fuzz lint windows-test

benchmark: all
	bash benchmarks/run_benchmarks.sh

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz build-windows
