// The start-up switches of the command line. Pure text logic with no Win32 dependency, so it can
// also be built natively (fuzzing). argv[0] is the program name; argc counts it.
#pragma once

// Any argument after the program name equals "-s" (any case): the general silent switch.
bool HasSilentSwitch(int argc, const char* const* argv);

// At least two arguments and the first one is exactly "-delself": the removal run, whose
// uninstaller path is argv[2].
bool IsRemovalRun(int argc, const char* const* argv);

// The first argument equals "-install" (any case).
bool HasInstallSwitch(int argc, const char* const* argv);

// "/s" or "-s" (any case) from the second argument on: close running copies without asking.
bool HasCloseWithoutAskingSwitch(int argc, const char* const* argv);

// The program path, lower-cased, contains "setup.exe" anywhere (the folders count too).
bool IsSetupProgramPath(const char* programPath);

// The file after the first "-log" (any case) anywhere on the command line; null when there is none.
const char* FindRunLogFile(int argc, const char* const* argv);

// The removal run's starter: the text after "-starter", looked for after the uninstaller path
// (argv[3] on); null when there is none. It is the number of a process handle that the
// uninstaller passed down to its temporary copy.
const char* FindStarterHandle(int argc, const char* const* argv);
