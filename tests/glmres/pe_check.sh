#!/usr/bin/env bash
# Reads a PE file with objdump and checks that it is GlmRes5.dll as shipped: a 32-bit DLL for the
# Windows GUI subsystem, relocatable, importing only from KERNEL32.dll, with an export directory
# that carries its name and no functions. Prints every check that fails; exit 1 if any did.
set -u
file=${1:?usage: pe_check.sh FILE}
dump=$(i686-w64-mingw32-objdump -p "$file" 2>&1) || { echo "objdump failed: $dump"; exit 1; }
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
expect "PE32 image for i386" "file format pei-i386"
expect "32-bit optional header" "^Magic[[:space:]]+010b[[:space:]]+\(PE32\)"
expect "a DLL" "^[[:space:]]+DLL$"
expect "GUI subsystem (2)" "^Subsystem[[:space:]]+00000002[[:space:]]+\(Windows GUI\)"
reject "relocations stripped" "relocations stripped"
expect "a base relocation directory" "^Entry 5 [0-9a-f]{8} 0*[1-9a-f][0-9a-f]* Base Relocation Directory"
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
    echo "pe_check: $file is a 32-bit GUI DLL, relocatable, exporting no functions"
fi
exit $failed
