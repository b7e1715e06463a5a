#include "runrecord.h"
#include <stdarg.h>
#include <stdlib.h>
#include <stdio.h>

static CString s_strLogPath;
static int s_nFailures;
static BOOL s_bDeclined;
static int s_nExitCode;
static CString s_strFirstFailure;
static CString s_strFailed;
static CString s_strPending;

// The system's words for an error, without the line end it carries.
static CString DescribeError(DWORD error)
{
    char text[256];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, sizeof text, nullptr);
    while (length > 0 && (unsigned char)text[length - 1] <= ' ') length--;
    CString described;
    described.Format("%.*s (%lu)", (int)length, text, error);
    return described;
}

void OpenRunLog(const char* path)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
    s_strLogPath = length == 0 || length >= sizeof full ? CString() : CString(full);
}

const char* GetRunLogPath() { return s_strLogPath; }

// ANSI text as UTF-8 into the file.
static void WriteUtf8(FILE* file, const char* text)
{
    int wideLength = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (wideLength <= 0) return;
    WCHAR* wide = (WCHAR*)malloc(wideLength * sizeof(WCHAR));
    if (!wide) return;
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, wideLength);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    char* utf8 = length > 0 ? (char*)malloc(length) : nullptr;
    if (utf8) {
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, length, nullptr, nullptr);
        fputs(utf8, file);
        free(utf8);
    }
    free(wide);
}

void LogRunLine(const char* format, ...)
{
    if (s_strLogPath.IsEmpty()) return;
    // Opened for each line, so the uninstaller's temporary copy can append to the same file and
    // every line is on disk even when the run ends abruptly.
    FILE* file = fopen(s_strLogPath, "ab");
    if (!file) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString stamp, line;
    stamp.Format("%04u-%02u-%02u %02u:%02u:%02u.%03u [%lu] ", now.wYear, now.wMonth, now.wDay, now.wHour,
                 now.wMinute, now.wSecond, now.wMilliseconds, GetCurrentProcessId());
    va_list args;
    va_start(args, format);
    line.FormatV(format, args);
    va_end(args);
    fputs(stamp, file);
    WriteUtf8(file, line);
    fputs("\r\n", file);
    fclose(file);
}

void RecordDone(const char* step, const char* object)
{
    LogRunLine("%s: %s: ok", step, object);
}

void RecordFailure(const char* step, const char* object, DWORD error)
{
    CString reason = DescribeError(error);
    if (s_nFailures++ == 0) {
        s_strFirstFailure = object;
        s_strFirstFailure += ": ";
        s_strFirstFailure += reason;
    }
    s_strFailed += object;
    s_strFailed += '\n';
    LogRunLine("%s: %s: FAILED, error %s", step, object, reason.GetString());
}

void RecordRestartPending(const char* path)
{
    s_strPending += path;
    s_strPending += '\n';
    LogRunLine("left for the next start of Windows: %s", path);
}

void RecordDeclined()
{
    s_bDeclined = TRUE;
    LogRunLine("declined by the user");
}

void RecordExitCode(int code) { s_nExitCode = code; }

int CountRunFailures() { return s_nFailures; }
BOOL IsRestartPending() { return !s_strPending.IsEmpty(); }
CString DescribeFirstFailure() { return s_strFirstFailure; }
const CString& GetRestartPendingList() { return s_strPending; }
const CString& GetFailedList() { return s_strFailed; }

int GetRunExitCode()
{
    if (s_nExitCode) return s_nExitCode;
    if (s_nFailures > 0) return EXIT_FAILED;
    if (s_bDeclined) return EXIT_DECLINED;
    if (IsRestartPending()) return EXIT_RESTART_NEEDED;
    return EXIT_DONE;
}
