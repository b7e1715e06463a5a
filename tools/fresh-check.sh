#!/usr/bin/env bash
# make fresh-check, and CI: proves the README's commands on a machine with nothing installed.
# Makes a fresh Debian 12 root (mmdebstrap: minbase with make, git and ca-certificates, the least a
# person who clones and types make has), clones the commit under test into it (with the work
# tree's uncommitted changes to tracked files), mounts what Wine and Xvfb need, and runs inside it
# as that person would: the layer check, a short fuzz pass, make demo, a second build of the
# shipped files in another folder compared byte for byte, make release and make test. Prints each
# command's exit status and time; the last lines are the test summary. Fails when any command
# failed. Needs root. The root is removed afterwards; only downloaded packages are kept, in
# FRESH_CACHE (/var/cache/glm-fresh by default), since a download proves nothing.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
CACHE=${FRESH_CACHE:-/var/cache/glm-fresh}
SUITE=bookworm

say() { printf '\nfresh-check: %s\n' "$*"; }
[ "$(id -u)" -eq 0 ] || { echo "fresh-check: needs root (it makes a Debian root and mounts into it)" >&2; exit 2; }

if ! command -v mmdebstrap >/dev/null 2>&1; then
    say "installing mmdebstrap"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap >/dev/null ||
        { echo "fresh-check: mmdebstrap could not be installed" >&2; exit 2; }
fi

FRESH=$(mktemp -d /var/tmp/glm-fresh.XXXXXX)
chmod 755 "$FRESH"

# Ends every process that runs inside the root (a wineserver or Xvfb left by a failed step), then
# unmounts all that was mounted there and removes the root. Removal stays on the root's own file
# system, so a mount that would not go keeps what it shows.
mounts_inside() { awk -v root="$FRESH/" 'index($2, root) == 1 { print $2 }' /proc/mounts; }
cleanup() {
    local link pid
    for link in /proc/[0-9]*/root; do
        [ "$(readlink "$link" 2>/dev/null)" = "$FRESH" ] || continue
        pid=${link#/proc/}; pid=${pid%/root}
        kill -9 "$pid" 2>/dev/null
    done
    sleep 1
    # The deepest mount first; a lazy unmount for one still busy.
    mounts_inside | sort -r | while read -r point; do
        umount "$point" 2>/dev/null || umount -l "$point" 2>/dev/null
    done
    if [ -n "$(mounts_inside)" ]; then
        echo "fresh-check: could not unmount everything under $FRESH; left in place" >&2
    else
        rm -rf --one-file-system "$FRESH"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start=$SECONDS
say "making a fresh Debian 12 root in $FRESH"
mmdebstrap --quiet --variant=minbase --include=make,git,ca-certificates "$SUITE" "$FRESH" ||
    { echo "fresh-check: mmdebstrap failed" >&2; exit 1; }
echo "fresh-check: the root took $((SECONDS - start)) s"

commit=$("$ROOT/tools/clone-commit.sh" "$FRESH/root/glimra") || { echo "fresh-check: the clone failed" >&2; exit 1; }
say "cloned $commit into /root/glimra"

mkdir -p "$CACHE/archives/partial"
mount -t proc proc "$FRESH/proc" &&
    mount --rbind /sys "$FRESH/sys" && mount --make-rslave "$FRESH/sys" &&
    mount --rbind /dev "$FRESH/dev" && mount --make-rslave "$FRESH/dev" &&
    { mountpoint -q "$FRESH/dev/shm" || mount -t tmpfs tmpfs "$FRESH/dev/shm"; } &&
    mount --rbind /tmp "$FRESH/tmp" && mount --make-rslave "$FRESH/tmp" &&
    mount --bind "$CACHE/archives" "$FRESH/var/cache/apt/archives" ||
    { echo "fresh-check: mounting into the root failed" >&2; exit 1; }

# Runs a command in the root's clone with nothing of this machine's environment but the display's
# absence; prints its exit status and time.
status=0
run_inside() {
    local begun=$SECONDS code
    say "$*"
    chroot "$FRESH" /usr/bin/env -i HOME=/root TERM=dumb CI="${CI:-}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c 'cd /root/glimra && "$@"' _ "$@" 2>&1 | tee -a "$FRESH/run.log"
    code=${PIPESTATUS[0]}
    RESULTS+=("$* -> exit $code after $((SECONDS - begun)) s")
    echo "fresh-check: $* -> exit $code after $((SECONDS - begun)) s"
    [ "$code" -eq 0 ] || status=1
    return "$code"
}
RESULTS=()

run_inside tools/check-layers.sh
run_inside tools/fuzz.sh 10
run_inside make demo
run_inside tools/reproducible-check.sh
run_inside make release
run_inside make test

say "summary (the fresh root, $((SECONDS - start)) s in all)"
printf '%s\n' "${RESULTS[@]}"
# make test's own closing lines: one a configuration, then the counts.
awk '/^$/ { block = "" ; next } { block = block $0 "\n" } END { printf "%s", block }' "$FRESH/run.log"
exit $status
