#!/usr/bin/env bash
# Builds glmpack for this Linux machine with the host's compilers: build-native.sh [output file], by
# default build/native/glmpack. It shares the setup's line reader and path texts and the bundle
# stub's payload format; the LZMA encoder comes from the C sources of Debian's lzma-dev. Nothing is
# done when the program is newer than all of its sources.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:-$ROOT/build/native/glmpack}
LZMA=${GLM_LZMA_DIR:-/usr/include/lzma}
sources=("$ROOT"/glmpack/*.cpp "$ROOT/setup/engine/logreader.cpp" "$ROOT/setup/engine/pathtext.cpp"
         "$ROOT/stub/payload.cpp" "$ROOT/stub/sha256.cpp")
coder=("$LZMA/LzmaEnc.c" "$LZMA/LzFind.c")
if [ -x "$OUT" ] && [ -z "$(find "${sources[@]}" "${coder[@]}" "$ROOT"/glmpack/*.h "$ROOT"/stub/*.h "$ROOT"/setup/engine/*.h \
                             "$0" -newer "$OUT")" ]; then
    exit 0
fi
mkdir -p "$(dirname "$OUT")"
objects=$(mktemp -d)
trap 'rm -rf "$objects"' EXIT
for source in "${coder[@]}"; do
    ${CC:-gcc} -O2 -D_7ZIP_ST -c "$source" -o "$objects/$(basename "$source" .c).o"
done
${CXX:-g++} -std=c++17 -O2 -Wall -Wextra -I "$ROOT" -I "$ROOT/setup" -I "$ROOT/setup/res" -I "$ROOT/glmpack" -I "$LZMA" \
    "${sources[@]}" "$objects"/*.o -o "$OUT"
