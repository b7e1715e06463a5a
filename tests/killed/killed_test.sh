#!/usr/bin/env bash
# killed_test.sh SETUP_EXE APP_EXE RESLIB_DLL SAMPLE_PACKAGE [every]
# Runs killed at moments spread over them, as a deployment tool's time limit or a power cut kills
# them: every process of the prefix at once (wineserver -k), once the run log has reached a given
# line. A silent installation, then a silent uninstall. After each kill:
#   - no file of the application is on the disk without the uninstall entry and its whole
#     uninstaller (the installation folder may hold only the log and the uninstaller);
#   - the repair ends with 0 and leaves what a run that was never killed leaves: every file the
#     package's, the same installation log, the same uninstall entry (the repair after a killed
#     installation is setup.exe -s; after a killed uninstall it is the entry's quiet uninstall
#     command, or the package's setup.exe -s first when the entry or its uninstaller is gone);
#   - the uninstall after it leaves nothing of the product.
# Five moments of each run, or with "every" one moment for each line of the run log.
# Runs in the configuration's prefix, with its display and wineserver (as make test sets them up).
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../tools/env.sh"
select_config "${GLM_CONFIG:?run by make test or tools/killtest.sh}" || exit 1
SETUP_EXE=$1 APP_EXE=$2 RESLIB=$3 SAMPLE=$4 EVERY=${5:-}

DRIVE=$WINEPREFIX/drive_c
ROOT_DIR=$DRIVE/glmkill
PKG=$ROOT_DIR/pkg
INST=$ROOT_DIR/apps/Glimra\ 5
RUN_LOG=$ROOT_DIR/run.log
UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Glimra 5'
failures=0

fail() { echo "FAIL $*"; failures=$((failures + 1)); }
# "ok" for a moment that added no failure, with the line the killed run's log stopped at.
report() { [ "$failures" -eq "$1" ] && echo "ok   $2 (it stopped after line $STOPPED)"; }
lines() { [ -f "$RUN_LOG" ] && wc -l <"$RUN_LOG" || echo 0; }

# The uninstall entry as Wine's own reg prints it; empty when there is none.
entry() {
    local out
    out=$(wine reg query "$UNINSTALL_KEY" $(reg_view) </dev/null 2>/dev/null) || return 0
    tr -d '\r' <<<"$out" | grep -v '^$'
}
entry_value() { entry | sed -n "s/^    $1    REG_SZ    //p"; }

