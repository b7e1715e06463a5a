#!/usr/bin/env bash
# Builds glmpack for this Linux machine with the host's g++: build-native.sh [output file], by
# default build/native/glmpack. It shares the setup's line reader and path texts.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:-$ROOT/build/native/glmpack}
mkdir -p "$(dirname "$OUT")"
${CXX:-g++} -std=c++17 -O2 -Wall -Wextra -I "$ROOT/setup" -I "$ROOT/setup/res" -I "$ROOT/glmpack" \
    "$ROOT"/glmpack/*.cpp "$ROOT/setup/engine/logreader.cpp" "$ROOT/setup/engine/pathtext.cpp" -o "$OUT"
