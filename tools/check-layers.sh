#!/usr/bin/env bash
# Checks that every #include "..." in setup/ points down a layer or stays in its own folder.
# Layers, lowest first: framework and res; the bundle's stub (stub/), a program of its own that
# shares only those two; engine and instance; wizard and uninstall; core; and above the setup, the
# package tool glmpack/, which reads with the engine's code and writes the stub's payload.
# Prints each include that points up or sideways and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/../setup"
declare -A layer=([framework]=0 [res]=0 [stub]=1 [engine]=2 [instance]=2 [wizard]=3 [uninstall]=3 [core]=4 [glmpack]=5)
status=0
while IFS=: read -r file line text; do
    from=${file%%/*}
    where=setup/$file
    [ "$from" = glmpack ] || [ "$from" = stub ] && where=$file
    name=$(sed 's/.*#include "\([^"]*\)".*/\1/' <<<"$text")
    case $name in
        */*) to=${name%%/*}; [ "$to" = .. ] && to=$(cut -d/ -f2 <<<"$name") ;;
        *) to=$from
           [ -f "$from/$name" ] || [ -f "../$from/$name" ] || for dir in framework res; do [ -f "$dir/$name" ] && to=$dir; done ;;
    esac
    if [ -z "${layer[$to]:-}" ]; then
        echo "$where:$line: $name: no folder of setup/ holds it"; status=1
    elif [ "$to" != "$from" ] && [ "${layer[$to]}" -ge "${layer[$from]}" ]; then
        echo "$where:$line: $from includes $name of $to, which is not below it"; status=1
    fi
done < <(grep -rn '^#include "' --include='*.h' --include='*.cpp' --include='*.rc' . ../glmpack ../stub | sed 's|^\.\?\./||')
[ $status = 0 ] && echo "layers: every include in setup/, stub/ and glmpack/ points down or stays in its folder"
exit $status
