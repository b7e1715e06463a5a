#!/usr/bin/env python3
"""The package manager's manifest as make release writes it (tools/winget-manifest.py), for the
package as make release assembles it: exactly the three files of the multi-file form, each valid
YAML (read by PyYAML) holding exactly the fields and values below; the installer's address from
GLM_RELEASE_URL, else a placeholder that the output names."""
import argparse
import hashlib
import os
import shutil
import subprocess
import sys

import yaml

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from hostpackage import ROOT, Checks, prepare_package  # noqa: E402

PLACEHOLDER = "https://www.orvane.example/download/Glimra5-setup.exe"


def expected_manifests(version, url, digest):
    common = {"PackageIdentifier": "Orvane.Glimra5", "PackageVersion": version, "ManifestVersion": "1.10.0"}
    return {
        "Orvane.Glimra5.yaml": dict(common, DefaultLocale="hu-HU", ManifestType="version"),
        "Orvane.Glimra5.installer.yaml": dict(
            common,
            InstallerType="exe",
            Scope="machine",
            InstallModes=["interactive", "silent"],
            InstallerSwitches={"Silent": "-install -s", "SilentWithProgress": "-install -s",
                               "Log": '-log "<LOGPATH>"', "InstallLocation": '-instdir "<INSTALLPATH>"'},
            InstallerSuccessCodes=[3010],
            ExpectedReturnCodes=[{"InstallerReturnCode": 1602, "ReturnResponse": "cancelledByUser"},
                                 {"InstallerReturnCode": 1618, "ReturnResponse": "installInProgress"},
                                 {"InstallerReturnCode": 3010, "ReturnResponse": "rebootRequiredToFinish"}],
            AppsAndFeaturesEntries=[{"DisplayName": "Glimra 5", "Publisher": "Orvane Technology LLC",
                                     "DisplayVersion": "5"}],
            Installers=[{"Architecture": "x86", "InstallerUrl": url, "InstallerSha256": digest}],
            ManifestType="installer"),
        "Orvane.Glimra5.locale.hu-HU.yaml": dict(
            common,
            PackageLocale="hu-HU",
            Publisher="Orvane Technology LLC",
            PackageName="Glimra 5",
            License="Kereskedelmi licenc (lásd a telepítő licencszerződését)",
            ShortDescription="Képernyőrögzítő alkalmazás: képek és videók a képernyőről.",
            ManifestType="defaultLocale"),
    }


def main():
    parser = argparse.ArgumentParser()
    for name in ("build-native", "native", "setup", "app", "reslib", "version", "work"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()
    checks = Checks()
    expect = checks.expect
    shutil.rmtree(args.work, ignore_errors=True)
    package = os.path.join(args.work, "package")
    if not prepare_package(args.build_native, args.native, package, args.setup, args.reslib, args.app):
        return 1
    bundle = os.path.join(args.work, "Glimra5-setup.exe")
    open(bundle, "wb").write(b"MZ stands in for the signed bundle")
    digest = hashlib.sha256(open(bundle, "rb").read()).hexdigest().upper()

    for url in ("", "https://downloads.orvane.example/5.40/Glimra5-setup.exe"):
        out = os.path.join(args.work, "winget")
        shutil.rmtree(out, ignore_errors=True)
        environment = dict(os.environ, GLM_RELEASE_URL=url)
        done = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "winget-manifest.py"), "--package", package,
                               "--glmpack", args.native, "--bundle", bundle, "--out", out],
                              env=environment, stdout=subprocess.PIPE)
        said = done.stdout.decode("utf-8")
        expect(done.returncode == 0, "the manifest is written (%d)" % done.returncode)
        expect(("placeholder" in said and PLACEHOLDER in said) == (url == ""),
               "the output names the placeholder exactly when GLM_RELEASE_URL is not given (%r)" % url)
        expected = expected_manifests(args.version, url or PLACEHOLDER, digest)
        expect(sorted(os.listdir(out)) == sorted(expected), "the three files: %s" % sorted(os.listdir(out)))
        for name, fields in expected.items():
            path = os.path.join(out, name)
            if not os.path.exists(path):
                continue
            text = open(path, encoding="utf-8").read()
            kind = fields["ManifestType"]
            expect(text.startswith("# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.1.10.0.schema.json"
                                   % kind), "%s names its schema" % name)
            try:
                document = yaml.safe_load(text)
            except yaml.YAMLError as error:
                expect(False, "%s is valid YAML: %s" % (name, error))
                continue
            expect(document == fields, "%s holds exactly its fields and values%s" % (
                name, "" if document == fields else ":\n  got      %r\n  expected %r" % (document, fields)))
    print("manifest: %d failed" % len(checks.failures))
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
