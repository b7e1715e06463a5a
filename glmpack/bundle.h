// glmpack bundle: one Windows program made of the stub (glmstub.exe) and the package folder
// appended as its payload, one solid LZMA stream (stub/payload.h says the format).
#pragma once
#include "packagereader.h"

struct BundleMember {
    std::string name;   // UTF-8, relative, folders separated by "\"
    std::string path;   // the file's path on this system
};

// The package's files, in the package's order; false and the reason when a name cannot go into a
// bundle: the stub would refuse it (outside the unpack folder, or a name Windows refuses), or two
// names differ only in letter case, which Windows takes for one.
bool ListBundleMembers(const Package& package, std::vector<BundleMember>& members, std::string& reason);

// The payload of the files; false and the reason when a file cannot be read or coded.
bool MakePayload(const std::vector<BundleMember>& members, std::string& payload, std::string& reason);

// False and the reason unless the stub is a program a payload can follow: a PE program, unsigned,
// whose sections end where its file ends.
bool CheckStubProgram(const std::string& stub, std::string& reason);

// The stub followed by the payload, padded so that a signature's table can follow it.
std::string JoinBundle(const std::string& stub, const std::string& payload);
