#!/usr/bin/env python3
"""Writes the package manager's manifest of a release in the multi-file form (schema 1.10.0): the
version, installer and default-locale files, into one folder.

    winget-manifest.py --package FOLDER --glmpack GLMPACK --bundle SIGNED_BUNDLE --out FOLDER

The version is the file version of the package's Glmr5.exe; the entry in the list of installed
programs (DisplayName, Publisher, DisplayVersion) is what the setup writes, as glmpack plan shows
it; InstallerSha256 is the signed bundle's. InstallerUrl comes from GLM_RELEASE_URL, a placeholder
without it (and the output says so)."""
import argparse
import hashlib
import os
import re
import struct
import subprocess
import sys

IDENTIFIER = "Orvane.Glimra5"
MANIFEST_VERSION = "1.10.0"
LOCALE = "hu-HU"
PLACEHOLDER_URL = "https://www.orvane.example/download/Glimra5-setup.exe"
UNINSTALL_KEY = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5"
# The version block's fixed part begins with this signature; the file version follows it.
FIXED_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def file_version(path):
    data = open(path, "rb").read()
    at = data.find(FIXED_INFO_SIGNATURE)
    if at < 0:
        sys.exit("winget-manifest: %s has no version block" % path)
    most, least = struct.unpack_from("<II", data, at + 8)
    return "%d.%d.%d.%d" % (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)


def uninstall_entry(glmpack, package):
    """The values the setup writes into its uninstall entry, from glmpack's plan of a silent installation."""
    plan = subprocess.run([glmpack, "plan", package], stdout=subprocess.PIPE, check=True).stdout.decode("utf-8")
    values = {}
    for line in plan.splitlines():
        text = line.strip()
        if not text.startswith("set value"):
            continue
        rest = text[len("set value"):].strip()
        if rest.startswith(UNINSTALL_KEY + " "):
            name, _, value = rest[len(UNINSTALL_KEY) + 1:].partition(" = ")
            values[name] = value[1:-1]
    missing = [name for name in ("DisplayName", "Publisher", "DisplayVersion") if name not in values]
    if missing:
        sys.exit("winget-manifest: glmpack plan shows no %s" % ", ".join(missing))
    return values


def scalar(value):
    """A YAML scalar: numbers as they are, a text plain where YAML reads it back as that text,
    else quoted."""
    if isinstance(value, int):
        return str(value)
    plain = (re.fullmatch(r"[^\W\d_][\w .,()/:+-]*", value) and ": " not in value and not value.endswith(":")
             and value.lower() not in ("true", "false", "yes", "no", "on", "off", "null", "y", "n"))
    if plain:
        return value
    if "'" not in value:
        return "'" + value + "'"
    return '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'


def emit(value, indent=0):
    """Block-style YAML of dictionaries, lists and scalars."""
    pad = " " * indent
    lines = []
    if isinstance(value, dict):
        for key, item in value.items():
            if isinstance(item, (dict, list)):
                lines.append("%s%s:" % (pad, key))
                lines += emit(item, indent + 2)
            else:
                lines.append("%s%s: %s" % (pad, key, scalar(item)))
    else:
        for item in value:
            if isinstance(item, dict):
                inner = emit(item, indent + 2)
                lines.append(pad + "- " + inner[0][indent + 2:])
                lines += inner[1:]
            else:
                lines.append("%s- %s" % (pad, scalar(item)))
    return lines


def write(folder, name, kind, document):
    text = "# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.%s.schema.json\n\n" % (kind, MANIFEST_VERSION)
    text += "\n".join(emit(document)) + "\n"
    path = os.path.join(folder, name)
    open(path, "w", encoding="utf-8", newline="\n").write(text)
    return path


def main():
    parser = argparse.ArgumentParser()
    for name in ("package", "glmpack", "bundle", "out"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()
    version = file_version(os.path.join(args.package, "Glmr5.exe"))
    entry = uninstall_entry(args.glmpack, args.package)
    digest = hashlib.sha256(open(args.bundle, "rb").read()).hexdigest().upper()
    url = os.environ.get("GLM_RELEASE_URL", "")
    if not url:
        url = PLACEHOLDER_URL
        print("winget-manifest: InstallerUrl is the placeholder %s (set GLM_RELEASE_URL to the bundle's address)" % url)
    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    os.makedirs(args.out, exist_ok=True)
    written = [
        write(args.out, IDENTIFIER + ".yaml", "version", dict(common, DefaultLocale=LOCALE,
                                                             ManifestType="version", ManifestVersion=MANIFEST_VERSION)),
        write(args.out, IDENTIFIER + ".installer.yaml", "installer", dict(
            common,
            InstallerType="exe",
            Scope="machine",
            InstallModes=["interactive", "silent"],
            # "-install -s", never a bare "-s", which still asks about a running copy of Glimra.
            InstallerSwitches={"Silent": "-install -s", "SilentWithProgress": "-install -s",
                               "Log": '-log "<LOGPATH>"', "InstallLocation": '-instdir "<INSTALLPATH>"'},
            InstallerSuccessCodes=[3010],
            ExpectedReturnCodes=[{"InstallerReturnCode": 1602, "ReturnResponse": "cancelledByUser"},
                                 {"InstallerReturnCode": 1618, "ReturnResponse": "installInProgress"},
                                 {"InstallerReturnCode": 3010, "ReturnResponse": "rebootRequiredToFinish"}],
            AppsAndFeaturesEntries=[{"DisplayName": entry["DisplayName"], "Publisher": entry["Publisher"],
                                     "DisplayVersion": entry["DisplayVersion"]}],
            Installers=[{"Architecture": "x86", "InstallerUrl": url, "InstallerSha256": digest}],
            ManifestType="installer", ManifestVersion=MANIFEST_VERSION)),
        write(args.out, IDENTIFIER + ".locale." + LOCALE + ".yaml", "defaultLocale", dict(
            common,
            PackageLocale=LOCALE,
            Publisher=entry["Publisher"],
            PackageName=entry["DisplayName"],
            License="Kereskedelmi licenc (lásd a telepítő licencszerződését)",
            ShortDescription="Képernyőrögzítő alkalmazás: képek és videók a képernyőről.",
            ManifestType="defaultLocale", ManifestVersion=MANIFEST_VERSION)),
    ]
    print("winget-manifest: %s %s, InstallerSha256 %s:\n  %s" % (IDENTIFIER, version, digest, "\n  ".join(written)))


if __name__ == "__main__":
    main()
