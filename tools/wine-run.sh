#!/usr/bin/env bash
# Runs a Windows program of this build under Wine, in the build's private prefix and locale.
# CMake uses it as the emulator for the test programs.
source "$(dirname "$0")/env.sh"
exec wine "$@"
