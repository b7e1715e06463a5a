// Reading install scripts and installation logs: line pieces and record recognition.
// Plain C library only, so the text logic also builds and runs outside Windows.
#pragma once
#include <stdio.h>

// A line is read in pieces of at most LOG_LINE_SIZE - 1 bytes; each piece counts as a line.
#define LOG_LINE_SIZE 512

// Reads the next piece of a line into line (LOG_LINE_SIZE bytes) and removes its trailing bytes
// 0x00-0x20, the first byte excepted. The text ends at a NUL byte read from the file.
// false at the end of the file.
bool ReadLogLine(FILE* file, char* line);

// The text after the prefix when the line begins with it exactly (case-sensitive), else null.
char* MatchRecord(char* line, const char* prefix);

// Splits the rename form "source > target" at the first ">": cuts the source there, removes its
// trailing white space and returns the target without its leading white space. Null (and the
// text unchanged) when there is no ">".
char* SplitRenameForm(char* text);

// Cuts the text at its first " | " remark.
void CutRemark(char* text);
