// Fuzz target: the start-up's switch scanning over arbitrary argument lists. The input is split at
// NUL bytes into the arguments; the first is the program path.
// fuzz-sources: setup/core/switches.cpp setup/engine/pathtext.cpp
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "core/switches.h"

static bool SameNoCase(const std::string& text, const char* lower)
{
    if (text.size() != strlen(lower)) return false;
    for (size_t i = 0; i < text.size(); i++) {
        char ch = text[i] >= 'A' && text[i] <= 'Z' ? (char)(text[i] - 'A' + 'a') : text[i];
        if (ch != lower[i]) return false;
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    std::vector<std::string> arguments;
    std::string all((const char*)data, size);
    for (size_t start = 0; start <= all.size() && arguments.size() < 64;) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos) end = all.size();
        arguments.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    int argc = (int)argv.size();
    argv.push_back(nullptr);

    // Each answer against a plain restatement of its rule.
    bool silent = false, closeQuietly = false;
    for (int i = 1; i < argc; i++) {
        if (SameNoCase(arguments[i], "-s")) silent = true;
        if (i >= 2 && (SameNoCase(arguments[i], "-s") || SameNoCase(arguments[i], "/s"))) closeQuietly = true;
    }
    if (HasSilentSwitch(argc, argv.data()) != silent) abort();
    if (HasCloseWithoutAskingSwitch(argc, argv.data()) != closeQuietly) abort();
    if (IsRemovalRun(argc, argv.data()) != (argc >= 3 && arguments[1] == "-delself")) abort();
    if (HasInstallSwitch(argc, argv.data()) != (argc >= 2 && SameNoCase(arguments[1], "-install"))) abort();

    std::string lower = arguments[0];
    for (char& ch : lower)
        if (ch >= 'A' && ch <= 'Z') ch = (char)(ch - 'A' + 'a');
    if (IsSetupProgramPath(argv[0]) != (lower.find("setup.exe") != std::string::npos)) abort();
    return 0;
}
