// glmpack: checks an installation package, shows what a silent installation of it would do, and
// bundles it into one program.
//   glmpack check <package folder>
//   glmpack plan <package folder> [--instdir <folder>] [--allusers] [--autostart] [--nodeskico]
//   glmpack bundle <package folder> -o <file> [--stub <glmstub.exe>]
// Output is UTF-8. Exit code: 0 no error, 1 errors in the package, 2 usage error or a folder or
// file that cannot be read or written.
#include "bundle.h"
#include "check.h"
#include "codepage.h"
#include "plan.h"
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#define EXIT_CLEAN 0
#define EXIT_ERRORS 1
#define EXIT_USAGE 2

namespace {

const char Usage[] =
    "usage: glmpack check <package folder>\n"
    "       glmpack plan <package folder> [--instdir <folder>] [--allusers] [--autostart] [--nodeskico]\n"
    "       glmpack bundle <package folder> -o <file> [--stub <glmstub.exe>]\n";

void Print(const std::string& text)
{
    fwrite(text.data(), 1, text.size(), stdout);
}

// The argument as UTF-8: Windows hands it over in the ANSI code page.
std::string ConvertArgument(const char* argument)
{
#ifdef _WIN32
    int length = MultiByteToWideChar(CP_ACP, 0, argument, -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, argument, -1, &wide[0], length);
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? size : 1, '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], size, nullptr, nullptr);
    text.resize(strlen(text.c_str()));
    return text;
#else
    return argument;
#endif
}

// The member's path for this system, from the folder as given.
std::string MakeMemberPath(const std::string& folder, const std::string& name1250)
{
    std::string name = Utf8From1250(name1250);
#ifndef _WIN32
    for (char& ch : name)
        if (ch == '\\') ch = '/';
#endif
    return JoinNativePath(folder, name);
}

std::string FormatCount(size_t count, const char* noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

int RunCheck(const Package& package)
{
    size_t errors = 0, warnings = 0;
    for (const Diagnostic& diagnostic : CheckPackage(package)) {
        std::string where = MakeMemberPath(package.folder, diagnostic.file);
        if (diagnostic.line > 0) where += ":" + std::to_string(diagnostic.line);
        bool error = diagnostic.severity == Severity::Error;
        Print(where + ": " + (error ? "error" : "warning") + ": " + diagnostic.text + "\n");
        (error ? errors : warnings)++;
    }
    Print(package.folder + ": " + FormatCount(errors, "error") + ", " + FormatCount(warnings, "warning") + "\n");
    return errors ? EXIT_ERRORS : EXIT_CLEAN;
}

std::string FormatStep(const PlanStep& step)
{
    std::string path = Utf8From1250(step.path), source = Utf8From1250(step.source);
    std::string text;
    switch (step.kind) {
    case PlanStep::MAKE_FOLDER: text = "make folder    " + path; break;
    case PlanStep::PLACE_FILE: text = "place file     " + source + " -> " + path; break;
    case PlanStep::SHORTCUT: text = "make shortcut  " + path + " -> " + source; break;
    case PlanStep::REGISTRY_VALUE:
        text = "set value      " + path + " " + (step.name.empty() ? "(default)" : step.name) + " = \"" + source + "\"";
        break;
    case PlanStep::REGISTRY_NUMBER: text = "set value      " + path + " " + step.name + " = " + source + " (DWORD)"; break;
    case PlanStep::REMOVE_FILE: text = "delete file    " + path; break;
    case PlanStep::REMOVE_FOLDER: text = "remove folder  " + path; break;
    case PlanStep::REMOVE_KEY: text = "delete key     " + path; break;
    }
    if (step.line > 0) text += "  (line " + std::to_string(step.line) + ")";
    if (!step.note.empty()) text += "  (" + step.note + ")";
    return "  " + text + "\n";
}

int RunPlan(const Package& package, const PlanOptions& options)
{
    PeVersion version;
    bool fromLocked;
    if (!package.hasScript || !ReadApplicationVersion(package, version, fromLocked)) {
        Print("setup.exe -s stops with the damaged-package message and installs nothing: the package has no " +
              std::string(package.hasScript ? "version in Glmr5.exe" : "install script") + " (see glmpack check)\n");
        return EXIT_ERRORS;
    }
    Plan plan = MakePlan(package, options);
    Print("setup.exe -s, for all users, into " + Utf8From1250(plan.installDir) + ":\n");
    for (const PlanStep& step : plan.steps) Print(FormatStep(step));
    Print("a later uninstall:\n");
    for (const PlanStep& step : plan.removals) Print(FormatStep(step));
    size_t errors = 0;
    for (const Diagnostic& diagnostic : CheckPackage(package)) errors += diagnostic.severity == Severity::Error;
    if (errors) Print("glmpack check finds " + FormatCount(errors, "error") + " in this package\n");
    return errors ? EXIT_ERRORS : EXIT_CLEAN;
}

// glmstub.exe beside this program.
std::string FindDefaultStub()
{
#ifdef _WIN32
    wchar_t own[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::wstring path(own, length < MAX_PATH ? length : 0);
    std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    int size = WideCharToMultiByte(CP_UTF8, 0, folder.c_str(), (int)folder.size(), nullptr, 0, nullptr, nullptr);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, folder.c_str(), (int)folder.size(), &text[0], size, nullptr, nullptr);
    return text + "glmstub.exe";
#else
    char own[4096];
    ssize_t length = readlink("/proc/self/exe", own, sizeof own - 1);
    std::string path(own, length > 0 ? length : 0);
    return path.substr(0, path.find_last_of('/') + 1) + "glmstub.exe";
#endif
}

// The package checked, its files coded into one payload behind the stub, written to the file.
int RunBundle(const Package& package, const std::string& stubPath, const std::string& outPath)
{
    std::string stub, payload, reason;
    std::vector<BundleMember> members;
    if (!ReadWholeFile(stubPath, stub)) {
        fprintf(stderr, "glmpack: the stub %s cannot be read (--stub names it)\n", stubPath.c_str());
        return EXIT_USAGE;
    }
    if (!CheckStubProgram(stub, reason)) {
        fprintf(stderr, "glmpack: %s cannot be a bundle's stub: %s\n", stubPath.c_str(), reason.c_str());
        return EXIT_USAGE;
    }
    if (RunCheck(package) != EXIT_CLEAN) {
        Print("glmpack: no bundle of a package with errors\n");
        return EXIT_ERRORS;
    }
    if (!ListBundleMembers(package, members, reason)) {
        Print("glmpack: no bundle: " + reason + "\n");
        return EXIT_ERRORS;
    }
    if (!MakePayload(members, payload, reason)) {
        fprintf(stderr, "glmpack: %s\n", reason.c_str());
        return EXIT_USAGE;
    }
    std::string bundle = JoinBundle(stub, payload);
    if (!WriteWholeFile(outPath, bundle)) {
        fprintf(stderr, "glmpack: %s cannot be written\n", outPath.c_str());
        return EXIT_USAGE;
    }
    Print(outPath + ": " + FormatCount(members.size(), "file") + " in a payload of " + std::to_string(payload.size()) +
          " bytes behind the stub of " + std::to_string(stub.size()) + " bytes, " + std::to_string(bundle.size()) +
          " bytes in all\n");
    return EXIT_CLEAN;
}

// The bundle's options; false on an unknown one or without -o.
bool ReadBundleOptions(int count, char** arguments, std::string& stubPath, std::string& outPath)
{
    for (int i = 0; i + 1 < count; i += 2) {
        std::string option = arguments[i];
        if (option == "-o") outPath = ConvertArgument(arguments[i + 1]);
        else if (option == "--stub") stubPath = ConvertArgument(arguments[i + 1]);
        else return false;
    }
    return count % 2 == 0 && !outPath.empty();
}

// The plan's options, named like the setup's own switches; false on an unknown one.
bool ReadPlanOptions(int count, char** arguments, PlanOptions& options)
{
    for (int i = 0; i < count; i++) {
        std::string argument = arguments[i];
        if (argument == "--instdir" && i + 1 < count) {
            std::string folder = ConvertArgument(arguments[++i]);
            if (!ConvertUtf8To1250(folder, options.installParent)) return false;
        } else if (argument == "--allusers") {
            // A silent fresh installation is for all users anyway, as the setup's "-s" makes it.
        } else if (argument == "--autostart") {
            options.autoStart = true;
        } else if (argument == "--nodeskico") {
            options.desktopIcon = false;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string command = argc >= 3 ? argv[1] : "";
    PlanOptions options;
    std::string stubPath = FindDefaultStub(), outPath;
    bool usable = (command == "check" && argc == 3) || (command == "plan" && ReadPlanOptions(argc - 3, argv + 3, options)) ||
                  (command == "bundle" && ReadBundleOptions(argc - 3, argv + 3, stubPath, outPath));
    if (!usable) {
        fputs(Usage, stderr);
        return EXIT_USAGE;
    }
    Package package;
    if (!LoadPackage(ConvertArgument(argv[2]), package)) {
        fprintf(stderr, "glmpack: the folder %s cannot be read\n", ConvertArgument(argv[2]).c_str());
        return EXIT_USAGE;
    }
    if (command == "bundle") return RunBundle(package, stubPath, outPath);
    return command == "check" ? RunCheck(package) : RunPlan(package, options);
}
