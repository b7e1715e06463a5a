#!/usr/bin/env bash
# Signs one Windows program or library with Authenticode and verifies the signature:
# sign.sh UNSIGNED SIGNED. The certificate and key are PEM files named by GLM_SIGN_CERT and
# GLM_SIGN_KEY (GLM_SIGN_PASS the key's password, if any); GLM_SIGN_TIMESTAMP, when given, is the
# address of an RFC 3161 time-stamping service. Without a certificate, a throw-away test
# certificate is made once in GLM_SIGN_TEST_DIR (build/sign-test by default), so that the signing
# path runs on every machine, and the output says that the signature is a test signature.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
in=${1:?usage: sign.sh UNSIGNED SIGNED}
out=${2:?usage: sign.sh UNSIGNED SIGNED}

cert=${GLM_SIGN_CERT:-}
key=${GLM_SIGN_KEY:-}
if [ -z "$cert" ]; then
    dir=${GLM_SIGN_TEST_DIR:-$ROOT/build/sign-test}
    cert=$dir/cert.pem key=$dir/key.pem
    if [ ! -f "$cert" ] || [ ! -f "$key" ]; then
        mkdir -p "$dir"
        openssl req -x509 -newkey rsa:3072 -sha256 -nodes -days 30 -keyout "$key" -out "$cert" \
            -subj "/CN=Glimra 5 TEST SIGNATURE, not for release" \
            -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
            2>/dev/null
    fi
    echo "sign: TEST SIGNATURE of $(basename "$out") with the throw-away certificate $cert (set GLM_SIGN_CERT and GLM_SIGN_KEY for a real one)"
fi
[ -n "$key" ] || { echo "sign: GLM_SIGN_CERT needs GLM_SIGN_KEY" >&2; exit 2; }

args=(-certs "$cert" -key "$key" -h sha256 -n "Glimra 5" -i "http://www.orvane.example")
[ -n "${GLM_SIGN_PASS:-}" ] && args+=(-pass "$GLM_SIGN_PASS")
[ -n "${GLM_SIGN_TIMESTAMP:-}" ] && args+=(-ts "$GLM_SIGN_TIMESTAMP")
rm -f "$out"
osslsigncode sign "${args[@]}" -in "$in" -out "$out" >/dev/null
# A signature that does not verify against its own certificate is no signature to ship.
osslsigncode verify -CAfile "$cert" -in "$out" >/dev/null || { echo "sign: the signature of $out does not verify" >&2; exit 1; }
