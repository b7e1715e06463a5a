#!/usr/bin/env python3
"""glmpack check over a table of packages, one fault a row: the sample package changed in one
place. Each row is checked by the native build and by the Windows build under Wine; both must
report exactly the row's errors (member, line, beginning of the text), at least its warnings,
the same output line for line, and the row's exit code."""
import argparse
import os
import shutil
import subprocess
import sys

SCRIPT = "GlmUnInst.log"


def set_line(number, text):
    """Replaces line `number` (from 1) of the install script with the bytes."""
    def change(pkg):
        path = os.path.join(pkg, SCRIPT)
        lines = open(path, "rb").read().split(b"\r\n")
        lines[number - 1] = text
        open(path, "wb").write(b"\r\n".join(lines))
    return change


def append_line(text):
    def change(pkg):
        with open(os.path.join(pkg, SCRIPT), "ab") as script:
            script.write(text + b"\r\n")
    return change


def remove(name):
    return lambda pkg: os.remove(os.path.join(pkg, name))


def write(name, data):
    def change(pkg):
        open(os.path.join(pkg, name), "wb").write(data)
    return change


def both(*changes):
    def change(pkg):
        for one in changes:
            one(pkg)
    return change


def unchanged(pkg):
    pass


def ERR(member, line, text):
    return ("error", member, line, text)


def WARN(member, line, text):
    return ("warning", member, line, text)


# name, change, exit code, diagnostics (errors exactly, warnings at least)
ROWS = [
    ("sample", unchanged, 0, []),
    ("letter_case", set_line(7, b"File copy: readme.txt"), 1,
     [ERR(SCRIPT, 7, 'not a record: "File copy:" is not "File Copy:" (letter case)'),
      WARN("readme.txt", 0, "shipped, but no line of the script installs it"),
      WARN(SCRIPT, 0, "no line installs readme.txt, which a shortcut of the program group opens")]),
    ("leading_blank", set_line(6, b" File Copy: Glmr5Man.chm"), 1,
     [ERR(SCRIPT, 6, 'not a record: a blank comes before "File Copy:"')]),
    ("parent_element", set_line(8, b"File Copy: ..\\HomePage.url"), 1,
     [ERR(SCRIPT, 8, 'the setup refuses the name "..\\HomePage.url" (a ".." element)')]),
    ("rooted_name", set_line(8, b"File Copy: \\HomePage.url"), 1,
     [ERR(SCRIPT, 8, 'the setup refuses the name "\\HomePage.url" (rooted)')]),
    ("drive_name", set_line(11, b"File Del: C:\\Windows\\win.ini"), 1,
     [ERR(SCRIPT, 11, 'the setup refuses the name "C:\\Windows\\win.ini" (a drive or ":")')]),
    ("source_missing", set_line(6, b"File Copy: Glmr5Mann.chm"), 1,
     [ERR(SCRIPT, 6, '"Glmr5Mann.chm" is not in the package')]),
    ("pattern_matches_nothing", set_line(10, b"File Copy: Minta\\*.gml"), 1,
     [ERR(SCRIPT, 10, 'the pattern "Minta\\*.gml" matches no file of the package')]),
    ("sub_folder_not_made", set_line(9, b"; Make Dir: Minta"), 1,
     [ERR(SCRIPT, 10, 'no earlier "Make Dir: " line made the sub-folder "Minta"')]),
    ("utf8_name", both(append_line("File Copy: Bővebben.txt".encode("utf-8")), write("Bővebben.txt", b"x")), 1,
     [ERR(SCRIPT, 12, 'the line is UTF-8: the setup reads "BĹ‘vebben.txt" in code page 1250, not "Bővebben.txt"'),
      ERR(SCRIPT, 12, '"BĹ‘vebben.txt" is not in the package'),
      WARN("Bővebben.txt", 0, "shipped, but no line of the script installs it")]),
    ("long_line", set_line(2, b";" + b"x" * 510 + b"File Del: *.*"), 1,
     [ERR(SCRIPT, 2, "the line is longer than the 511 bytes the setup reads at a time")]),
    ("setup_missing", remove("setup.exe"), 1, [ERR("setup.exe", 0, "missing: the package has no setup program")]),
    ("uninstaller_differs", write("GlmUnInst.exe", b"MZ another program"), 1,
     [ERR("GlmUnInst.exe", 0, "is not byte-identical to setup.exe")]),
    ("no_version", None, 1,  # the stand-in built without a version block, filled in by main
     [ERR("Glmr5.exe", 0, "has no version resource: every installation stops with the damaged-package message")]),
    ("script_missing", remove(SCRIPT), 1,
     [ERR(SCRIPT, 0, "missing: every installation stops with the damaged-package message")]),
    ("licence_missing", remove("agreement.txt"), 1, [ERR("agreement.txt", 0, "missing: the wizard's licence page stays empty")]),
    ("file_nothing_installs", write("extra.dat", b"x"), 0,
     [WARN("extra.dat", 0, "shipped, but no line of the script installs it")]),
]


