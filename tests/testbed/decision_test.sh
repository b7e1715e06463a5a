#!/usr/bin/env bash
# Which configurations the test bed runs, decided against stand-in Wine folders: each holds loaders
# that behave as one kind of installed Wine does when it is asked to start the Windows probe
# program. The expectations of the 32-bit rows depend on whether this machine's kernel runs 32-bit
# programs, which is what the stand-ins cannot change.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/glm-decision.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
source "$HERE/../../tools/machine.sh"
if runs_32bit_programs; then KERNEL32=yes; else KERNEL32=no; fi

# A stand-in loader: starts a PE program of the widths it is given (32, 64) in prefixes of the
# architectures it is given (win32, win64), and fails as its kind of Wine does otherwise.
write_loader() {
    local file=$1 widths=$2 arches=$3 refusal=$4
    cat >"$file" <<LOADER
#!/usr/bin/env bash
[ "\$1" = --version ] && { echo wine-stand-in; exit 0; }
case " $arches " in *" \${WINEARCH:-win64} "*) ;; *) echo "$refusal" >&2; exit 1 ;; esac
pe=\$(od -An -tu4 -j60 -N4 "\$1" | tr -d ' ')
case \$(od -An -tx2 -j\$((pe + 4)) -N2 "\$1" | tr -d ' ') in 014c) width=32 ;; 8664) width=64 ;; *) exit 1 ;; esac
case " $widths " in *" \$width "*) ;; *) echo "wine: could not exec the \$width-bit loader" >&2; exit 1 ;; esac
mkdir -p "\$WINEPREFIX" && touch "\$WINEPREFIX/system.reg"
exit 42
LOADER
    chmod +x "$file"
}

# The stand-in Wine folders.
make_wine() {
    local dir=$WORK/$1
    mkdir -p "$dir"
    printf '#!/bin/sh\nexit 0\n' >"$dir/wineserver"
    chmod +x "$dir/wineserver"
    case $1 in
        wow64-mode)   # one loader for both widths, 64-bit prefixes only
            write_loader "$dir/wine" "32 64" "win64" \
                "wine: WINEARCH is set to 'win32' but this is not supported in wow64 mode." ;;
        two-loaders)  # a 32-bit loader for 32-bit prefixes, wine64 starting both widths in 64-bit ones
            if [ $KERNEL32 = yes ]; then
                write_loader "$dir/wine" "32" "win32" "wine: a 64-bit prefix needs wine64"
                write_loader "$dir/wine64" "32 64" "win64" "wine: a 32-bit prefix needs wine"
            else
                write_loader "$dir/wine" "" "" "wine: Exec format error"
                write_loader "$dir/wine64" "64" "win64" "wine: a 32-bit prefix needs wine"
            fi ;;
        broken-32)    # the 32-bit loader installed but refused, although the kernel may run it
            write_loader "$dir/wine" "" "" "wine: Exec format error"
            write_loader "$dir/wine64" "64" "win64" "wine: a 32-bit prefix needs wine" ;;
        none) ;;
    esac
}

failures=0
# expect WINE CONFIG VERDICT-CLASS [LOADER]: runs (with that loader), skipped or failed.
expect() {
    local wine=$1 config=$2 want=$3 loader=${4:-} got verdict
    verdict=$(GLM_WINE_DIR=$WORK/$wine GLM_BUILD_ROOT=$WORK/build-$wine bash -c '
        source "$1/../../tools/env.sh" >/dev/null 2>&1
        select_config "$2"; v=$(config_verdict 2>/dev/null); echo "${v:-runs with $GLM_WINE}"' _ "$HERE" "$config")
    got=${verdict%%:*}; got=${got%% *}
    if [ "$got" != "$want" ] || { [ -n "$loader" ] && [ "$verdict" != "runs with $WORK/$wine/$loader" ]; }; then
        echo "FAIL $wine $config: want $want${loader:+ with $loader}, got: $verdict"
        failures=$((failures + 1))
    else
        echo "ok   $wine $config: $verdict"
    fi
}

# The loader is checked only where the configuration runs.
if [ $KERNEL32 = yes ]; then on32=runs; on32loader=wine; broken32=failed; else on32=skipped; on32loader=; broken32=skipped; fi
for wine in wow64-mode two-loaders broken-32 none; do make_wine $wine; done
expect wow64-mode  x86   skipped
expect wow64-mode  wow64 runs wine
expect wow64-mode  x64   runs wine
expect two-loaders x86   $on32 $on32loader
expect two-loaders wow64 $on32
expect two-loaders x64   runs wine64
expect broken-32   x86   $broken32
expect broken-32   wow64 $broken32
expect broken-32   x64   runs wine64
expect none        x64   failed

# A probe that failed in a prefix it began leaves no half-made prefix behind.
[ ! -e "$WORK/build-wow64-mode/x86/wine" ] || { echo "FAIL a half-made 32-bit prefix was left"; failures=$((failures + 1)); }
echo "decision: $failures failed"
[ $failures -eq 0 ]
