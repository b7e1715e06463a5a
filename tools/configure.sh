#!/usr/bin/env bash
# Bootstraps the toolchain, then configures and builds one target into build/<target>/:
# configure.sh x86|x64 [more arguments of cmake --build, e.g. --target setup].
set -euo pipefail
source "$(dirname "$0")/env.sh"
target=${1:?usage: configure.sh x86|x64 [cmake --build arguments]}
shift
[ -f "$ROOT/cmake/$target.cmake" ] || { echo "configure: no target \"$target\" (x86, x64)" >&2; exit 1; }
"$ROOT/tools/bootstrap.sh"
build=$BUILD_ROOT/$target
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$target.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j "$(nproc)" "$@"
