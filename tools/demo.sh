#!/usr/bin/env bash
# make demo: builds everything, assembles build/<target>/package/, bundles it into the download
# build/<target>/download/Glimra5-setup.exe and shows both at work under Wine, inside a Wine virtual
# desktop (captions are drawn without a window manager). Screenshots go
# to build/<target>/demo/. It runs the shipped x86 build in a 32-bit prefix where this machine runs
# 32-bit programs, else the x64 build; GLM_CONFIG=x86|wow64|x64 chooses. Each step is a function.
set -uo pipefail
"$(dirname "$0")/bootstrap.sh" || { echo "demo: installing the toolchain and Wine failed" >&2; exit 1; }
source "$(dirname "$0")/env.sh"

select_runnable_config || exit 1
CONFIG_TEXT="the $GLM_TARGET build in a ${WINEARCH#win}-bit prefix (configuration $GLM_CONFIG)"

PACKAGE=$BUILD/package
DEMO=$BUILD/demo
# What a user downloads: the bundle, and a copy of it cut off on the way.
DOWNLOAD=$BUILD/download
# The silent installation and the uninstall run in a fresh prefix of the same kind.
DEMO_PREFIX=$BUILD_ROOT/$GLM_CONFIG/demo-wine
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
# The next program started in a desktop must not meet the desktop of the one before as it closes:
# waits until no setup.exe process is left, for up to 10 s.
wait_for_setup_end() { wait_until_silent pgrep -f '^[^ ]*setup\.exe'; }
# Runs the command every 0.1 s until it prints nothing, for up to 10 s; fails when it still prints.
wait_until_silent() {
    local n
    for ((n = 0; n < 100; n++)); do
        [ -z "$("$@")" ] && return 0
        sleep 0.1
    done
    return 1
}
# Wine's reg through the registry view the setup program itself sees.
reg() { wine reg "$@" $(reg_view); }

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
    local n limit=$(( $1 * 10 ))
    for ((n = 0; n < limit; n++)); do
        [ -f "$2" ] && tr -d '\r' < "$2" | grep -qx "$3" && return 0
        sleep 0.1
    done
    return 1
}

cleanup() {
    local pid
    restore_dpi
    for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    stop_wineserver
    stop_display
}

# --- steps ---

step_build() {
    say "Building the $GLM_TARGET build: the demo runs $CONFIG_TEXT"
    "$ROOT/tools/configure.sh" "$GLM_TARGET" || fail "the build failed"
    [ -f "$STANDIN" ] || fail "the stand-in $STANDIN was not built"
}

step_start_wine() {
    start_display || fail "no display"
    trap cleanup EXIT
    ensure_prefix || fail "the Wine prefix could not be made"
    start_wineserver
    remove_earlier_installation
}

step_assemble_package() {
    say "Assembling $PACKAGE"
    rm -rf "$DEMO"
    mkdir -p "$DEMO"
    "$ROOT/tools/assemble-package.sh" "$PACKAGE" "$BUILD/setup.exe" "$BUILD/resources/GlmRes5.dll" "$STANDIN" ||
        fail "the package could not be assembled"
    (cd "$PACKAGE" && find . -type f | sort | sed 's|^\./|  |')
}

# glmpack checks the package as assembled (the native build), then a copy with three planted faults
# (the Windows build under Wine, which must say the same), and shows the plan of a silent
# installation.
step_check_package() {
    local native=$BUILD/native/glmpack faulty=$BUILD/package-faulty code
    say "glmpack check of the package (the Linux build)"
    "$ROOT/glmpack/build-native.sh" "$native" || fail "glmpack could not be built"
    (cd "$BUILD" && "$native" check package)
    code=$?
    echo "glmpack check ended with exit code $code"
    [ $code = 0 ] || fail "the sample package does not pass glmpack check"

    say "glmpack check of a copy with three faults (glmpack.exe under Wine)"
    rm -rf "$faulty"
    cp -r "$PACKAGE" "$faulty"
    echo "planted: \"File copy: \" in other letter case, a name saved as UTF-8, a GlmUnInst.exe that is not setup.exe"
    sed -i 's/^File Copy: readme.txt/File copy: readme.txt/' "$faulty/GlmUnInst.log"
    printf 'File Copy: Bővebben.txt\r\n' >>"$faulty/GlmUnInst.log"
    printf 'Bővebben' >"$faulty/Bővebben.txt"
    printf 'x' >>"$faulty/GlmUnInst.exe"
    (cd "$BUILD" && wine "$BUILD/glmpack/glmpack.exe" check package-faulty | tr -d '\r')
    code=${PIPESTATUS[0]}
    echo "glmpack.exe check ended with exit code $code"
    [ $code = 1 ] || fail "glmpack.exe did not fail on the planted faults"

    say "glmpack plan: what setup.exe -s would do with the package"
    "$native" plan "$PACKAGE"
}

