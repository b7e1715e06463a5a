# Sourced by the project's scripts: what this machine and its Wine can run. The probes here run
# programs but install nothing; the scripts call tools/bootstrap.sh before they ask.
WINE_DIR=${GLM_WINE_DIR:-/usr/lib/wine}
# 32-bit prefixes are run by the 32-bit loader. 64-bit prefixes by wine64 where Wine has one loader
# for each width, else by the single loader of a Wine built in the new WoW64 mode, which runs
# 32-bit Windows programs in a 64-bit prefix without any 32-bit Linux program.
WINE32_LOADER=$WINE_DIR/wine
if [ -e "$WINE_DIR/wine64" ]; then WINE64_LOADER=$WINE_DIR/wine64; else WINE64_LOADER=$WINE_DIR/wine; fi
# Wine maps a page at a fixed low address into every process it starts. Now and then the kernel's
# address randomisation has put something there first, and the process fails to start (its
# parent's CreateProcess fails with error 1359, "failed to map the shared user data"): about one
# start in 3,000 here under load, enough to fail a test run now and then. Every Wine process is
# started without that randomisation, which the processes it starts inherit.
WINE_LAUNCH=(setarch "$(uname -m)" --addr-no-randomize)
# The 64-bit server serves 32-bit and 64-bit prefixes alike; a Wine with one width has one server.
GLM_WINESERVER=$WINE_DIR/wineserver
for server in "$WINE_DIR/wineserver64" "$WINE_DIR/wineserver" "$WINE_DIR/wineserver32"; do
    [ -x "$server" ] && { GLM_WINESERVER=$server; break; }
done

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

# Builds the Windows probe of a width (32 or 64) once: a console program that ends with code 42.
# Prints its path.
windows_probe() {
    local bits=$1 dir=$BUILD_ROOT/probe compiler
    case $bits in
        32) compiler=i686-w64-mingw32-gcc ;;
        64) compiler=x86_64-w64-mingw32-gcc ;;
    esac
    if [ ! -f "$dir/probe$bits.exe" ]; then
        mkdir -p "$dir"
        printf 'int main(void) { return 42; }\n' >"$dir/probe.c"
        "$compiler" -Os -s -o "$dir/probe$bits.exe" "$dir/probe.c" || return 1
    fi
    echo "$dir/probe$bits.exe"
}

# Whether the configuration's loader starts a Windows program of the width the configuration runs
# in the configuration's prefix (made by that start when it is missing). What the loader printed
# is kept in PROBE_OUTPUT for the reason of a failure.
PROBE_OUTPUT=""
config_probe_runs() {
    local bits=32 probe status made=""
    [ "$GLM_CONFIG" = x64 ] && bits=64
    [ -x "$GLM_WINE" ] || { PROBE_OUTPUT="it is not installed"; return 1; }
    probe=$(windows_probe "$bits") || { PROBE_OUTPUT="the $bits-bit probe program could not be built"; return 1; }
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        made=yes
        echo "env: making the Wine prefix $WINEPREFIX" >&2
        mkdir -p "$(dirname "$WINEPREFIX")"
    fi
    PROBE_OUTPUT=$("${WINE_LAUNCH[@]}" "$GLM_WINE" "$probe" </dev/null 2>&1)
    status=$?
    "$GLM_WINESERVER" -w 2>/dev/null
    [ "$status" -eq 42 ] && return 0
    # A prefix that this failed start left half made is no prefix to run anything in later.
    [ -n "$made" ] && [ ! -f "$WINEPREFIX/system.reg" ] && rm -rf "$WINEPREFIX"
    [ -n "$PROBE_OUTPUT" ] || PROBE_OUTPUT="exit code $status"
    return 1
}

# Decides whether the selected configuration runs here (select_config first) by what the installed
# Wine can do. Prints nothing when it runs; otherwise "skipped: why" for what installing cannot
# change, or "failed: why" for a Wine that should run it and does not.
# x86 runs the x86 build in a 32-bit prefix, wow64 the x86 build in a 64-bit prefix, x64 the x64
# build in a 64-bit prefix.
config_verdict() {
    if [ "$GLM_CONFIG" = x86 ] && ! runs_32bit_programs; then
        echo "skipped: this machine runs no 32-bit programs, and a 32-bit prefix needs them"; return
    fi
    config_probe_runs && return
    if [ "$GLM_CONFIG" = x86 ] && [[ $PROBE_OUTPUT == *"not supported in wow64 mode"* ]]; then
        echo "skipped: this Wine is built in the WoW64 mode, which makes no 32-bit prefix"; return
    fi
    if [ "$GLM_CONFIG" = wow64 ] && ! runs_32bit_programs; then
        echo "skipped: this machine runs no 32-bit programs, and this Wine runs 32-bit Windows programs only through them (it is not built in the WoW64 mode)"
        return
    fi
    echo "failed: $GLM_WINE did not run a test program in $WINEPREFIX: $(printf '%s\n' "$PROBE_OUTPUT" | grep -v '^\s*$' | tail -1)"
}
