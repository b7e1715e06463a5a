// File placement: the install script's "File Copy: " and "Make Dir: " lines and the
// replacement rules for files that exist, are read-only, hidden or in use.
#pragma once
#include <windows.h>

// Executes the install script against g_strSourceDir and g_strInstallDir.
void RunInstallScript(const char* scriptPath);

// Copies sourceDir\name to targetDir\(newName or name). TRUE when the file is in place.
BOOL CopyInstallFile(const char* name, const char* sourceDir, const char* targetDir, const char* newName);

// Starts the count of one installation's placement: no bytes placed, no file placed ahead.
void BeginPlacement();
// The bytes of the files copied since BeginPlacement.
ULONGLONG CountPlacedBytes();

// Places one file of the package (of at most two) ahead of the install script, making the
// installation folder when needed. Until the next BeginPlacement, a script line that places it
// again leaves it where it is, so that the file stays whole at every moment of the run. TRUE
// when it is in place.
BOOL PlaceFileAhead(const char* name);

// Creates one folder, noted as this run's and reported to the run record; one that exists already
// is fine. FALSE when it is not there.
BOOL MakeFolder(const char* folder);

// Copies every file of sourceDir matching the pattern; returns the number copied.
int CopyMatchingFiles(const char* pattern, const char* sourceDir, const char* targetDir);

// The number of entries of folder matching the pattern, "." and ".." not counted.
int CountFolderEntries(const char* pattern, const char* folder);
