# Thin wrapper over CMake and the scripts in tools/.
# CONFIGS="x64" (or x86, wow64, several) runs only those test configurations.
.PHONY: all build test demo fuzz bench killtest release glmpack fresh-check clean

all: build

build:
	tools/configure.sh x86
	tools/configure.sh x64

test:
	tools/test.sh $(CONFIGS)

demo:
	tools/demo.sh

# BENCH_RUNS=n sets the runs per figure (6 by default).
bench:
	tools/bench.sh

# Runs killed at every line of their run logs and repaired by the next run (make test takes five
# moments of each).
killtest:
	tools/killtest.sh

# FUZZ_SECONDS=n sets the time of each target (60 by default).
fuzz:
	tools/fuzz.sh

# The x86 setup.exe and GlmRes5.dll, and the bundle Glimra5-setup.exe with the package inside,
# signed into build/release/ with the package manager's manifest in build/release/winget/
# (GLM_SIGN_CERT, GLM_SIGN_KEY, GLM_SIGN_PASS, GLM_SIGN_TIMESTAMP; a test signature without them;
# GLM_RELEASE_URL, the bundle's download address).
release:
	tools/release.sh

# The layer check, a short fuzz pass, make demo and make test in a fresh Debian root, as CI runs them.
fresh-check:
	tools/fresh-check.sh

# The package checker for this Linux machine: build/native/glmpack.
glmpack:
	glmpack/build-native.sh

clean:
	rm -rf build
