// What a run of the stub came to, and its run log: "-log <file>" appends lines in the setup's own
// format (local time, process id, UTF-8), so the stub's lines and the setup's stand in one file.
#pragma once
#include <windows.h>

// Exit codes of the stub's own faults; otherwise the stub ends with the setup's exit code.
#define EXIT_DAMAGED_DOWNLOAD 1
#define EXIT_UNPACK_FAILED    1603

// Paths of the stub are held in buffers of this many characters.
#define PATH_BUFFER 1024

// Formats into the buffer of size characters (the C runtime's format: %s a wide text, %S a narrow
// one), cut to fit and always ended; returns the length.
int FormatText(wchar_t* buffer, int size, const wchar_t* format, ...);

// Starts writing the run log to that file; null: no log.
void StartStubLog(const wchar_t* path);
// One line of the run log (FormatText's format, at most 1024 characters).
void LogStubLine(const wchar_t* format, ...);

// The payload is damaged (cut off, altered, or not a package): exit code 1. The first fault is
// kept; each one goes into the log.
void RecordDamage(const wchar_t* format, ...);
// A step failed with that system error: exit code 1603.
void RecordFailure(const wchar_t* step, const wchar_t* object, DWORD error);

// 1 after damage, else 1603.
DWORD GetFaultExitCode();
// Tells the user about the first fault in a message box: the damaged-download message, or the
// failed installation with what failed first.
void ShowFault();
