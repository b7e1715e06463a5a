#!/usr/bin/env bash
# make bench: sizes and timings of the release setup program against the peer installer (an NSIS
# installer and uninstaller of the same files, shortcuts and registry values, built by Debian's
# makensis) and against plain programs of ours doing the same physical work, inside one Wine prefix
# and display. Each figure is the median of RUNS runs (BENCH_RUNS=n; 6 by default, so that each
# side starts two runs): the sides are timed in turn, each run starting with the next side (A B C,
# B C A, C A B), each as a whole process started by benchtool. The work folder is in memory where
# there is room (BENCH_ON_DISK=1 puts it on the prefix's disk). Prints one table and keeps it in
# build/bench/results.md. Then the download: the bundle Glimra5-setup.exe against an NSIS installer
# of the same package compressed with solid LZMA, their sizes, the start to the first wizard page and
# the silent installation. The timings run the x86 build in a 32-bit prefix where this machine runs
# 32-bit programs, else the x64 build (GLM_CONFIG=x86|wow64|x64 chooses); the sizes are those of
# both builds, since both are cross-built everywhere.
set -uo pipefail
"$(dirname "$0")/bootstrap.sh" && "$(dirname "$0")/bootstrap.sh" --bench ||
    { echo "bench: installing the toolchain, Wine and the peer installer failed" >&2; exit 1; }
source "$(dirname "$0")/env.sh"
RUNS=${BENCH_RUNS:-6}
FILES=${BENCH_FILES:-2000}
OUT=$BUILD_ROOT/bench

select_runnable_config || exit 1
DRIVE=$WINEPREFIX/drive_c
WORK=$DRIVE/glmbench
MEMORY_WORK=

for target in x86 x64; do
    [ "$target" = "$GLM_TARGET" ] && continue
    "$ROOT/tools/configure.sh" "$target" --target setup GlmRes5 Glmr5 glmstub >/dev/null || { echo "bench: the $target build failed" >&2; exit 1; }
done
"$ROOT/tools/configure.sh" "$GLM_TARGET" >/dev/null || { echo "bench: the build failed" >&2; exit 1; }
start_display || exit 1
cleanup() { stop_wineserver; stop_display; rm -rf "$WORK" ${MEMORY_WORK:+"$MEMORY_WORK"}; }
trap cleanup EXIT
ensure_prefix || { echo "bench: the Wine prefix could not be made" >&2; exit 1; }
start_wineserver
remove_earlier_installation
mkdir -p "$OUT"

