# Thin wrapper over CMake and the scripts in tools/.
.PHONY: all build test demo clean

all: build

build:
	tools/configure.sh

test:
	tools/test.sh

demo:
	tools/demo.sh

clean:
	rm -rf build
