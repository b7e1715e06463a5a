"""What the host-side test scripts share: their checks, and the native glmpack with the package as
make demo and make release assemble it."""
import os
import subprocess

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


class Checks:
    """Prints each check as it is made; failures lists those that failed."""

    def __init__(self):
        self.failures = []

    def expect(self, condition, text):
        print(("ok   " if condition else "FAIL ") + text)
        if not condition:
            self.failures.append(text)


def prepare_package(build_native, native, package, setup, reslib, app):
    """Builds the native glmpack (when it is not up to date) and assembles the package; False,
    saying why, when either fails."""
    if subprocess.run([build_native, native]).returncode != 0:
        print("FAIL: the native build of glmpack failed")
        return False
    if subprocess.run([os.path.join(ROOT, "tools", "assemble-package.sh"), package, setup, reslib, app]).returncode != 0:
        print("FAIL: the package could not be assembled")
        return False
    return True
