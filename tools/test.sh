#!/usr/bin/env bash
# make test: build, prepare the Wine prefix and a display, run ctest, stop what was started.
set -uo pipefail
source "$(dirname "$0")/env.sh"
"$ROOT/tools/configure.sh" || exit 1
start_display || exit 1
cleanup() { stop_wineserver; stop_display; }
trap cleanup EXIT
ensure_prefix || { echo "test: the Wine prefix could not be made" >&2; exit 1; }
start_wineserver
cd "$BUILD" && ctest --output-on-failure --timeout 900 "$@"
