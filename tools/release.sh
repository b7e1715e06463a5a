#!/usr/bin/env bash
# make release: builds what we ship, the x86 setup.exe and GlmRes5.dll, and signs both with
# Authenticode into build/release/ (the unsigned files beside them in build/release/unsigned/).
# tools/sign.sh says where the certificate comes from; without one the signature is a test
# signature, and the output says so. Prints the SHA-256 of every file produced.
set -euo pipefail
source "$(dirname "$0")/env.sh"
"$ROOT/tools/configure.sh" x86 --target setup GlmRes5 >/dev/null
OUT=$BUILD_ROOT/release
rm -rf "$OUT"
mkdir -p "$OUT/unsigned"
cp "$BUILD_ROOT/x86/setup.exe" "$BUILD_ROOT/x86/resources/GlmRes5.dll" "$OUT/unsigned/"
for file in setup.exe GlmRes5.dll; do
    "$ROOT/tools/sign.sh" "$OUT/unsigned/$file" "$OUT/$file"
done
echo "release: $OUT"
(cd "$OUT" && sha256sum setup.exe GlmRes5.dll unsigned/setup.exe unsigned/GlmRes5.dll)
