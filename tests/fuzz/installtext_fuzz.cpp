// Fuzz target: the installation driver's text logic: the option switches of a fresh installation,
// version numbers and the Internet shortcut's address line. The first input
// byte picks the query buffer size; the rest is split at NUL bytes into arguments and lines.
// fuzz-sources: setup/core/installtext.cpp setup/engine/pathtext.cpp
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "core/installtext.h"

// Names that "exist": those beginning with "C:".
static int FakePathExists(const char* path)
{
    return path[0] == 'C' && path[1] == ':';
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (size < 1) return 0;
    int querySize = data[0] * 2;  // 0 to 510
    std::vector<std::string> parts;
    std::string all((const char*)data + 1, size - 1);
    for (size_t start = 0; start <= all.size() && parts.size() < 64;) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos) end = all.size();
        parts.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& part : parts) argv.push_back(part.c_str());

    InstallSwitches switches;
    memset(&switches, 0x5A, sizeof switches);  // the scan must end the folder text itself
    switches.installDir[0] = 0;
    switches.runAfter = switches.allUsers = switches.autoStart = switches.noDesktopIcon = 0;
    ScanInstallSwitches((int)argv.size(), argv.data(), FakePathExists, &switches);
    size_t folderLength = strnlen(switches.installDir, INSTALL_PATH_SIZE);
    if (folderLength >= INSTALL_PATH_SIZE) abort();
    if (folderLength > 0 && !FakePathExists(switches.installDir)) abort();

    if (parts.size() >= 4) {
        int v[4];
        for (int i = 0; i < 4; i++) v[i] = (int)(unsigned char)(parts[i].empty() ? 0 : parts[i][0]) * 257;
        unsigned int number = ComposeVersionNumber(v[0], v[1], v[2], v[3]);
        unsigned int expected = (((unsigned)v[0] * 100u + (unsigned)v[1]) * 100u + (unsigned)v[2]) * 100u + (unsigned)v[3];
        if (number != expected) abort();
    }

    for (const std::string& part : parts) {
        // Exactly sized copies, so a write past either buffer is a sanitizer report.
        char* line = (char*)malloc(part.size() + 1);
        memcpy(line, part.c_str(), part.size() + 1);
        char* query = (char*)malloc(querySize ? querySize : 1);
        if (TakeUrlQuery(line, query, querySize)) {
            if (strncmp(line, "URL=http://", 11) != 0) abort();
            if (querySize > 0 && strnlen(query, querySize) >= (size_t)querySize) abort();
            if (querySize > 0 && query[0] && (query[0] != '?' || !strstr(line, query))) abort();
        }
        free(query);
        free(line);
    }
    return 0;
}
