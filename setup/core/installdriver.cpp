#include "installdriver.h"

// Hand-over point only: the real installation run comes with the installer.
int RunInstall() { return 0; }
