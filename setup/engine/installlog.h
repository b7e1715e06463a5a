// The installation log: appending records. The reader is in logreader.h.
#pragma once

// Appends the text and a line end (CR LF on disk) to the file, creating it when missing.
// Nothing is written and nothing is reported when the file cannot be opened.
void AppendLogLine(const char* path, const char* text);