install_silently() { wine "C:\\glmkill\\pkg\\setup.exe" -s -instdir 'C:\glmkill\apps' -log 'C:\glmkill\run.log' </dev/null >/dev/null 2>&1; }
# The entry's quiet uninstall command ("<uninstaller>" -s), run as a tool runs it: the tool waits
# for the uninstaller; here the removal copy's last steps after it are waited for as well.
uninstall_from_entry() {
    local command program status
    command=$(entry_value QuietUninstallString)
    [[ $command =~ ^\"([^\"]+)\"\ (.*)$ ]] || return 1
    program=${BASH_REMATCH[1]}
    wine "$program" ${BASH_REMATCH[2]} -log 'C:\glmkill\run.log' </dev/null >/dev/null 2>&1
    status=$?
    # "glm[k]ill": this pgrep's own command line must not match the slow motion's 'glmkill', which
    # would stop and kill it.
    for _ in $(seq 200); do pgrep -f 'delself .*glm[k]ill' >/dev/null || break; sleep 0.05; done
    return $status
}

# The product's shortcuts and group folders anywhere in the prefix's shell folders.
shortcuts() { find "$DRIVE" \( -path '*Start Menu*' -o -path '*Desktop*' \) -name 'Glimra 5*' 2>/dev/null | sort; }

# What an installation that was never killed leaves: files, log, entry, shortcuts.
snapshot() {
    (cd "$INST" 2>/dev/null && find . -type f | sort | xargs -d '\n' md5sum)
    entry
    shortcuts
}

nothing_left() {
    local what=$1
    [ -e "$INST" ] && fail "$what: the installation folder is left: $(ls "$INST" | tr '\n' ' ')"
    [ -n "$(entry)" ] && fail "$what: the uninstall entry is left"
    [ -n "$(shortcuts)" ] && fail "$what: shortcuts are left: $(shortcuts | tr '\n' ' ')"
    wine reg query 'HKLM\SOFTWARE\Orvane' $(reg_view) </dev/null >/dev/null 2>&1 && fail "$what: HKLM\\SOFTWARE\\Orvane is left"
}

# Runs the command in the background in slow motion until its log has `line` lines (or until it
# ended before), then kills its processes and every other process of the prefix at once. Slow
# motion: the run's processes (every process whose command line names the test folder: the setup,
# the uninstaller, its removal copy) are kept stopped and let go for a fraction of a millisecond at
# a time, so that the kill comes right after the line however fast the steps follow one another.
# Then the prefix's server is brought back, away from the test runner's output, which Wine's
# services would otherwise keep open.
kill_at() {
    local line=$1 pause pids logged step
    shift
    rm -f "$RUN_LOG"
    exec {pause}<> <(:)
    "$@" &
    local run=$!
    pids=
    while kill -0 "$run" 2>/dev/null; do
        # Stopped first, then looked for anew while they stand still: a process started in the
        # last moment (the removal copy) is stopped too.
        [ -n "$pids" ] && kill -STOP $pids 2>/dev/null
        pids=$(pgrep -f 'glmkill')
        [ -n "$pids" ] && kill -STOP $pids 2>/dev/null
        logged=()
        [ -f "$RUN_LOG" ] && mapfile -t logged <"$RUN_LOG"
        [ ${#logged[@]} -ge "$line" ] && break
        # Longer steps while Wine starts the program, before its first line.
        step=0.005
        [ ${#logged[@]} -gt 0 ] && step=0.0003
        [ -n "$pids" ] && kill -CONT $pids 2>/dev/null
        read -r -t "$step" -u "$pause"
    done
    pkill -KILL -f 'glmkill'
    wineserver -k
    wait "$run" 2>/dev/null
    exec {pause}<&-
    STOPPED=$(lines)
    start_wineserver </dev/null >/dev/null 2>&1
}

# No file of the application without the entry and its whole uninstaller.
check_no_orphans() {
    local what=$1 others uninstaller
    [ -d "$INST" ] || return 0
    others=$(cd "$INST" && find . -type f ! -name GlmUnInst.log ! -name GlmUnInst.exe | head -3)
    [ -z "$others" ] && return 0
    uninstaller=$(entry_value UninstallString)
    [ -n "$uninstaller" ] || { fail "$what: files without the uninstall entry: $others"; return; }
    cmp -s "$INST/GlmUnInst.exe" "$PKG/GlmUnInst.exe" || fail "$what: the entry's uninstaller is not whole"
}

check_repaired() {
    local what=$1 code=$2
    [ "$code" -eq 0 ] || fail "$what: the repair ended with code $code (mod 256)"
    [ "$(snapshot)" = "$REFERENCE" ] || fail "$what: the repaired installation differs: $(diff <(echo "$REFERENCE") <(snapshot) | head -5 | tr '\n' ' ')"
}

# The moments: every line of a whole run's log, or five spread over it.
moments() {
    local total=$1
    if [ -n "$EVERY" ]; then seq 1 "$total"; else for k in 1 3 5 7 9; do echo $(( (total * k + 9) / 10 )); done | uniq; fi
}

# The package, and a whole installation and uninstall for reference.
remove_earlier_installation
rm -rf "$ROOT_DIR"
mkdir -p "$PKG" "$ROOT_DIR/apps"
cp -r "$SAMPLE"/. "$PKG"/
cp "$SETUP_EXE" "$PKG/setup.exe"
cp "$SETUP_EXE" "$PKG/GlmUnInst.exe"
cp "$APP_EXE" "$PKG/Glmr5.exe"
cp "$RESLIB" "$PKG/GlmRes5.dll"
rm -f "$RUN_LOG"
install_silently || { echo "killed: the reference installation failed"; exit 1; }
REFERENCE=$(snapshot)
INSTALL_LINES=$(lines)
rm -f "$RUN_LOG"
uninstall_from_entry || { echo "killed: the reference uninstall failed"; exit 1; }
UNINSTALL_LINES=$(lines)
nothing_left "reference uninstall"
echo "killed: a whole installation logs $INSTALL_LINES lines, a whole uninstall $UNINSTALL_LINES"

for line in $(moments "$INSTALL_LINES"); do
    what="installation killed at log line $line"
    before=$failures
    kill_at "$line" install_silently
    check_no_orphans "$what"
    install_silently; check_repaired "$what" $?
    uninstall_from_entry || fail "$what: the uninstall after the repair failed"
    nothing_left "$what"
    report "$before" "$what"
done

for line in $(moments "$UNINSTALL_LINES"); do
    what="uninstall killed at log line $line"
    before=$failures
    install_silently || fail "$what: the installation before it failed"
    kill_at "$line" uninstall_from_entry
    if [ -n "$(entry)" ] && [ -f "$INST/GlmUnInst.exe" ]; then
        uninstall_from_entry || fail "$what: running the entry's command again failed"
    else
        install_silently; check_repaired "$what (setup.exe -s first)" $?
        uninstall_from_entry || fail "$what: the uninstall after the repair failed"
    fi
    nothing_left "$what"
    report "$before" "$what"
done

rm -rf "$ROOT_DIR"
echo "killed: $failures failed"
[ $failures -eq 0 ]
