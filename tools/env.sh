# Sourced by the project's scripts: the environment every Wine process of a test configuration
# runs in, and helpers to make its private prefix and to start and stop a virtual display.
# A script picks its configuration with select_config (x86, wow64 or x64, see machine.sh).
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${GLM_BUILD_ROOT:-$ROOT/build}
source "$ROOT/tools/machine.sh"

export WINEDEBUG=-all
# winedbg off: a crashing test program then ends at once instead of waiting in the debugger.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;winedbg.exe=d"
export LOCPATH=$BUILD_ROOT/locale

# Sets the build folder of the configuration's target (BUILD), its prefix and the Wine loader that
# runs it (GLM_WINE): the loader is called directly, never through a wrapper that guesses.
# Every configuration has its own prefix; x86 and wow64 run the same x86 build.
select_config() {
    export GLM_CONFIG=$1
    case $1 in
        x86)   GLM_TARGET=x86; export WINEARCH=win32; GLM_WINE=$WINE32_LOADER ;;
        wow64) GLM_TARGET=x86; export WINEARCH=win64; GLM_WINE=$WINE64_LOADER ;;
        x64)   GLM_TARGET=x64; export WINEARCH=win64; GLM_WINE=$WINE64_LOADER ;;
        *) echo "env: no configuration \"$1\" (x86, wow64, x64)" >&2; return 1 ;;
    esac
    BUILD=$BUILD_ROOT/$GLM_TARGET
    export WINEPREFIX=$BUILD_ROOT/$1/wine
    # A process started inside Wine finds the loader of its own kind next to this one.
    export WINELOADER=$GLM_WINE
}

# For the demo and the bench: the configuration GLM_CONFIG names, else the shipped x86 build in a
# 32-bit prefix where this machine runs it, else x64. Fails, saying why, when it cannot run here.
select_runnable_config() {
    local config verdict
    for config in ${GLM_CONFIG:-x86 x64}; do
        select_config "$config" || return 1
        verdict=$(config_verdict)
        [ -z "$verdict" ] && return 0
        echo "$config: $verdict" >&2
    done
    return 1
}

wine() { "${WINE_LAUNCH[@]}" "$GLM_WINE" "$@"; }
wineserver() { "$GLM_WINESERVER" "$@"; }
winepath() { wine winepath "$@"; }
# The x86 build in a 64-bit prefix writes HKEY_LOCAL_MACHINE\SOFTWARE through the 32-bit view;
# Wine's own 64-bit reg reads that view with /reg:32.
reg_view() { [ "$GLM_CONFIG" = wow64 ] && echo /reg:32; }

# Removes what an earlier (perhaps interrupted) demo or bench installed in the prefix, so that the
# next run starts from a machine without Glimra 5 (a registered installation would be reinstalled
# in its own folder).
remove_earlier_installation() {
    local key drive=$WINEPREFIX/drive_c
    for key in 'HKLM\SOFTWARE\Orvane' 'HKCU\SOFTWARE\Orvane' \
               'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Glmr5.exe' \
               'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Glimra 5'; do
        wine reg delete "$key" /f $(reg_view) </dev/null >/dev/null 2>&1
    done
    rm -rf "$drive/Program Files/Glimra 5" "$drive/Program Files (x86)/Glimra 5"
    find "$drive" -depth \( -path '*Start Menu*' -o -path '*Desktop*' \) -name 'Glimra 5*' \
        -exec rm -rf {} + 2>/dev/null
}

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

# The configuration's private prefix is made once.
ensure_prefix() {
    ensure_locale || return 1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "env: making the Wine prefix $WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        wine wineboot -i >/dev/null 2>&1
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
# The server opens every file for the Wine processes: as root it would write read-only files, which
# Windows refuses. Without the DAC-override capability it refuses them too.
start_wineserver() {
    if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null 2>&1; then
        setpriv --bounding-set -dac_override "$GLM_WINESERVER" -p
    else
        wineserver -p
    fi
    wine cmd /c exit </dev/null >/dev/null 2>&1
}
stop_wineserver() { wineserver -k 2>/dev/null || true; }
