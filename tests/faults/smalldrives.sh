#!/usr/bin/env bash
# smalldrives.sh mount|unmount: two small drives for the fault tests, mapped into the test prefix
# ($WINEPREFIX): T: a 200 KB tmpfs that fills up, U: a read-only tmpfs. Mounting needs root; when
# it is refused the drives stay unmapped and the tests that need them skip, saying so.
set -u
base=$WINEPREFIX/../faultdrives
case ${1:-} in
mount)
    "$0" unmount
    mkdir -p "$base/full" "$base/readonly"
    if mount -t tmpfs -o size=200k tmpfs "$base/full" 2>/dev/null &&
       mount -t tmpfs -o size=64k,ro tmpfs "$base/readonly" 2>/dev/null; then
        ln -sfn "$base/full" "$WINEPREFIX/dosdevices/t:"
        ln -sfn "$base/readonly" "$WINEPREFIX/dosdevices/u:"
    else
        echo "smalldrives: mounting a tmpfs was refused; the small-drive tests will skip" >&2
        umount "$base/full" 2>/dev/null
    fi
    exit 0 ;;
unmount)
    rm -f "$WINEPREFIX/dosdevices/t:" "$WINEPREFIX/dosdevices/u:"
    for dir in "$base/full" "$base/readonly"; do
        mountpoint -q "$dir" 2>/dev/null && umount "$dir"
    done
    exit 0 ;;
*)
    echo "usage: smalldrives.sh mount|unmount" >&2; exit 2 ;;
esac
