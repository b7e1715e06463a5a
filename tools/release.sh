#!/usr/bin/env bash
# make release: builds what we ship and signs it with Authenticode into build/release/:
#   setup.exe and GlmRes5.dll (the x86 builds), each signed;
#   package/, the package folder as make demo assembles it, with those signed files;
#   Glimra5-setup.exe, the package bundled behind the stub by glmpack and signed after that, so the
#   signature covers the payload;
#   winget/, the package manager's manifest of the bundle (tools/winget-manifest.py).
# The unsigned files are kept in build/release/unsigned/. tools/sign.sh says where the certificate
# comes from and verifies every signature; without a certificate it is a test signature, and the
# output says so. GLM_RELEASE_URL is the address the bundle will be downloaded from. Prints the
# SHA-256 of every file produced.
set -euo pipefail
source "$(dirname "$0")/env.sh"
"$ROOT/tools/configure.sh" x86 --target setup GlmRes5 Glmr5 glmstub >/dev/null
GLMPACK=$BUILD_ROOT/native/glmpack
"$ROOT/glmpack/build-native.sh" "$GLMPACK"
X86=$BUILD_ROOT/x86
OUT=$BUILD_ROOT/release
rm -rf "$OUT"
mkdir -p "$OUT/unsigned"
cp "$X86/setup.exe" "$X86/resources/GlmRes5.dll" "$OUT/unsigned/"
for file in setup.exe GlmRes5.dll; do
    "$ROOT/tools/sign.sh" "$OUT/unsigned/$file" "$OUT/$file"
done
"$ROOT/tools/assemble-package.sh" "$OUT/package" "$OUT/setup.exe" "$OUT/GlmRes5.dll" "$X86/sample/Glmr5.exe"
"$GLMPACK" bundle "$OUT/package" -o "$OUT/unsigned/Glimra5-setup.exe" --stub "$X86/stub/glmstub.exe"
"$ROOT/tools/sign.sh" "$OUT/unsigned/Glimra5-setup.exe" "$OUT/Glimra5-setup.exe"
python3 "$ROOT/tools/winget-manifest.py" --package "$OUT/package" --glmpack "$GLMPACK" \
    --bundle "$OUT/Glimra5-setup.exe" --out "$OUT/winget"
echo "release: $OUT"
(cd "$OUT" && sha256sum Glimra5-setup.exe setup.exe GlmRes5.dll unsigned/*)
