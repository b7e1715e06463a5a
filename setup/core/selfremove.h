// The uninstaller's hand-over to a temporary copy of itself, and that copy's removal run.
#pragma once
#include <windows.h>

// Copies this program to a temporary file and starts it as the removal run, handing it this
// process. Returns the copy's process; null when it could not be started (recorded as a failure).
HANDLE StartSelfRemoval();

// Waits for the removal copy, which ends this process itself with the outcome as its exit code.
// Returns only when the copy ended without doing so; the run then ends with the copy's code, a
// success reported as a failure (the uninstaller, still running, kept its own file).
void WaitForRemovalCopy(HANDLE copy);

// The removal run: uninstalls the uninstaller's folder, ends the uninstaller that started this
// copy (starterHandle, null when none was passed) with the outcome, then deletes the uninstaller
// and its folder. The outcome is left in the run record.
void RunRemoval(const char* uninstallerPath, const char* starterHandle);
