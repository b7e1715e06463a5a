#!/usr/bin/env bash
# Two builds of one commit in two folders give the same bytes: builds the shipped x86 setup.exe,
# GlmRes5.dll and the bundle's stub glmstub.exe here and once more from a clone of the same commit (with the work tree's changes
# to tracked files) in build/reproducible/, and compares them byte for byte.
set -euo pipefail
source "$(dirname "$0")/env.sh"
"$ROOT/tools/configure.sh" x86 --target setup GlmRes5 glmstub >/dev/null
AGAIN=$BUILD_ROOT/reproducible/src
rm -rf "$AGAIN"
"$ROOT/tools/clone-commit.sh" "$AGAIN" >/dev/null
GLM_BUILD_ROOT=$AGAIN/build "$AGAIN/tools/configure.sh" x86 --target setup GlmRes5 glmstub >/dev/null
status=0
for file in setup.exe resources/GlmRes5.dll stub/glmstub.exe; do
    if cmp -s "$BUILD_ROOT/x86/$file" "$AGAIN/build/x86/$file"; then
        echo "reproducible: $file is the same in both builds ($(sha256sum <"$AGAIN/build/x86/$file" | cut -c1-16)...)"
    else
        echo "reproducible: $file DIFFERS between $BUILD_ROOT/x86 and $AGAIN/build/x86"
        status=1
    fi
done
# A second build that differs is kept for a look.
[ $status -eq 0 ] && rm -rf "$BUILD_ROOT/reproducible"
exit $status
