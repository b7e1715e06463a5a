// Fuzz target: joining folders and names into bounded buffers, folder comparison and the checks
// of relative names. The input is a buffer size byte, then a folder and a name split at a NUL.
// fuzz-sources: setup/engine/pathtext.cpp
#include <stdlib.h>
#include <string.h>
#include <string>
#include "engine/pathtext.h"

static char LowerAscii(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? (char)(ch - 'A' + 'a') : ch;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (size < 1) return 0;
    size_t outSize = data[0] * 3;  // 0 to 765 bytes, around the 260 of a path
    std::string rest((const char*)data + 1, size - 1);
    size_t split = rest.find('\0');
    std::string folder = rest.substr(0, split);
    std::string name = split == std::string::npos ? std::string() : rest.substr(split + 1);
    name = name.substr(0, name.find('\0'));

    // An exactly sized heap buffer, so a write past it is a sanitizer report.
    char* out = (char*)malloc(outSize ? outSize : 1);
    bool joined = JoinPath(out, outSize, folder.c_str(), name.c_str());
    if (joined) {
        size_t length = strlen(out);
        if (length >= outSize || out[length] != '\0') abort();
        if (strncmp(out, folder.c_str(), folder.size()) != 0) abort();
        if (length < name.size() || strcmp(out + length - name.size(), name.c_str()) != 0) abort();
        if (length - folder.size() - name.size() > 1) abort();
    } else if (outSize > 0 && out[0] != '\0') {
        abort();
    }
    free(out);

    bool equal = EqualNoCaseAscii(folder.c_str(), name.c_str());
    bool expected = folder.size() == name.size();
    for (size_t i = 0; expected && i < folder.size(); i++)
        expected = LowerAscii(folder[i]) == LowerAscii(name[i]);
    if (equal != expected) abort();

    if (IsSafeRelativeName(name.c_str())) {
        if (name.empty() || name[0] == '\\' || name[0] == '/' || name.find(':') != std::string::npos) abort();
        if (("\\" + name + "\\").find("\\..\\") != std::string::npos) abort();
        if (("/" + name + "/").find("/../") != std::string::npos) abort();
    }
    bool link = HasLinkExtension(folder.c_str());
    if (link != (folder.size() >= 4 && EqualNoCaseAscii(folder.c_str() + folder.size() - 4, ".lnk"))) abort();
    return 0;
}