# What a user downloads: glmpack bundles the package behind the stub into one program, signed
# (with the throw-away test certificate unless GLM_SIGN_CERT names one), and a copy cut off on the way.
step_bundle() {
    say "glmpack bundle: the package in one signed download, $DOWNLOAD/Glimra5-setup.exe"
    rm -rf "$DOWNLOAD"
    mkdir -p "$DOWNLOAD"
    "$BUILD/native/glmpack" bundle "$PACKAGE" -o "$DEMO/Glimra5-setup-unsigned.exe" --stub "$BUILD/stub/glmstub.exe" ||
        fail "the package could not be bundled"
    "$ROOT/tools/sign.sh" "$DEMO/Glimra5-setup-unsigned.exe" "$DOWNLOAD/Glimra5-setup.exe" || fail "the bundle could not be signed"
    local size
    size=$(stat -c %s "$DOWNLOAD/Glimra5-setup.exe")
    echo "Glimra5-setup.exe: $size bytes, signed (the stub $(stat -c %s "$BUILD/stub/glmstub.exe") bytes, the package $(du -sb "$PACKAGE" | cut -f1) bytes)"
    head -c $((size / 2)) "$DOWNLOAD/Glimra5-setup.exe" >"$DOWNLOAD/Glimra5-setup-cut.exe"
    echo "Glimra5-setup-cut.exe: the first $((size / 2)) bytes of it, as an interrupted download leaves it"
}

step_running_copy_question() {
    say "One copy of Glimra 5 runs; the downloaded Glimra5-setup.exe is started"
    local record=$DEMO/Glmr5-record.txt
    rm -f "$record"
    (cd "$PACKAGE" && start_in_desktop Glmr5.exe -record "$(winepath -w "$record")" -doc Minta.glm)
    wait_for_line 20 "$record" "start [0-9]*" || fail "the stand-in did not start"
    robot windows
    (cd "$DOWNLOAD" && start_in_desktop Glimra5-setup.exe)

    say "It unpacks the package and runs its setup.exe, which asks about the running copy (message 1)"
    robot box 20000 || fail "no question from setup.exe"
    screenshot running-copy-question

    say "The robot answers Igen (Yes)"
    robot answer yes 10000 || fail "the question could not be answered"
    # The copy has a few seconds to end after the request; only one still running then is terminated.
    wait_for_line 5 "$record" "WM_CLOSE 1001" || echo "(the copy did not record the request)"
    echo "the copy recorded: $(tr -d '\r' < "$record" | tr '\n' ';' | sed 's/;$//; s/;/; /g')"
    wait_until_silent robot windows || fail "a Glimra window is still open: $(robot windows)"
    echo "the copy is closed: no Glimra window is left"
}

URL_RECORDER=$BUILD/tests/driver/urlrecorder.exe
HTTP_KEY='HKCR\http\shell\open\command'

# The maker's page is opened at the end of an interactive installation; for the demo a small
# recording program plays the browser (the prefix's own handler is put back afterwards).
record_opened_pages() {
    cp "$URL_RECORDER" "$DEMO/urlrecorder.exe" || fail "no $URL_RECORDER"
    rm -f "$DEMO/opened.txt"
    reg export "$HTTP_KEY" "$DEMO/http-handler.reg" /y >/dev/null 2>&1 || rm -f "$DEMO/http-handler.reg"
    reg add "$HTTP_KEY" /ve /d "\"$(winepath -w "$DEMO/urlrecorder.exe")\" \"%1\"" /f >/dev/null 2>&1
}

restore_page_handler() {
    if [ -f "$DEMO/http-handler.reg" ]; then
        reg import "$DEMO/http-handler.reg" >/dev/null 2>&1
    else
        reg delete "$HTTP_KEY" /f >/dev/null 2>&1
    fi
}

