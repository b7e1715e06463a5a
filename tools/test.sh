#!/usr/bin/env bash
# make test: runs the suite in every configuration this machine can run (x86, wow64, x64, or those
# named: test.sh x64 [-- ctest arguments]), each in its own prefix, and ends with one line per
# configuration: passed, failed, or skipped with the reason. Fails when a configuration that could
# run failed, and when none could run. What is missing is installed first, so that only what
# installing cannot change (a kernel that runs no 32-bit programs) skips a configuration.
set -uo pipefail
"$(dirname "$0")/bootstrap.sh" || { echo "test: installing the toolchain and Wine failed" >&2; exit 1; }
source "$(dirname "$0")/env.sh"

configs=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do configs+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
[ ${#configs[@]} -gt 0 ] || configs=(x86 wow64 x64)

describe() {
    case $1 in
        x86)   echo "x86 in a 32-bit prefix" ;;
        wow64) echo "x86 in a 64-bit prefix (WoW64)" ;;
        x64)   echo "x64 in a 64-bit prefix" ;;
    esac
}

for config in "${configs[@]}"; do select_config "$config" || exit 1; done
start_display || exit 1
trap 'stop_wineserver; stop_display' EXIT

# Each configuration is tried by starting a test program in its prefix.
declare -A result
runnable=()
passed=0 failed=0
for config in "${configs[@]}"; do
    select_config "$config"
    verdict=$(config_verdict)
    if [ -z "$verdict" ]; then runnable+=("$config"); continue; fi
    result[$config]=$verdict
    [[ $verdict == failed* ]] && failed=$((failed + 1))
done

# Each target is built once, for the configurations that run it.
declare -A built
for config in "${runnable[@]}"; do
    select_config "$config"
    [ -n "${built[$GLM_TARGET]:-}" ] && continue
    if "$ROOT/tools/configure.sh" "$GLM_TARGET"; then built[$GLM_TARGET]=yes; else built[$GLM_TARGET]=no; fi
done

run_config() {
    local config=$1 log
    shift
    select_config "$config"
    if [ "${built[$GLM_TARGET]}" != yes ]; then
        result[$config]="failed: the $GLM_TARGET build failed"; failed=$((failed + 1)); return
    fi
    if ! ensure_prefix; then
        result[$config]="failed: the Wine prefix $WINEPREFIX could not be made"; failed=$((failed + 1)); return
    fi
    echo "test: $config ($(describe "$config")), prefix $WINEPREFIX"
    start_wineserver
    log=$BUILD_ROOT/$config/ctest.log
    (cd "$BUILD" && ctest --output-on-failure --timeout 900 "$@") | tee "$log"
    stop_wineserver
    local total bad
    total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
    bad=$(sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -1)
    if [ -z "$total" ] || [ -z "$bad" ]; then
        result[$config]="failed: ctest gave no summary (log: $log)"
        failed=$((failed + 1))
    elif [ "$bad" -eq 0 ] && [ "$total" -gt 0 ]; then
        result[$config]="passed: $total of $total test programs"
        passed=$((passed + total))
    else
        result[$config]="failed: $bad of $total test programs (log: $log)"
        passed=$((passed + total - bad)); failed=$((failed + bad))
    fi
}

for config in "${runnable[@]}"; do run_config "$config" "$@"; done

echo
status=0
[ ${#runnable[@]} -gt 0 ] || { echo "test: no configuration can run on this machine"; status=1; }
for config in "${configs[@]}"; do
    echo "$config ($(describe "$config")): ${result[$config]}"
    [[ ${result[$config]} == failed* ]] && status=1
done
echo "test: $passed passed, $failed failed"
exit $status
