#!/usr/bin/env bash
# Signs the built setup.exe and GlmRes5.dll as make release does, once with the throw-away test
# certificate and once with a certificate given through the environment, and checks with
# osslsigncode that each signature verifies against its own certificate only, and that a changed
# byte of the code makes it fail.
set -uo pipefail
SIGN=$(cd "$(dirname "$0")/../.." && pwd)/tools/sign.sh
WORK=$(mktemp -d "${TMPDIR:-/tmp}/glm-sign.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
failures=0
check() {   # check WHAT EXPECTED(pass|fail) COMMAND...
    local what=$1 want=$2 got=fail
    shift 2
    "$@" >/dev/null 2>&1 && got=pass
    if [ "$got" = "$want" ]; then echo "ok   $what: $got"; else echo "FAIL $what: want $want, got $got"; failures=$((failures + 1)); fi
}
verify() { osslsigncode verify -CAfile "$1" -in "$2"; }

openssl req -x509 -newkey rsa:2048 -sha256 -nodes -days 2 -keyout "$WORK/given-key.pem" \
    -out "$WORK/given-cert.pem" -subj "/CN=Glimra 5 given certificate" \
    -addext "extendedKeyUsage=codeSigning" 2>/dev/null
TEST_CERT=$WORK/test/cert.pem

for file in "$@"; do
    name=$(basename "$file")
    check "$name signed with the test certificate" pass env GLM_SIGN_TEST_DIR="$WORK/test" "$SIGN" "$file" "$WORK/test-$name"
    check "$name: the test signature verifies" pass verify "$TEST_CERT" "$WORK/test-$name"
    check "$name: the unsigned file does not" fail verify "$TEST_CERT" "$file"
    check "$name signed with the given certificate" pass env GLM_SIGN_CERT="$WORK/given-cert.pem" \
        GLM_SIGN_KEY="$WORK/given-key.pem" "$SIGN" "$file" "$WORK/given-$name"
    check "$name: the given signature verifies against its certificate" pass verify "$WORK/given-cert.pem" "$WORK/given-$name"
    check "$name: and not against another one" fail verify "$TEST_CERT" "$WORK/given-$name"
    # One byte of the first section's contents changed after signing.
    cp "$WORK/given-$name" "$WORK/changed-$name"
    printf '\x5a' | dd of="$WORK/changed-$name" bs=1 seek=$((0x420)) conv=notrunc status=none
    check "$name: a changed byte breaks the signature" fail verify "$WORK/given-cert.pem" "$WORK/changed-$name"
done
said=$(GLM_SIGN_TEST_DIR="$WORK/test" "$SIGN" "$1" "$WORK/again.exe")
[[ $said == *"TEST SIGNATURE"* ]] || { echo "FAIL a test signature does not say so: $said"; failures=$((failures + 1)); }
echo "signing: $failures failed"
[ $failures -eq 0 ]
