// The record of one run: every step reports its outcome here, and the closing message, the exit
// code and the run log ("-log <file>") all read it.
#pragma once
#include "framework.h"

// Exit codes for deployment tools.
#define EXIT_DONE            0
#define EXIT_DAMAGED_PACKAGE 1
#define EXIT_DECLINED        1602
#define EXIT_FAILED          1603
#define EXIT_ANOTHER_RUN     1618
#define EXIT_RESTART_NEEDED  3010

// Starts writing the run log to that file (made whole against the current folder); lines are
// appended as UTF-8 with the local time. Without a call nothing is written.
void OpenRunLog(const char* path);
// The run log's full path; empty when there is none.
const char* GetRunLogPath();
// Appends one line (printf-style, ANSI text) to the run log, when there is one.
void LogRunLine(const char* format, ...);

// A step that worked: only the run log hears of it.
void RecordDone(const char* step, const char* object);
// A step that failed with that Win32 error; the first failure is kept for the user.
void RecordFailure(const char* step, const char* object, DWORD error);
// What could not be removed now and goes at the next start of Windows.
void RecordRestartPending(const char* path);
// A question answered No, or the wizard cancelled.
void RecordDeclined();
// An outcome decided outside this run's own steps (another run holds the turn; the removal copy
// ended without handing back its outcome): the run ends with that exit code.
void RecordExitCode(int code);

int CountRunFailures();
BOOL IsRestartPending();
// The first failure as "object: reason (error n)".
CString DescribeFirstFailure();
// The paths waiting for the next start, one a line.
const CString& GetRestartPendingList();
// The paths that failed, one a line.
const CString& GetFailedList();
// The code recorded by RecordExitCode; otherwise 1603 after a failure, 1602 when declined, 3010
// when a restart finishes the run, else 0.
int GetRunExitCode();
