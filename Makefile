# Thin wrapper over CMake and the scripts in tools/.
.PHONY: all build test demo fuzz bench clean

all: build

build:
	tools/configure.sh

test:
	tools/test.sh

demo:
	tools/demo.sh

# BENCH_RUNS=n sets the runs per figure (5 by default).
bench:
	tools/bench.sh

# FUZZ_SECONDS=n sets the time of each target (60 s by default).
fuzz:
	tools/fuzz.sh

clean:
	rm -rf build
