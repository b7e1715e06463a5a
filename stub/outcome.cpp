#include "outcome.h"
#include "stubres.h"
#include "userinterface.h"
#include <stdarg.h>
#include <stdio.h>

#define LINE_SIZE 1024

static wchar_t s_logPath[PATH_BUFFER];
static DWORD s_exitCode;
static wchar_t s_firstFault[LINE_SIZE];

static int FormatTextV(wchar_t* buffer, int size, const wchar_t* format, va_list args)
{
    int length = _vsnwprintf(buffer, size - 1, format, args);
    if (length < 0 || length > size - 1) length = size - 1;
    buffer[length] = 0;
    return length;
}

int FormatText(wchar_t* buffer, int size, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    int length = FormatTextV(buffer, size, format, args);
    va_end(args);
    return length;
}

void StartStubLog(const wchar_t* path)
{
    // Made whole now: the setup is given the same full path and appends to the same file.
    DWORD length = path ? GetFullPathNameW(path, PATH_BUFFER, s_logPath, nullptr) : 0;
    if (length == 0 || length >= PATH_BUFFER) s_logPath[0] = 0;
}

static void AppendLogLine(const wchar_t* text)
{
    if (!s_logPath[0]) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t line[LINE_SIZE + 64];
    int length = FormatText(line, LINE_SIZE + 64, L"%04u-%02u-%02u %02u:%02u:%02u.%03u [%lu] %s\r\n", now.wYear,
                            now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                            GetCurrentProcessId(), text);
    char utf8[(LINE_SIZE + 64) * 3];
    int size = WideCharToMultiByte(CP_UTF8, 0, line, length, utf8, sizeof utf8, nullptr, nullptr);
    // Opened for each line, as the setup does, so both can append to the file in turn.
    HANDLE file = CreateFileW(s_logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(file, utf8, (DWORD)size, &written, nullptr);
    CloseHandle(file);
}

void LogStubLine(const wchar_t* format, ...)
{
    wchar_t text[LINE_SIZE];
    va_list args;
    va_start(args, format);
    FormatTextV(text, LINE_SIZE, format, args);
    va_end(args);
    AppendLogLine(text);
}

void RecordDamage(const wchar_t* format, ...)
{
    wchar_t text[LINE_SIZE];
    va_list args;
    va_start(args, format);
    FormatTextV(text, LINE_SIZE, format, args);
    va_end(args);
    if (!s_exitCode) {
        s_exitCode = EXIT_DAMAGED_DOWNLOAD;
        lstrcpyW(s_firstFault, text);
    }
    LogStubLine(L"the download is damaged: %s", text);
}

void RecordFailure(const wchar_t* step, const wchar_t* object, DWORD error)
{
    wchar_t reason[256];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  reason, 256, nullptr);
    while (length > 0 && reason[length - 1] <= L' ') length--;
    reason[length] = 0;
    wchar_t text[LINE_SIZE];
    FormatText(text, LINE_SIZE, L"%.400s: %.300s (%lu)", object, reason, error);
    if (!s_exitCode) {
        s_exitCode = EXIT_UNPACK_FAILED;
        lstrcpyW(s_firstFault, text);
    }
    LogStubLine(L"%s: %s", step, text);
}

DWORD GetFaultExitCode()
{
    return s_exitCode ? s_exitCode : EXIT_UNPACK_FAILED;
}

void ShowFault()
{
    const UserInterface* ui = LoadUserInterface();
    if (!ui) return;
    HINSTANCE module = GetModuleHandleW(nullptr);
    wchar_t caption[128], text[LINE_SIZE * 2];
    ui->LoadStringW(module, IDS_STUB_CAPTION, caption, 128);
    if (s_exitCode == EXIT_DAMAGED_DOWNLOAD) {
        ui->LoadStringW(module, IDS_STUB_DAMAGED, text, LINE_SIZE);
    } else {
        wchar_t failed[512], first[128];
        ui->LoadStringW(module, IDS_STUB_FAILED, failed, 512);
        ui->LoadStringW(module, IDS_STUB_FIRST_FAULT, first, 128);
        int length = FormatText(text, LINE_SIZE, L"%s\n\n", failed);
        FormatText(text + length, LINE_SIZE, first, s_firstFault);
    }
    ui->MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONSTOP);
}
