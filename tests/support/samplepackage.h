// A small installation package for tests: the install script and the files it names.
#pragma once
#include <string>

// The sample install script; its last line has no line end. It copies Glmr5.exe ("application v5"),
// Glmr5Man.chm, Help\*.htm (a.htm, b.htm) into the sub-folder Help, readme.src as readme.txt and
// GlmUnInst.exe, and declares old.dll obsolete.
extern const char kSamplePackageScript[];

// Writes the package into folder (created when missing) with the given install script.
void MakeSamplePackage(const std::string& folder, const std::string& script = kSamplePackageScript);

// Sets the shared settings for a fresh installation of the package in folder pkg into inst, in
// the program group "Glimra 5", with the desktop icon and the start with Windows.
void SetNewInstallSettings(const std::string& pkg, const std::string& inst, bool allUsers);