# After the running copy is closed the installation run shows the wizard; the robot walks it.
# A folder where the program's file belongs makes the installation fail: the wizard says so and
# what failed first, offers no start of Glimra 5, and leaves nothing of the product behind.
step_failed_wizard_install() {
    local programs="$WINEPREFIX/drive_c/Program Files"
    [ "$GLM_CONFIG" = wow64 ] && programs="$programs (x86)"
    local blocker="$programs/Glimra 5/Glmr5.exe"
    mkdir -p "$blocker"
    say "A failed installation: a folder stands where $(winepath -w "$blocker") belongs"
    (cd "$PACKAGE" && start_in_desktop setup.exe)
    # The desktop comes with the first program started in it.
    local n
    for ((n = 0; n < 40; n++)); do robot wizard page 1003 500 2>/dev/null && break; sleep 0.5; done
    for n in 1003 1000 1005 1007 1010; do
        robot wizard page "$n" 20000 || fail "the page with control $n did not come"
        robot wizard press next || fail "Next could not be pressed"
    done
    robot wizard finished 60000 || fail "the installation did not finish"
    screenshot wizard-failed
    robot wizard press next || fail "Finish could not be pressed"
    robot wizard gone 20000 || fail "the wizard is still open"
    wait_for_setup_end
    reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Glimra 5' >/dev/null 2>&1 &&
        fail "the failed installation left its uninstall entry"
    echo "no uninstall entry is left"
    echo "left in $(winepath -w "$programs/Glimra 5"): $(cd "$programs/Glimra 5" && ls -A | tr '\n' ' ')(the blocking folder only)"
    rm -rf "$programs/Glimra 5"
}

# Walks the wizard from its first page to the ready page, a screenshot of each: wizard-<tag>1-welcome.png ...
screenshot_wizard_pages() {
    local tag=$1
    local pages=("1003 1-welcome" "1000 2-agreement" "1005 3-install-type" "1007 4-program-group" "1010 5-ready")
    local page n=0
    for page in "${pages[@]}"; do
        set -- $page
        say "Wizard page: $2"
        [ $n -gt 0 ] && { robot wizard press next || fail "Next could not be pressed"; }
        robot wizard page "$1" 20000 || fail "the page with control $1 did not come"
        screenshot "wizard-$tag$2"
        n=$((n + 1))
    done
}

DPI_KEY='HKCU\Control Panel\Desktop'
SAVED_DPI=""
# Wine draws the programs started from now on at this DPI (LogPixels); restore_dpi puts back what
# the prefix had.
set_dpi() {
    SAVED_DPI=$(wine reg query "$DPI_KEY" /v LogPixels 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_DWORD *//p')
    SAVED_DPI=${SAVED_DPI:-none}
    wine reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
restore_dpi() {
    case $SAVED_DPI in
        "") return ;;
        none) wine reg delete "$DPI_KEY" /v LogPixels /f >/dev/null 2>&1 ;;
        *) wine reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$SAVED_DPI" /f >/dev/null 2>&1 ;;
    esac
    SAVED_DPI=""
}

# The wizard at 144 DPI (150 % scaling) in a desktop of its own, page by page, then cancelled.
step_wizard_at_144_dpi() {
    local DESKTOP=demo144 DESKTOP_SIZE=1024x768 n
    say "The wizard at 144 DPI (150 %): texts, controls and the picture scaled"
    set_dpi 144
    (cd "$PACKAGE" && start_in_desktop setup.exe)
    for ((n = 0; n < 40; n++)); do robot wizard page 1003 500 2>/dev/null && break; sleep 0.5; done
    screenshot_wizard_pages 144dpi-
    say "Mégse (Cancel), and Igen (Yes) to the question"
    robot wizard press cancel || fail "Cancel could not be pressed"
    robot answer yes 10000 || fail "the cancel question could not be answered"
    robot wizard gone 20000 || fail "the wizard is still open"
    wait_for_setup_end
    restore_dpi
}

step_wizard_install() {
    record_opened_pages
    screenshot_wizard_pages ""

    say "Next on the ready page installs"
    robot wizard press next || fail "Next could not be pressed"
    robot wizard finished 60000 || fail "the installation did not finish"
    screenshot wizard-6-installed

    say "Befejezés (Finish)"
    robot wizard press next || fail "Finish could not be pressed"
    robot wizard gone 20000 || fail "the wizard is still open"
    wait_for_line 10 "$DEMO/opened.txt" '.*http://.*' && echo "the maker's page was opened: $(tr -d '\r' < "$DEMO/opened.txt")"
    restore_page_handler
}

