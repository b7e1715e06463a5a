#!/usr/bin/env bash
# Runs a Windows program of a build under Wine: wine-run.sh CONFIGURATION PROGRAM [ARGS...].
# CMake uses it as the emulator for the test programs, giving the build's own configuration;
# GLM_CONFIG in the environment overrides it (make test runs the x86 build in two prefixes).
source "$(dirname "$0")/env.sh"
select_config "${GLM_CONFIG:-$1}" || exit 1
shift
exec "${WINE_LAUNCH[@]}" "$GLM_WINE" "$@"
