// The uninstall driver.
#pragma once

// Removes the installation in installFolder: its file types, logged files, shortcuts and folders,
// and last its registry entries, so that an uninstall cut off at any moment leaves the uninstall
// entry to run it again.
void RunUninstall(const char* installFolder);

// Removes the installation folder when it is empty; when it still holds a file that goes at the
// next start of Windows, schedules it (and its sub-folders holding such files) to go after it.
void RemoveInstallFolder(const char* installFolder);