winpath() { local p=${1//\//\\}; echo "Z:$p"; }
TOOL=$BUILD/bench/benchtool.exe
PLAINCOPY=$(winpath "$BUILD/bench/plaincopy.exe")
PLAINDELETE=$(winpath "$BUILD/bench/plaindelete.exe")
SETUPBENCH=$BUILD/bench/setupbench.exe
NSIS_TARGET=x86-unicode
[ "$GLM_TARGET" = x64 ] && NSIS_TARGET=amd64-unicode
MINDIALOG=$(winpath "$BUILD/bench/mindialog.exe")

# One timing: the program's last output line, a number of milliseconds. The output goes through a
# file: programs that the measured one starts may hold a pipe open long after it ended. The disk's
# write-back of the side before is finished first, so that no side pays for another's writes.
timed() {
    sync
    wine "$@" </dev/null >"$OUT/timing.txt" 2>/dev/null
    tr -d '\r' <"$OUT/timing.txt" | tail -1
}
median() { printf '%s\n' "$@" | LC_ALL=C sort -g | LC_ALL=C awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { LC_ALL=C awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
fail() { echo "bench: $*" >&2; exit 1; }
number() { [[ "$1" =~ ^[0-9]+(\.[0-9]+)?$ ]] || fail "$2 gave no time (\"$1\")"; }

# C:\glmbench, in memory when /dev/shm has room for the package, the peer installer and three
# installations. On the disk, what ran before changes what a side pays: ext4 without a journal
# skips every inode freed in the last minute when it makes a file, so a side that makes 2,000
# files just after others deleted thousands pays for their deletions. In memory each side pays
# only for its own work.
place_work_folder() {
    rm -rf "$WORK"
    local free_kb
    free_kb=$(df --output=avail -k /dev/shm 2>/dev/null | tail -1)
    if [ "${BENCH_ON_DISK:-0}" != 1 ] && [ "${free_kb:-0}" -gt $((FILES * 600)) ]; then
        MEMORY_WORK=$(mktemp -d /dev/shm/glmbench.XXXXXX) || fail "no work folder in /dev/shm"
        ln -s "$MEMORY_WORK" "$WORK"
        WORK_STORE="in memory (/dev/shm)"
        return
    fi
    mkdir -p "$WORK"
    WORK_STORE="on the prefix's disk ($(df --output=fstype "$DRIVE" | tail -1))"
}

# The package: setup.exe, the stand-in Glmr5.exe, FILES files of 1 KB to 64 KB in the package
# folder and four sub-folders, and the install script that names them.
make_package() {
    place_work_folder
    mkdir -p "$WORK/pkg" "$WORK/out"
    cp "$BUILD/setup.exe" "$BUILD/sample/Glmr5.exe" "$WORK/pkg/"
    python3 - "$WORK/pkg" "$FILES" <<'PY'
import os, random, sys
folder, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(5406)
subs = ["", "d1", "d2", "d3", "d4"]
for sub in subs[1:]:
    os.makedirs(os.path.join(folder, sub), exist_ok=True)
for i in range(count):
    sub = subs[i % len(subs)]
    size = rng.randint(1024, 64 * 1024)
    with open(os.path.join(folder, sub, "file%05d.dat" % i), "wb") as f:
        f.write(rng.randbytes(size))
lines = ["File Copy: Glmr5.exe", "File Copy: *.dat"]
for sub in subs[1:]:
    lines += ["Make Dir: " + sub, "File Copy: %s\\*.dat" % sub]
with open(os.path.join(folder, "GlmUnInst.log"), "w", newline="\r\n") as f:
    f.write("\n".join(lines) + "\n")
PY
    make_peer_installer
}

# What both peer installers do besides placing their files: the uninstaller, the program group
# with four shortcuts, the desktop shortcut (and with "startup" the Startup one), the same nine
# registry values as the setup, under names of their own (GlmNsis) so that neither side sees the
# other's installation, and an uninstall section that removes all.
peer_common() {
    local run='SOFTWARE\Microsoft\Windows\CurrentVersion' startup=
    [ "${1:-}" = startup ] && startup='CreateShortcut "$SMSTARTUP\GlmNsis.lnk" "$INSTDIR\Glmr5.exe"'
    cat <<NSI
  WriteUninstaller "\$INSTDIR\uninst.exe"
  CreateDirectory "\$SMPROGRAMS\GlmNsis"
  CreateShortcut "\$SMPROGRAMS\GlmNsis\GlmNsis.lnk" "\$INSTDIR\Glmr5.exe"
  CreateShortcut "\$SMPROGRAMS\GlmNsis\Help.lnk" "\$INSTDIR\Glmr5Man.chm"
  CreateShortcut "\$SMPROGRAMS\GlmNsis\Readme.lnk" "\$INSTDIR\readme.txt"
  CreateShortcut "\$SMPROGRAMS\GlmNsis\Uninstall.lnk" "\$INSTDIR\uninst.exe"
  CreateShortcut "\$DESKTOP\GlmNsis.lnk" "\$INSTDIR\Glmr5.exe"
  $startup
  WriteRegStr HKLM "SOFTWARE\GlmNsis\Settings" "AllUsers" "B"
  WriteRegStr HKLM "SOFTWARE\GlmNsis\Settings" "Path" "\$INSTDIR"
  WriteRegStr HKLM "$run\App Paths\GlmNsis.exe" "" "\$INSTDIR\Glmr5.exe"
  WriteRegStr HKLM "$run\Uninstall\GlmNsis" "Contact" "Support"
  WriteRegStr HKLM "$run\Uninstall\GlmNsis" "DisplayName" "GlmNsis"
  WriteRegStr HKLM "$run\Uninstall\GlmNsis" "DisplayVersion" "5"
  WriteRegStr HKLM "$run\Uninstall\GlmNsis" "Publisher" "Orvane Technology LLC"
  WriteRegStr HKLM "$run\Uninstall\GlmNsis" "UninstallString" "\$INSTDIR\uninst.exe"
  WriteRegStr HKLM "$run\Uninstall\GlmNsis" "URLInfoAbout" "http://www.orvane.example"
SectionEnd
Section "Uninstall"
  SetShellVarContext all
  RMDir /r "\$INSTDIR"
  Delete "\$SMPROGRAMS\GlmNsis\*.lnk"
  RMDir "\$SMPROGRAMS\GlmNsis"
  Delete "\$DESKTOP\GlmNsis.lnk"
  Delete "\$SMSTARTUP\GlmNsis.lnk"
  DeleteRegKey HKLM "SOFTWARE\GlmNsis"
  DeleteRegKey HKLM "$run\App Paths\GlmNsis.exe"
  DeleteRegKey HKLM "$run\Uninstall\GlmNsis"
SectionEnd
NSI
}

# The peer: an uncompressed NSIS installer of the same files, the same six shortcuts (four in a
# program group, desktop, Startup, for all users) and the same nine registry values.
make_peer_installer() {
    local pkg=$WORK/pkg
    cat >"$WORK/glmnsis.nsi" <<NSI
Target $NSIS_TARGET
Name "GlmNsis"
OutFile "$WORK/glmnsis.exe"
SetCompress off
RequestExecutionLevel admin
InstallDir "C:\glmbench\nsisout"
Section
  SetShellVarContext all
  SetOutPath "\$INSTDIR"
  File "$pkg/Glmr5.exe"
  File "$pkg/*.dat"
  SetOutPath "\$INSTDIR\d1"
  File "$pkg/d1/*.dat"
  SetOutPath "\$INSTDIR\d2"
  File "$pkg/d2/*.dat"
  SetOutPath "\$INSTDIR\d3"
  File "$pkg/d3/*.dat"
  SetOutPath "\$INSTDIR\d4"
  File "$pkg/d4/*.dat"
$(peer_common startup)
NSI
    makensis -V1 "$WORK/glmnsis.nsi" >"$OUT/makensis.log" 2>&1 || fail "makensis failed (log: $OUT/makensis.log)"
}

declare -a INSTALL PEER_INSTALL PLAIN_COPY UNINSTALL PEER_UNINSTALL PLAIN_DELETE
declare -a REPLAY_SMALL REPLAY_LARGE START MIN_START

# Each side must have placed, or removed, every file where it was told to: a run that worked
# elsewhere cannot pass as fast.
expect_files() {  # expect_files FOLDER COUNT WHAT
    local n=0
    [ -d "$1" ] && n=$(find "$1" -name '*.dat' | wc -l)
    [ "$n" -eq "$2" ] || fail "$3: $n of $FILES files in $1, $2 expected"
}

# The sides, each timed once and checked. The installs of a run come first, then the removals.
install_ours() {
    t=$(timed "$TOOL" run 'C:\glmbench\pkg\setup.exe' -s -instdir 'C:\glmbench\out'); number "$t" "the silent installation"
    INSTALL+=("$t")
    expect_files "$INSTALLED" "$FILES" "the installation"
}
install_peer() {
    t=$(timed "$TOOL" run 'C:\glmbench\glmnsis.exe' /S '/D=C:\glmbench\nsisout'); number "$t" "the peer installer"
    PEER_INSTALL+=("$t")
    expect_files "$PEER_INSTALLED" "$FILES" "the peer installer"
}
install_plain() {
    t=$(timed "$TOOL" run "$PLAINCOPY" 'C:\glmbench\pkg' 'C:\glmbench\plain'); number "$t" "the plain copy"
    PLAIN_COPY+=("$t")
    expect_files "$WORK/plain" "$FILES" "the plain copy"
}
remove_ours() {
    t=$(timed "$TOOL" run "$(winpath "$SETUPBENCH")" uninstall 'C:\glmbench\out\Glimra 5'); number "$t" "the uninstall"
    UNINSTALL+=("$t")
    [ ! -e "$INSTALLED" ] || fail "the uninstall left $(find "$INSTALLED" | wc -l) entries"
    # Every side installs into a folder made anew for its run (-instdir must name one that exists):
    # files of a kept folder go to the part of the disk where all those before were deleted.
    rm -rf "$WORK/out" && mkdir "$WORK/out"
}
remove_peer() {
    # "_?=" runs the uninstaller in place and waits for it, instead of a copy in the temporary folder.
    t=$(timed "$TOOL" run 'C:\glmbench\nsisout\uninst.exe' /S '_?=C:\glmbench\nsisout'); number "$t" "the peer uninstaller"
    PEER_UNINSTALL+=("$t")
    expect_files "$PEER_INSTALLED" 0 "the peer uninstaller"
    rm -rf "$PEER_INSTALLED"
}
remove_plain() {
    t=$(timed "$TOOL" run "$PLAINDELETE" 'C:\glmbench\plain'); number "$t" "the plain delete"
    PLAIN_DELETE+=("$t")
    [ ! -e "$WORK/plain" ] || fail "the plain delete left files"
}

echo "bench: package of $FILES files, $RUNS runs each"
make_package
echo "bench: work folder $WORK_STORE"
INSTALLED="$WORK/out/Glimra 5"
PEER_INSTALLED=$WORK/nsisout
SIDES=(ours peer plain)
for ((run = 0; run < RUNS; run++)); do
    for ((i = 0; i < 3; i++)); do "install_${SIDES[(run + i) % 3]}"; done
    for ((i = 0; i < 3; i++)); do "remove_${SIDES[(run + i) % 3]}"; done
    echo "bench: run $((run + 1)), install ours ${INSTALL[run]} NSIS ${PEER_INSTALL[run]} plain ${PLAIN_COPY[run]}," \
         "removal ours ${UNINSTALL[run]} NSIS ${PEER_UNINSTALL[run]} plain ${PLAIN_DELETE[run]} (ms)"
done

# Where the time of an installation goes: its steps timed one by one in-process (setupbench phases).
PHASE_NAMES=(instance-list package-check file-placement log shortcuts registry uninstall-replay uninstall-rest)
declare -A PHASES
for ((run = 1; run <= RUNS; run++)); do
    sync
    wine "$SETUPBENCH" phases 'C:\glmbench\pkg' 'C:\glmbench\out' </dev/null >"$OUT/phases.txt" 2>/dev/null
    while read -r name ms; do PHASES[$name]+="$ms "; done < <(tr -d '\r' <"$OUT/phases.txt")
    [ ! -e "$INSTALLED" ] || fail "the timed phases left $(find "$INSTALLED" | wc -l) entries"
done
for name in "${PHASE_NAMES[@]}"; do [ -n "${PHASES[$name]:-}" ] || fail "setupbench gave no time for $name"; done

for ((run = 1; run <= RUNS; run++)); do
    t=$(timed "$SETUPBENCH" replay 'C:\glmbench\replay' 2000); number "$t" "the replay of 2,000 records"
    REPLAY_SMALL+=("$t"); rm -rf "$WORK/replay"
    t=$(timed "$SETUPBENCH" replay 'C:\glmbench\replay' 20000); number "$t" "the replay of 20,000 records"
    REPLAY_LARGE+=("$t"); rm -rf "$WORK/replay"
done

# Start to the first dialog: setup.exe from a complete package (the wizard's first page) against
# the minimal dialog program.
mkdir -p "$WORK/dialog"
cp "$BUILD/setup.exe" "$BUILD/sample/Glmr5.exe" "$WORK/dialog/"
cp -r "$ROOT/sample/package/." "$WORK/dialog/"
for ((run = 1; run <= RUNS; run++)); do
    t=$(timed "$TOOL" firstwindow 'C:\glmbench\dialog\setup.exe'); number "$t" "setup.exe's first dialog"
    START+=("$t")
    FIRST_WINDOW=$(tr -d '\r' <"$OUT/timing.txt" | head -1 | iconv -f CP1250 -t UTF-8)
    t=$(timed "$TOOL" firstwindow "$MINDIALOG"); number "$t" "the minimal dialog"
    MIN_START+=("$t")
done
# The download: the package as make release assembles it, bundled by glmpack behind the stub,
# against an NSIS installer of the same application files, shortcuts and registry values with a
# licence, folder and progress page, compressed as the peer compresses smallest (solid LZMA). The
# sizes of both targets' downloads; the start to the first wizard page and the silent installation
# of this configuration's, in turns as above. Each installation is removed again, untimed.
GLMPACK=$BUILD_ROOT/native/glmpack
make_downloads() {
    "$ROOT/glmpack/build-native.sh" "$GLMPACK" || fail "glmpack could not be built"
    local target folder pkg nsis_target
    for target in x86 x64; do
        folder=$WORK/download-$target pkg=$WORK/download-$target/package
        nsis_target=x86-unicode
        [ "$target" = x64 ] && nsis_target=amd64-unicode
        "$ROOT/tools/assemble-package.sh" "$pkg" "$BUILD_ROOT/$target/setup.exe" \
            "$BUILD_ROOT/$target/resources/GlmRes5.dll" "$BUILD_ROOT/$target/sample/Glmr5.exe" || fail "no $target package"
        "$GLMPACK" bundle "$pkg" -o "$folder/Glimra5-setup.exe" --stub "$BUILD_ROOT/$target/stub/glmstub.exe" \
            >"$OUT/glmpack.log" || fail "glmpack bundle failed (log: $OUT/glmpack.log)"
        # makensis reads the licence as UTF-8 (with its byte-order mark); ours is code page 1250.
        { printf '\xef\xbb\xbf'; iconv -f CP1250 -t UTF-8 "$pkg/agreement.txt"; } >"$folder/agreement.txt"
        cat >"$folder/glmnsis-setup.nsi" <<NSI
Target $nsis_target
Name "GlmNsis"
OutFile "$folder/glmnsis-setup.exe"
SetCompressor /SOLID lzma
RequestExecutionLevel admin
InstallDir "\$PROGRAMFILES\GlmNsis"
LicenseData "$folder/agreement.txt"
Page license
Page directory
Page instfiles
Section
  SetShellVarContext all
  SetOutPath "\$INSTDIR"
  File "$pkg/Glmr5.exe"
  File "$pkg/GlmRes5.dll"
  File "$pkg/Glmr5Man.chm"
  File "$pkg/readme.txt"
  File "$pkg/HomePage.url"
  SetOutPath "\$INSTDIR\Minta"
  File "$pkg/Minta/*.glm"
$(peer_common)
NSI
        makensis -V1 "$folder/glmnsis-setup.nsi" >"$OUT/makensis.log" 2>&1 || fail "makensis failed (log: $OUT/makensis.log)"
    done
}

declare -a BUNDLE_FIRST PEER_FIRST BUNDLE_SILENT PEER_SILENT
DOWNLOAD='C:\glmbench\download-'$GLM_TARGET
first_page_ours() {
    t=$(timed "$TOOL" firstwindow "$DOWNLOAD\Glimra5-setup.exe"); number "$t" "the bundle's first page"
    BUNDLE_FIRST+=("$t")
    BUNDLE_PAGE=$(tr -d '\r' <"$OUT/timing.txt" | head -1 | iconv -f CP1250 -t UTF-8)
}
first_page_peer() {
    t=$(timed "$TOOL" firstwindow "$DOWNLOAD\glmnsis-setup.exe"); number "$t" "the NSIS installer's first page"
    PEER_FIRST+=("$t")
}
silent_ours() {
    mkdir -p "$WORK/dlout"
    t=$(timed "$TOOL" run "$DOWNLOAD\Glimra5-setup.exe" -s -instdir 'C:\glmbench\dlout'); number "$t" "the bundle's silent installation"
    BUNDLE_SILENT+=("$t")
    [ -f "$WORK/dlout/Glimra 5/Minta/pelda2.glm" ] || fail "the bundle did not install the package"
    wine "$SETUPBENCH" uninstall 'C:\glmbench\dlout\Glimra 5' </dev/null >/dev/null 2>&1
    rm -rf "$WORK/dlout"
}
silent_peer() {
    t=$(timed "$TOOL" run "$DOWNLOAD\glmnsis-setup.exe" /S '/D=C:\glmbench\dlnsis'); number "$t" "the NSIS installer's silent installation"
    PEER_SILENT+=("$t")
    [ -f "$WORK/dlnsis/Minta/pelda2.glm" ] || fail "the NSIS installer did not install the package"
    wine 'C:\glmbench\dlnsis\uninst.exe' /S '_?=C:\glmbench\dlnsis' </dev/null >/dev/null 2>&1
    rm -rf "$WORK/dlnsis"
}
make_downloads
DOWNLOAD_SIDES=(ours peer)
for ((run = 0; run < RUNS; run++)); do
    for ((i = 0; i < 2; i++)); do "first_page_${DOWNLOAD_SIDES[(run + i) % 2]}"; done
    for ((i = 0; i < 2; i++)); do "silent_${DOWNLOAD_SIDES[(run + i) % 2]}"; done
    echo "bench: download run $((run + 1)), first page bundle ${BUNDLE_FIRST[run]} NSIS ${PEER_FIRST[run]}," \
         "silent installation bundle ${BUNDLE_SILENT[run]} NSIS ${PEER_SILENT[run]} (ms)"
done
left=$(find "$DRIVE/users" -maxdepth 4 -name 'Glm5-*' 2>/dev/null | wc -l)
[ "$left" -eq 0 ] || fail "$left unpack folders were left in the temporary folder"

size() { stat -c %s "$BUILD_ROOT/$1" 2>/dev/null || echo 0; }
download_size() { stat -c %s "$WORK/download-$1/$2"; }
mi=$(median "${INSTALL[@]}"); mn=$(median "${PEER_INSTALL[@]}"); mc=$(median "${PLAIN_COPY[@]}")
mu=$(median "${UNINSTALL[@]}"); mv=$(median "${PEER_UNINSTALL[@]}"); md=$(median "${PLAIN_DELETE[@]}")
rs=$(median "${REPLAY_SMALL[@]}"); rl=$(median "${REPLAY_LARGE[@]}")
ms=$(median "${START[@]}"); mm=$(median "${MIN_START[@]}")
bf=$(median "${BUNDLE_FIRST[@]}"); pf=$(median "${PEER_FIRST[@]}")
bs=$(median "${BUNDLE_SILENT[@]}"); ps=$(median "${PEER_SILENT[@]}")
{
    echo "| Measure | Ours | Baseline | Ratio | Target |"
    echo "|---|---|---|---|---|"
    echo "| x86 setup.exe size (bytes), x64 beside it | $(size x86/setup.exe) | $(size x64/setup.exe) | | x86 at most 98304 |"
    echo "| x86 GlmRes5.dll size (bytes), x64 beside it | $(size x86/resources/GlmRes5.dll) | $(size x64/resources/GlmRes5.dll) | | |"
    echo "| silent install of $FILES files (ms) vs the NSIS installer | $mi | $mn | $(ratio "$mi" "$mn") | at most 1.0 |"
    echo "| silent install (ms) vs CopyFileA | $mi | $mc | $(ratio "$mi" "$mc") | at most 1.05 |"
    echo "| the NSIS installer (ms) vs CopyFileA | $mn | $mc | $(ratio "$mn" "$mc") | |"
    echo "| uninstall, the removal run's driver (ms) vs the NSIS uninstaller | $mu | $mv | $(ratio "$mu" "$mv") | at most 1.0 |"
    echo "| uninstall (ms) vs DeleteFileA | $mu | $md | $(ratio "$mu" "$md") | at most 1.15 |"
    echo "| replay of 20,000 vs 2,000 file records (ms) | $rl | $rs | $(ratio "$rl" "$rs") | at most 11 |"
    echo "| start to first dialog (ms) vs minimal dialog | $ms | $mm | $(ratio "$ms" "$mm") | |"
    echo "| x86 stub size (bytes), x64 beside it | $(size x86/stub/glmstub.exe) | $(size x64/stub/glmstub.exe) | | x86 at most 32768 |"
    for target in x86 x64; do
        b=$(download_size $target Glimra5-setup.exe); p=$(download_size $target glmnsis-setup.exe)
        echo "| $target download (bytes): the bundle vs the NSIS installer, solid LZMA | $b | $p | $(ratio "$b" "$p") | at most 1.0 |"
    done
    echo "| start to the first wizard page (ms): the bundle vs the NSIS installer | $bf | $pf | $(ratio "$bf" "$pf") | at most 1.0 |"
    echo "| silent installation of the package (ms): the bundle vs the NSIS installer | $bs | $ps | $(ratio "$bs" "$ps") | at most 1.0 |"
    echo
    echo "| Step of the installation, in-process (ms) | Median |"
    echo "|---|---|"
    for name in "${PHASE_NAMES[@]}"; do echo "| $name | $(median ${PHASES[$name]}) |"; done
    echo
    echo "setup.exe's first dialog: \"$FIRST_WINDOW\"; the bundle's first page: \"$BUNDLE_PAGE\"."
    echo
    echo "Timings: the $GLM_TARGET build in a ${WINEARCH#win}-bit prefix (configuration $GLM_CONFIG), work folder $WORK_STORE."
    echo "Medians of $RUNS runs, $(date -u +%Y-%m-%d), Wine $(wine --version 2>/dev/null), NSIS $(makensis -VERSION) ($NSIS_TARGET; uncompressed against setup.exe, solid LZMA against the bundle)."
} | tee "$OUT/results.md"
