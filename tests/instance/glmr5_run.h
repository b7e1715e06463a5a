// Starting the stand-in application Glmr5.exe from the tests, reading its record file, and the
// shared instance list seen directly through its mapping.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Scratch folder of this suite, made empty.
std::string FreshScratchDir(const std::string& caseName);
void RemoveScratchDir();

struct Glmr5 {
    HANDLE process = nullptr;
    DWORD pid = 0;
    DWORD tid = 0;
    std::string record;    // record file, empty when none was asked for
};

// Starts <exe> -record <record> <args> and waits (at most 10 s) until it has written its start line.
// `exe` defaults to the main build; the process handle is null when it did not come up.
Glmr5 StartGlmr5(const std::string& record, const std::string& args = "", const std::string& exe = "");
// The lines of a record file so far.
std::vector<std::string> ReadRecord(const std::string& path);
// Waits (at most timeoutMs) until the record holds this line; TRUE when it does.
bool WaitForRecordLine(const std::string& path, const std::string& line, DWORD timeoutMs = 5000);
// Posts WM_CLOSE (wParam 1001) to its main window and waits (at most timeoutMs) for the end; a
// copy still running then is terminated. TRUE when it ended by itself.
bool CloseGlmr5(Glmr5& app, DWORD timeoutMs = 5000);
// Ends it by WM_QUIT to its thread (for copies without a window); waits at most 5 s.
bool QuitGlmr5(Glmr5& app);
// Terminates it when still running and closes the handle.
void KillGlmr5(Glmr5& app);
bool IsRunning(const Glmr5& app);

std::string Glmr5Path(const std::string& variant = "");
std::string RecordText(const std::vector<std::string>& lines);

// The shared list of one registry name, opened without registering. Empty when it does not exist.
struct SharedList {
    HANDLE mapping = nullptr;
    DWORD* words = nullptr;    // marker, count, slots[1000], then the rest of the region
    explicit SharedList(const std::string& name);
    ~SharedList();
    bool Exists() const { return words != nullptr; }
    DWORD Count() const { return words[1]; }
    DWORD Slot(int i) const { return words[2 + i]; }
    std::vector<DWORD> Ids() const;
};
bool SharedListExists(const std::string& name);
