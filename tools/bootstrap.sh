#!/usr/bin/env bash
# Installs the cross toolchain and the Wine test bed when something is missing.
# Idempotent: returns at once when everything is already there. With --fuzz it installs only what
# make fuzz needs (clang with libFuzzer and the sanitizer runtimes), which make test does not; with
# --bench, the peer installer's compiler (makensis) that make bench measures against.
# The 32-bit Wine (and the i386 architecture it comes from) only where 32-bit programs run.
set -euo pipefail
source "$(dirname "$0")/machine.sh"

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if [ "${1:-}" = "--bench" ]; then
    have_cmd makensis || need+=(nsis)
elif [ "${1:-}" = "--fuzz" ]; then
    have_cmd clang++ || need+=(clang)
    fuzzer_lib=$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null || true)
    [ -f "$fuzzer_lib" ] || need+=(libclang-rt-dev)
else
    have_cmd i686-w64-mingw32-g++-posix || need+=(mingw-w64)
    have_cmd x86_64-w64-mingw32-g++-posix || need+=(mingw-w64)
    have_pkg wine || need+=(wine)
    have_pkg wine64 || need+=(wine64)
    if runs_32bit_programs; then
        have_pkg wine32:i386 || need+=(wine32:i386)
    fi
    have_cmd Xvfb || need+=(xvfb)
    have_cmd pgrep || need+=(procps)
    have_cmd osslsigncode || need+=(osslsigncode)
    have_cmd openssl || need+=(openssl)
    [ -d /usr/src/googletest ] || need+=(googletest)
    have_cmd cmake || need+=(cmake)
    have_cmd g++ || need+=(g++)   # glmpack's Linux build
    # The LZMA coder's C sources: the decoder goes into the bundle's stub, the encoder into glmpack.
    [ -f /usr/include/lzma/LzmaDec.c ] || need+=(lzma-dev)
    have_cmd python3 || need+=(python3)
    python3 -c 'import yaml' 2>/dev/null || need+=(python3-yaml)   # the release manifest's test
    have_cmd import || need+=(imagemagick)
    have_cmd localedef || need+=(locales)
    [ -d /usr/share/i18n/locales ] || need+=(locales)
fi

if [ ${#need[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    echo "bootstrap: installing ${need[*]}"
    if [[ " ${need[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
