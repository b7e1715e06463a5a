// The uninstall driver.
#pragma once

// installFolder ends in a backslash.
void RunUninstall(const char* installFolder);
