// File placement: the install script's "File Copy: " and "Make Dir: " lines and the
// replacement rules for files that exist, are read-only, hidden or in use.
#pragma once
#include <windows.h>

// Executes the install script against g_strSourceDir and g_strInstallDir.
void RunInstallScript(const char* scriptPath);

// Copies sourceDir\name to targetDir\(newName or name). TRUE when the file is in place.
BOOL CopyInstallFile(const char* name, const char* sourceDir, const char* targetDir, const char* newName);

// Creates one folder, noted as this run's and reported to the run record; one that exists already
// is fine. FALSE when it is not there.
BOOL MakeFolder(const char* folder);

// Copies every file of sourceDir matching the pattern; returns the number copied.
int CopyMatchingFiles(const char* pattern, const char* sourceDir, const char* targetDir);

// The number of entries of folder matching the pattern, "." and ".." not counted.
int CountFolderEntries(const char* pattern, const char* folder);
