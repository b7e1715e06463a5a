#!/usr/bin/env bash
# Reads a PE file with the target's objdump and checks that it is GlmRes5.dll as built for that
# target: a DLL of the target's image format for the Windows GUI subsystem, relocatable, importing
# only from KERNEL32.dll, with an export directory that carries its name and no functions. Prints
# every check that fails; exit 1 if any did.
set -u
usage="usage: pe_check.sh OBJDUMP FORMAT MAGIC-REGEX FILE"
objdump=${1:?$usage} format=${2:?$usage} magic=${3:?$usage} file=${4:?$usage}
dump=$("$objdump" -p "$file" 2>&1) || { echo "objdump failed: $dump"; exit 1; }
failed=0
expect() {  # expect DESCRIPTION EXTENDED-REGEX
    if ! grep -qE "$2" <<<"$dump"; then
        echo "FAIL: $1 (no line matching /$2/)"
        failed=1
    fi
}
reject() {  # reject DESCRIPTION EXTENDED-REGEX
    local line
    if line=$(grep -m1 -E "$2" <<<"$dump"); then
        echo "FAIL: $1 (found: $line)"
        failed=1
    fi
}
expect "image format $format" "file format $format\$"
expect "the target's optional header" "^Magic[[:space:]]+$magic"
expect "a DLL" "^[[:space:]]+DLL$"
expect "GUI subsystem (2)" "^Subsystem[[:space:]]+00000002[[:space:]]+\(Windows GUI\)"
# Relocatable: not marked as stripped of its relocations, and it asks to be moved (dynamic base,
# flag 0x40). x86-64 code addresses relative to itself, so there an empty relocation list is whole.
reject "relocations stripped" "relocations stripped"
expect "dynamic base" "^DllCharacteristics[[:space:]]+[0-9a-f]*[4-7c-f][0-9a-f]$"
expect "export directory named GlmRes5.dll" "^Name[[:space:]]+[0-9a-f]+ GlmRes5\.dll$"
expect "no exported addresses" "Export Address Table[[:space:]]+00000000$"
expect "no exported names" "\[Name Pointer/Ordinal\] Table[[:space:]]+00000000$"
expect "imports from KERNEL32.dll" "DLL Name: KERNEL32\.dll"
other=$(grep -E "DLL Name:" <<<"$dump" | grep -vE "DLL Name: KERNEL32\.dll$")
if [ -n "$other" ]; then
    echo "FAIL: imports from another DLL (found: $other)"
    failed=1
fi
if [ $failed -eq 0 ]; then
    echo "pe_check: $file is a $format GUI DLL, relocatable, exporting no functions"
fi
exit $failed
