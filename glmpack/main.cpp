// glmpack: checks an installation package and shows what a silent installation of it would do.
//   glmpack check <package folder>
//   glmpack plan <package folder> [--instdir <folder>] [--allusers] [--autostart] [--nodeskico]
// Output is UTF-8. Exit code: 0 no error, 1 errors in the package, 2 usage error or a folder that
// cannot be read.
#include "check.h"
#include "codepage.h"
#include "plan.h"
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#endif

#define EXIT_CLEAN 0
#define EXIT_ERRORS 1
#define EXIT_USAGE 2

namespace {

const char Usage[] =
    "usage: glmpack check <package folder>\n"
    "       glmpack plan <package folder> [--instdir <folder>] [--allusers] [--autostart] [--nodeskico]\n";

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
    bool usable = (command == "check" && argc == 3) || (command == "plan" && ReadPlanOptions(argc - 3, argv + 3, options));
    if (!usable) {
        fputs(Usage, stderr);
        return EXIT_USAGE;
    }
    Package package;
    if (!LoadPackage(ConvertArgument(argv[2]), package)) {
        fprintf(stderr, "glmpack: the folder %s cannot be read\n", ConvertArgument(argv[2]).c_str());
        return EXIT_USAGE;
    }
    return command == "check" ? RunCheck(package) : RunPlan(package, options);
}