# What an installation left in the prefix: files, shortcuts, registry values, the log.
report_installation() {
    local marker=$1 drive=$WINEPREFIX/drive_c
    local dir
    dir=$(find "$drive" -type f -name GlmUnInst.log -newer "$marker" -path '*Glimra 5*' 2>/dev/null | head -1)
    [ -n "$dir" ] || fail "no installation found in $WINEPREFIX"
    dir=$(dirname "$dir")
    echo "Files in $(winepath -w "$dir"):"
    (cd "$dir" && find . -type f | sort | sed 's|^\./|  |')
    echo "Shortcuts:"
    local links=()
    while IFS= read -r link; do links+=("$(winepath -w "$link")"); done \
        < <(find "$drive" -name '*.lnk' -newer "$marker" 2>/dev/null | sort)
    [ ${#links[@]} -gt 0 ] && wine "$ROBOT" shortcut "${links[@]}"
    echo "Registry values:"
    local key
    for key in 'HKLM\SOFTWARE\Orvane\Glimra v.5' \
               'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Glmr5.exe' \
               'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Glimra 5' \
               'HKCU\SOFTWARE\Orvane\Glimra v.5'; do
        # Wine's console programs write in the OEM code page (852 for Hungarian).
        reg query "$key" 2>/dev/null | iconv -f CP852 -t UTF-8 | tr -d '\r' | sed '/^$/d; /^reg:/d; s/^/  /'
    done
    echo "The installation log (GlmUnInst.log):"
    iconv -f CP1250 -t UTF-8 "$dir/GlmUnInst.log" | tr -d '\r' | sed 's/^/  /'
}

# The cut-off download says that it is damaged (under the setup's caption) and ends with exit code 1;
# silently it says nothing, and the run log names the fault.
step_damaged_bundle() {
    say "The cut-off download Glimra5-setup-cut.exe is started"
    (cd "$DOWNLOAD" && start_in_desktop Glimra5-setup-cut.exe)
    robot box 20000 || fail "the cut-off copy said nothing"
    screenshot bundle-damaged
    robot answer ok 10000 || fail "the message could not be answered"
    local log=$DEMO/damaged.log code
    rm -f "$log"
    (cd "$DOWNLOAD" && wine Glimra5-setup-cut.exe -s -log "$(winepath -w "$log")" </dev/null >/dev/null 2>&1)
    code=$?
    echo "Glimra5-setup-cut.exe -s ended with exit code $code; its log:"
    tr -d '\r' <"$log" | sed 's/^/  /'
}

step_silent_install() {
    say "A silent installation (Glimra5-setup.exe -s) into a fresh Wine prefix"
    stop_wineserver
    local prefix=$DEMO_PREFIX
    rm -rf "$prefix"
    (
        export WINEPREFIX=$prefix
        ensure_prefix || fail "the fresh prefix could not be made"
        start_wineserver
        touch "$DEMO/.before-silent"
        local code
        (cd "$DOWNLOAD" && timeout 120 wine Glimra5-setup.exe -s </dev/null >/dev/null 2>&1)
        code=$?
        echo "Glimra5-setup.exe -s ended with exit code $code"
        echo "unpack folders left in the temporary folder: $(find "$WINEPREFIX/drive_c/users" -maxdepth 4 -name 'Glm5-*' | wc -l)"
        say "Report of the silent installation ($CONFIG_TEXT)"
        report_installation "$DEMO/.before-silent" | tee "$DEMO/silent-install-report.txt"
        stop_wineserver
    )
}

# The resource library loads only into a host that answers its handshake with 2741.
step_resource_library() {
    say "GlmRes5.dll: the handshake and what a host can load from it"
    local record=$DEMO/glmres-record.txt answer
    for answer in 2741 0; do
        rm -f "$record"
        (cd "$PACKAGE" && exec wine Glmr5.exe -hidden -answer $answer -load GlmRes5.dll \
            -record "$(winepath -w "$record")" </dev/null >/dev/null 2>&1) &
        local host=$!
        wait_for_line 20 "$record" 'load .*' || echo "(the host did not report its load)"
        kill "$host" 2>/dev/null; wait "$host" 2>/dev/null
        echo "host answering $answer: $(tr -d '\r' < "$record" | grep -E '^(Glm5Callback|load) ' | tr '\n' ';' | sed 's/;$//; s/;/; /g')"
    done
    echo "What a host can load from GlmRes5.dll:"
    wine "$BUILD/tests/glmres/glmres_list.exe" "$(winepath -w "$PACKAGE/GlmRes5.dll")" </dev/null 2>/dev/null \
        | tr -d '\r' | sed 's/^/  /'
}

# Every process of the current prefix whose image is an uninstaller's temporary copy (uni*.tmp).
temporary_copies() { pgrep -f '\\uni[0-9A-Fa-f]*\.tmp' 2>/dev/null; }

UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Glimra 5'
PENDING_KEY='HKLM\System\CurrentControlSet\Control\Session Manager'

# What is left of the product after the uninstall, and what waits for the next start.
report_uninstall() {
    local dir=$1 drive=$WINEPREFIX/drive_c
    local unixdir
    unixdir=$(winepath -u "$dir" 2>/dev/null)
    if [ -d "$unixdir" ]; then
        echo "The installation folder $dir is still there:"
        (cd "$unixdir" && find . | sort | sed 's|^\./|  |')
    else
        echo "The installation folder $dir: gone"
    fi
    echo "Files, folders and shortcuts named after the product (Glimra 5, Glmr5*, GlmUnInst*) under C:\\:"
    local found
    found=$(find "$drive" \( -name 'Glimra 5*' -o -name 'Glmr5*' -o -name 'GlmUnInst*' \) 2>/dev/null | sort)
    if [ -n "$found" ]; then
        echo "$found" | while IFS= read -r f; do echo "  $(winepath -w "$f")"; done
    else
        echo "  none"
    fi
    echo "Registry keys of the product:"
    local key
    for key in 'HKLM\SOFTWARE\Orvane' 'HKCU\SOFTWARE\Orvane' \
               'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Glmr5.exe' "$UNINSTALL_KEY"; do
        if reg query "$key" >/dev/null 2>&1; then echo "  $key: still there"; else echo "  $key: gone"; fi
    done
    echo "Installed programs (wine uninstaller --list):"
    local programs
    programs=$(wine uninstaller --list 2>/dev/null | tr -d '\r')
    if [ -n "$programs" ]; then echo "$programs" | sed 's/^/  /'; else echo "  none"; fi
    echo "Files to delete at the next start (PendingFileRenameOperations):"
    wine reg query "$PENDING_KEY" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r' |
        sed -n 's/.*REG_MULTI_SZ *//p' | sed 's/\\0/\n/g' | sed '/^$/d; s/^/  /'
}

# The silent installation of the fresh prefix is removed again by its installed uninstaller: the
# robot answers the question (message 6) and the closing message of the temporary copy.
step_uninstall() {
    say "Uninstalling from the fresh prefix: the installed GlmUnInst.exe"
    (
        export WINEPREFIX=$DEMO_PREFIX
        start_wineserver
        local uninstaller dir n
        # The entry quotes the uninstaller's path, which holds blanks.
        uninstaller=$(reg query "$UNINSTALL_KEY" /v UninstallString 2>/dev/null | tr -d '\r"' |
                      sed -n 's/.*REG_SZ *//p')
        [ -n "$uninstaller" ] || fail "no uninstall entry in $WINEPREFIX"
        dir=${uninstaller%\\*}
        echo "uninstall entry: $uninstaller"
        echo "installed programs before: $(wine uninstaller --list 2>/dev/null | tr -d '\r' | tr '\n' ' ')"

        start_in_desktop "$uninstaller"
        say "GlmUnInst.exe asks (message 6)"
        # The virtual desktop of this prefix exists only once the uninstaller has started in it.
        for ((n = 0; n < 40; n++)); do
            robot box 500 2>/dev/null && break
            sleep 0.5
        done
        [ $n -lt 40 ] || fail "no question from the uninstaller"
        screenshot uninstall-question
        say "The robot answers Igen (Yes); the uninstaller hands over to its temporary copy"
        robot answer yes 10000 || fail "the question could not be answered"

        say "The temporary copy uninstalls and reports (message 20)"
        robot box 30000 || fail "no closing message from the temporary copy"
        echo "temporary copy: $(ps -o args= -p "$(temporary_copies | head -1)" 2>/dev/null)"
        screenshot uninstalled
        robot answer ok 10000 || fail "the closing message could not be answered"
        wait_until_silent temporary_copies || fail "the temporary copy still runs"
        echo "the temporary copy has ended"

        say "Report of the uninstall ($CONFIG_TEXT)"
        report_uninstall "$dir" | tee "$DEMO/uninstall-report.txt"
        stop_wineserver
    ) || fail "the uninstall step failed"
}

STEPS=(step_build step_start_wine step_assemble_package step_check_package step_bundle step_wizard_at_144_dpi
       step_failed_wizard_install step_running_copy_question step_wizard_install step_damaged_bundle
       step_silent_install step_resource_library step_uninstall)

for step in "${STEPS[@]}"; do "$step"; done

say "Done: $CONFIG_TEXT"
echo "package:     $PACKAGE"
echo "download:    $DOWNLOAD/Glimra5-setup.exe"
echo "screenshots: $(cd "$DEMO" && ls *.png | tr '\n' ' ')"
echo "reports:     $DEMO/silent-install-report.txt $DEMO/uninstall-report.txt"
