#!/usr/bin/env bash
# make demo: builds everything, assembles build/package/ and shows setup.exe at work under Wine,
# inside a Wine virtual desktop (captions are drawn without a window manager). Screenshots go to
# build/demo/. Each step is a function; later steps are appended to STEPS.
set -uo pipefail
source "$(dirname "$0")/env.sh"

PACKAGE=$BUILD/package
DEMO=$BUILD/demo
DESKTOP=demo
DESKTOP_SIZE=800x600
ROBOT=$BUILD/tools/robot/glmrobot.exe
STANDIN=$BUILD/sample/Glmr5.exe
STARTED_PIDS=()

say() { printf '\n== %s\n' "$*"; }
fail() { echo "demo: $*" >&2; exit 1; }

# Starts a Windows program inside the demo desktop, in the background.
start_in_desktop() {
    wine explorer /desktop=$DESKTOP,$DESKTOP_SIZE "$@" </dev/null >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
}

robot() { wine "$ROBOT" -desktop $DESKTOP "$@"; }

# Grabs the demo desktop into build/demo/<name>.png and prints where it is.
screenshot() {
    local file=$DEMO/$1.png
    if [ -n "$STARTED_XVFB" ]; then
        import -window root -crop "$DESKTOP_SIZE+0+0" +repage "$file"
    else
        import -window root "$file"
    fi && echo "screenshot: $file"
}

# Waits at most $1 seconds for the file $2 to hold the line $3.
wait_for_line() {
    local limit=$(( $1 * 10 ))
    for ((n = 0; n < limit; n++)); do
        tr -d '\r' < "$2" 2>/dev/null | grep -qx "$3" && return 0
        sleep 0.1
    done
    return 1
}

cleanup() {
    local pid
    for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    stop_wineserver
    stop_display
}

# --- steps ---

step_build() {
    say "Building"
    "$ROOT/tools/configure.sh" || fail "the build failed"
    [ -f "$STANDIN" ] || fail "the stand-in $STANDIN was not built"
}

step_start_wine() {
    start_display || fail "no display"
    trap cleanup EXIT
    ensure_prefix || fail "the Wine prefix could not be made"
    start_wineserver
}

step_assemble_package() {
    say "Assembling $PACKAGE"
    rm -rf "$PACKAGE" "$DEMO"
    mkdir -p "$PACKAGE" "$DEMO"
    cp "$BUILD/setup.exe" "$PACKAGE/setup.exe"
    cp "$BUILD/setup.exe" "$PACKAGE/GlmUnInst.exe"
    cp "$STANDIN" "$PACKAGE/Glmr5.exe"
    [ -d "$ROOT/sample/package" ] && cp -r "$ROOT/sample/package/." "$PACKAGE/"
    (cd "$PACKAGE" && find . -type f | sort | sed 's|^\./|  |')
}

step_running_copy_question() {
    say "One copy of Glimra 5 runs; setup.exe is started"
    local record=$DEMO/Glmr5-record.txt
    rm -f "$record"
    (cd "$PACKAGE" && start_in_desktop Glmr5.exe -record "$(winepath -w "$record")" -doc Minta.glm)
    wait_for_line 20 "$record" "start [0-9]*" || fail "the stand-in did not start"
    robot windows
    (cd "$PACKAGE" && start_in_desktop setup.exe)

    say "setup.exe asks about the running copy (message 1)"
    robot box 20000 || fail "no question from setup.exe"
    screenshot running-copy-question

    say "The robot answers Igen (Yes)"
    robot answer yes 10000 || fail "the question could not be answered"
    # The copy is terminated 10 ms after the request, whether it has taken it from its queue or not.
    wait_for_line 5 "$record" "WM_CLOSE 1001" || echo "(the copy was terminated before it saw the request)"
    echo "the copy recorded: $(tr -d '\r' < "$record" | tr '\n' ';' | sed 's/;$//; s/;/; /g')"
    local n
    for ((n = 0; n < 100; n++)); do
        [ -z "$(robot windows)" ] && break
        sleep 0.1
    done
    [ -z "$(robot windows)" ] || fail "a Glimra window is still open: $(robot windows)"
    echo "the copy is closed: no Glimra window is left"
}

STEPS=(step_build step_start_wine step_assemble_package step_running_copy_question)

for step in "${STEPS[@]}"; do "$step"; done

say "Done"
echo "package:    $PACKAGE"
echo "screenshot: $DEMO/running-copy-question.png"
