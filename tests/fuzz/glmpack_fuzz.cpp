// Fuzz target: glmpack's readers over untrusted package bytes: the input as a program whose
// version and string resources are read, and as an install script read, checked and carried out
// over a small package.
// fuzz-sources: glmpack/pefile.cpp glmpack/scriptreader.cpp glmpack/scriptlint.cpp glmpack/placement.cpp glmpack/codepage.cpp glmpack/filenames.cpp glmpack/diagnostic.cpp setup/engine/logreader.cpp setup/engine/pathtext.cpp
#include <stdint.h>
#include <stdlib.h>
#include "../../glmpack/pefile.h"
#include "../../glmpack/placement.h"
#include "../../glmpack/scriptlint.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes((const char*)data, size);

    PeVersion version;
    if (ReadPeFileVersion(bytes, version) && (version.major > 0xFFFF || version.build > 0xFFFF)) abort();
    std::u16string text;
    for (unsigned id : { 15u, 101u, 0u, 65535u })
        if (ReadPeString(bytes, id, text) && text.empty()) abort();

    std::vector<PackageEntry> package(4);
    package[0].name = "Glmr5.exe";
    package[1].name = "Minta";
    package[1].folder = true;
    package[2].name = "Minta\\a.glm";
    package[3].name = "r\xE9sz.txt";
    Script script;
    if (!ReadScript(bytes, script)) return 0;
    Diagnostics diagnostics;
    LintScript(bytes, script, diagnostics);
    std::vector<InstallStep> steps;
    SimulatePlacement(script, package, steps, diagnostics);
    for (const Diagnostic& diagnostic : diagnostics)
        if (diagnostic.line < 0 || diagnostic.text.empty()) abort();
    return 0;
}
