# The two everyday commands: `make run` and `make test`.
BUILD := build
JOBS  := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all run test deps clean benchmark

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

benchmark: all
	bash benchmarks/run_benchmarks.sh

clean:
	rm -rf $(BUILD)
