#!/usr/bin/env bash
# make killtest: the killed-run test at every line of the run logs, not only the five moments that
# make test takes (tests/killed/killed_test.sh). Runs the x86 build in a 32-bit prefix where this
# machine runs it, else the x64 build (GLM_CONFIG=x86|wow64|x64 chooses). About 10 minutes.
set -uo pipefail
"$(dirname "$0")/bootstrap.sh" || { echo "killtest: installing the toolchain and Wine failed" >&2; exit 1; }
source "$(dirname "$0")/env.sh"
select_runnable_config || exit 1
"$ROOT/tools/configure.sh" "$GLM_TARGET" --target setup Glmr5 GlmRes5 >/dev/null || { echo "killtest: the build failed" >&2; exit 1; }
start_display || exit 1
trap 'stop_wineserver; stop_display' EXIT
ensure_prefix || { echo "killtest: the Wine prefix could not be made" >&2; exit 1; }
start_wineserver
bash "$ROOT/tests/killed/killed_test.sh" "$BUILD/setup.exe" "$BUILD/sample/Glmr5.exe" "$BUILD/resources/GlmRes5.dll" \
    "$ROOT/sample/package" every
