#!/usr/bin/env python3
"""The package manager's manifest as make release writes it (tools/winget-manifest.py), for the
package as make release assembles it: exactly the three files of the multi-file form, each valid
YAML (read by PyYAML) naming its schema, carrying what it takes from the build; the installer's
address from GLM_RELEASE_URL, else a placeholder that the output names."""
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


NAMES = {"version": "Orvane.Glimra5.yaml", "installer": "Orvane.Glimra5.installer.yaml",
         "defaultLocale": "Orvane.Glimra5.locale.hu-HU.yaml"}


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
        expect(sorted(os.listdir(out)) == sorted(NAMES.values()), "the three files: %s" % sorted(os.listdir(out)))
        documents = {}
        for kind, name in NAMES.items():
            path = os.path.join(out, name)
            if not os.path.exists(path):
                continue
            text = open(path, encoding="utf-8").read()
            expect(text.startswith("# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.1.10.0.schema.json"
                                   % kind), "%s names its schema" % name)
            try:
                documents[kind] = yaml.safe_load(text)
            except yaml.YAMLError as error:
                expect(False, "%s is valid YAML: %s" % (name, error))
        # What the manifest takes from the build: the application's version, the bundle's digest and
        # address, and the entry the setup writes.
        for kind, document in documents.items():
            expect(document.get("ManifestType") == kind and document.get("PackageVersion") == args.version,
                   "%s: its type and Glmr5.exe's version %s" % (kind, args.version))
        installer = documents.get("installer", {})
        expect(installer.get("Installers") == [{"Architecture": "x86", "InstallerUrl": url or PLACEHOLDER,
                                                "InstallerSha256": digest}], "the bundle's address and digest")
        expect(installer.get("AppsAndFeaturesEntries") == [{"DisplayName": "Glimra 5", "Publisher": "Orvane Technology LLC",
                                                            "DisplayVersion": "5"}], "the entry the setup writes")
        # A silent run must never wait on a question, which a bare "-s" may ask.
        expect(installer.get("InstallerSwitches", {}).get("Silent") == "-install -s", "the silent switch")
    print("manifest: %d failed" % len(checks.failures))
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
