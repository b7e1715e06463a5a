#!/usr/bin/env bash
# Clones the commit under test into a new folder: clone-commit.sh DEST. That is this work tree's
# HEAD, or, when tracked files have uncommitted changes, a commit of them (git stash create, which
# changes nothing here). Prints the commit.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
dest=${1:?usage: clone-commit.sh DEST}
commit=$(git -C "$ROOT" stash create)
[ -n "$commit" ] || commit=$(git -C "$ROOT" rev-parse HEAD)
git clone -q --no-checkout "$ROOT" "$dest"
git -C "$dest" fetch -q "$ROOT" "$commit"
git -C "$dest" checkout -q --detach "$commit"
echo "$commit"
