# Sourced by the project's scripts: the environment every Wine process of this build runs in,
# and helpers to make the private prefix and to start and stop a virtual display.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${GLM_BUILD_DIR:-$ROOT/build}

export WINEPREFIX=${WINEPREFIX:-$BUILD/wine}
export WINEARCH=win32
export WINEDEBUG=-all
# winedbg off: a crashing test program then ends at once instead of waiting in the debugger.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;winedbg.exe=d"
export LOCPATH=$BUILD/locale

# Wine maps non-ASCII file names only with a real hu_HU.UTF-8 glibc locale (ANSI code page 1250);
# it is made once into the build folder.
ensure_locale() {
    [ -f "$LOCPATH/hu_HU.UTF-8/LC_CTYPE" ] && return 0
    command -v localedef >/dev/null 2>&1 || return 1
    mkdir -p "$LOCPATH"
    localedef -i hu_HU -f UTF-8 "$LOCPATH/hu_HU.UTF-8" >/dev/null 2>&1 || [ -f "$LOCPATH/hu_HU.UTF-8/LC_CTYPE" ]
}
ensure_locale
{ export LANG=hu_HU.UTF-8 LC_ALL=hu_HU.UTF-8; } 2>/dev/null

# The private prefix is made once per build folder.
ensure_prefix() {
    ensure_locale || return 1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "env: making the Wine prefix $WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    configure_prefix
}

# Without a window manager Wine waits on X for every managed window shown or hidden (about two
# seconds each); unmanaged windows make the dialog tests fast.
configure_prefix() {
    [ -f "$WINEPREFIX/.glm-configured" ] && return 0
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || return 1
    wineserver -w
    touch "$WINEPREFIX/.glm-configured"
}

# Starts Xvfb on a free display number unless DISPLAY is already given; sets STARTED_XVFB to its pid.
STARTED_XVFB=""
start_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        local pid=$!
        sleep 1
        if kill -0 "$pid" 2>/dev/null; then
            export DISPLAY=":$n"
            STARTED_XVFB=$pid
            return 0
        fi
    done
    echo "env: no free display for Xvfb" >&2
    return 1
}

stop_display() {
    if [ -n "$STARTED_XVFB" ]; then
        kill "$STARTED_XVFB" 2>/dev/null || true
        wait "$STARTED_XVFB" 2>/dev/null || true
        STARTED_XVFB=""
    fi
}

# Keeps one wineserver alive for a run of many short Wine processes; stopped for this prefix only.
# Wine's own services start with the first program and keep the output of whoever started them;
# they are started here, away from the test runner's pipes, which would otherwise never close.
start_wineserver() {
    wineserver -p
    wine cmd /c exit </dev/null >/dev/null 2>&1
}
stop_wineserver() { wineserver -k 2>/dev/null || true; }
