// The uninstall driver.
#pragma once

// Removes the installation in installFolder: its registry entries, file types, logged files,
// shortcuts and folders.
void RunUninstall(const char* installFolder);
