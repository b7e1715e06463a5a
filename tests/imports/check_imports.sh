#!/usr/bin/env bash
# Reads the import table of each program with objdump and fails when it names a library outside
# the list below, which holds only libraries that Windows always loads from its own folder (they
# are in the KnownDLLs list of current Windows versions), so a DLL planted beside the program is
# never picked up at load time.
set -uo pipefail
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll msvcrt.dll"
objdump=${1:?usage: check_imports.sh OBJDUMP PROGRAM...}
shift
status=0
for program in "$@"; do
    if ! dump=$("$objdump" -p "$program"); then
        echo "FAIL: $objdump could not read $program"
        status=1
        continue
    fi
    names=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr 'A-Z' 'a-z' | tr -d '\r')
    if [ -z "$names" ]; then
        echo "FAIL: no import table found in $program"
        status=1
        continue
    fi
    for name in $names; do
        case " $allowed " in
            *" $name "*) ;;
            *) echo "FAIL: $program imports $name, which is not in: $allowed"; status=1 ;;
        esac
    done
    # Libraries loaded only on first use would escape the list above.
    delay=$(printf '%s\n' "$dump" | awk '/Delay Import Directory/ { print $3 }')
    if [ -n "$delay" ] && [[ ! $delay =~ ^0+$ ]]; then
        echo "FAIL: $program has delay-loaded imports"
        status=1
    fi
    echo "$program imports: $(echo $names)"
done
exit $status