def parse(output, folder):
    """Diagnostic lines as (severity, member, line, text); the member relative to the folder,
    with "/" between sub-folders; the summary line apart."""
    diagnostics, summary = [], None
    for raw in output.splitlines():
        location, _, rest = raw.partition(": ")
        severity, _, text = rest.partition(": ")
        if severity not in ("error", "warning"):
            summary = raw
            continue
        member, _, line = location.replace("\\", "/").partition(":")
        assert member.startswith(folder + "/"), raw
        diagnostics.append((severity, member[len(folder) + 1:], int(line or 0), text))
    return diagnostics, summary


def compare(row, expected, diagnostics):
    """The problems of one build's report, as texts."""
    problems = []
    wanted_errors = [e for e in expected if e[0] == "error"]
    found_errors = [d for d in diagnostics if d[0] == "error"]
    for want in expected:
        if not any(d[:3] == want[:3] and d[3].startswith(want[3]) for d in diagnostics):
            problems.append("missing %s" % (want,))
    for found in found_errors:
        if not any(found[:3] == want[:3] and found[3].startswith(want[3]) for want in wanted_errors):
            problems.append("unexpected %s" % (found,))
    return problems


def run(command, cwd):
    done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
    return done.returncode, done.stdout.decode("utf-8", "replace").replace("\r", "")


def main():
    parser = argparse.ArgumentParser()
    for name in ("build-native", "native", "windows", "setup", "app", "noversion", "reslib", "sample", "work"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--emulator", nargs="+", required=True)
    args = parser.parse_args()
    # The programs run in each row's folder.
    for name in ("build_native", "native", "windows", "setup", "app", "noversion", "reslib", "sample", "work"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    args.emulator[0] = os.path.abspath(args.emulator[0])

    if subprocess.run([args.build_native, args.native]).returncode != 0:
        print("FAIL: the native build failed")
        return 1
    builds = {"native": [args.native], "windows": args.emulator + [args.windows]}

    shutil.rmtree(args.work, ignore_errors=True)
    clean = os.path.join(args.work, "clean")
    shutil.copytree(args.sample, clean)
    for source, name in ((args.setup, "setup.exe"), (args.setup, "GlmUnInst.exe"), (args.app, "Glmr5.exe"),
                         (args.reslib, "GlmRes5.dll")):
        shutil.copyfile(source, os.path.join(clean, name))

    failures = 0
    for name, change, code, expected in ROWS:
        folder = os.path.join(args.work, name)
        shutil.copytree(clean, os.path.join(folder, "pkg"))
        if change is None:
            shutil.copyfile(args.noversion, os.path.join(folder, "pkg", "Glmr5.exe"))
        else:
            change(os.path.join(folder, "pkg"))
        outputs = {}
        for build, command in builds.items():
            status, output = run(command + ["check", "pkg"], folder)
            diagnostics, summary = parse(output, "pkg")
            problems = compare(name, expected, diagnostics)
            if status != code:
                problems.append("exit code %d, not %d" % (status, code))
            if not summary or not summary.startswith("pkg: "):
                problems.append("no summary line")
            if problems:
                failures += 1
                print("FAIL: %s (%s build):\n  %s\n  output:\n%s" % (name, build, "\n  ".join(problems), output))
            outputs[build] = (status, sorted(diagnostics), summary)
        if outputs["native"] != outputs["windows"]:
            failures += 1
            print("FAIL: %s: the native and the Windows build disagree:\n  %s\n  %s" % (name, outputs["native"], outputs["windows"]))
        else:
            print("ok: %s (exit %d, %s)" % (name, code, outputs["native"][2]))

    # Usage errors and a folder that cannot be read end with 2, in both builds.
    for arguments in (["check"], ["check", "no-such-folder"]):
        for build, command in builds.items():
            status, _ = run(command + arguments, os.path.join(args.work, "sample"))
            if status != 2:
                failures += 1
                print("FAIL: %s (%s build) ended with %d, not 2" % (" ".join(arguments), build, status))
    print("%d rows, %d failures" % (len(ROWS), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
