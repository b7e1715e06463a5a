// The uninstaller's hand-over to a temporary copy of itself, and that copy's removal run.
#pragma once

// Starts the temporary copy and ends this process; returns only when the copy could not be started.
void StartSelfRemoval();

// Deletes the uninstaller, uninstalls its folder and ends the process with exit code 0.
void RunRemoval(const char* uninstallerPath);
