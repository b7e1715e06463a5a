#!/usr/bin/env bash
# Assembles a package folder, as make demo shows it and make release bundles it:
# assemble-package.sh FOLDER SETUP_EXE RESLIB_DLL APP_EXE. The folder is made anew with setup.exe,
# GlmUnInst.exe (a copy of it), GlmRes5.dll, the application as Glmr5.exe and the sample package's
# files (install script, agreement, readme, help, examples).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:?usage: assemble-package.sh FOLDER SETUP_EXE RESLIB_DLL APP_EXE}
setup=${2:?} reslib=${3:?} app=${4:?}
rm -rf "$folder"
mkdir -p "$folder"
cp "$setup" "$folder/setup.exe"
cp "$setup" "$folder/GlmUnInst.exe"
cp "$reslib" "$folder/GlmRes5.dll"
cp "$app" "$folder/Glmr5.exe"
cp -r "$ROOT/sample/package/." "$folder/"
