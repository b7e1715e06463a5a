// Log replay: undoing what an installation log records.
#pragma once
#include <windows.h>

// Deletes the file; one that cannot be deleted now is scheduled for the next start of Windows (and
// recorded so). TRUE when it is gone now.
BOOL DeleteFileOrSchedule(const char* path);

// The one file that deleting by pattern leaves alone (null: none). The uninstaller runs while its
// temporary copy replays the log; its file is deleted once it has ended.
void SpareFromDeletion(const char* path);

// Deletes the files (read-only and hidden ones too) matching the pattern in the folder, but for
// the spared file; returns the count.
int DeleteMatchingFiles(const char* folder, const char* pattern);

// Deletes the "Shell Link: " files, then removes the "Made Dir: " folders and their empty parents.
void UndoLinksAndMadeDirs(const char* logPath);

// Deletes what the file records name in installFolder (only onlyPrefix's records when it is given),
// then removes the "Make Dir: " folders when empty.
void UndoFileRecords(const char* logPath, const char* installFolder, const char* onlyPrefix);
