// The installation log: appending records. The reader is in logreader.h.
#pragma once
#include <windows.h>

// Appends the text and a line end (CR LF on disk) to the file, creating it when missing.
// FALSE when the file cannot be opened or the line not written.
BOOL AppendLogLine(const char* path, const char* text);
