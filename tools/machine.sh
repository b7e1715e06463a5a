# Sourced by the project's scripts: what this machine can run. Nothing here installs anything.
WINE_DIR=${GLM_WINE_DIR:-/usr/lib/wine}
WINE32_LOADER=$WINE_DIR/wine
WINE64_LOADER=$WINE_DIR/wine64

# Whether the kernel runs 32-bit (i386) Linux programs. An installed 32-bit loader proves nothing
# (it is installed, then fails with "Exec format error"), so this runs a 96-byte i386 program of
# its own that has no dependencies and ends through the 32-bit system call with exit code 42.
runs_32bit_programs() {
    local probe status
    probe=$(mktemp "${TMPDIR:-/tmp}/glm-probe32.XXXXXX") || return 1
    {
        # ELF header: 32-bit, little-endian, executable for i386, entry 0x08048054, one program header.
        printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'
        printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000'
        printf '\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'
        # Program header: the whole 96-byte file loaded at 0x08048000, readable and executable.
        printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'
        printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'
        # mov eax, 1 (exit); mov ebx, 42; int 0x80
        printf '\270\001\000\000\000\273\052\000\000\000\315\200'
    } >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    status=$?
    rm -f "$probe"
    [ "$status" -eq 42 ]
}

# Whether a Wine loader is installed and starts on this machine.
loader_runs() { [ -x "$1" ] && "$1" --version >/dev/null 2>&1; }

# Prints why configuration $1 cannot run here, or nothing when it can. The configurations:
# x86 (the x86 build in a 32-bit prefix), wow64 (the x86 build in a 64-bit prefix), x64 (the x64
# build in a 64-bit prefix).
why_config_cannot_run() {
    case $1 in
        x86|wow64)
            if ! runs_32bit_programs; then echo "this machine runs no 32-bit programs"; return; fi
            if ! loader_runs "$WINE32_LOADER"; then echo "the 32-bit Wine loader $WINE32_LOADER does not run"; return; fi
            ;;
    esac
    case $1 in
        wow64|x64)
            if ! loader_runs "$WINE64_LOADER"; then echo "the 64-bit Wine loader $WINE64_LOADER does not run"; return; fi
            ;;
    esac
}
