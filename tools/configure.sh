#!/usr/bin/env bash
# Bootstraps the toolchain, then configures and builds the project into build/.
set -euo pipefail
source "$(dirname "$0")/env.sh"
"$ROOT/tools/bootstrap.sh"
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/i686-w64-mingw32.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$BUILD" -j "$(nproc)"
