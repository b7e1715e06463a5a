#include "selfremove.h"
#include <stdlib.h>

// Hand-over point only: the real hand-over to the temporary copy comes with the uninstaller.
void StartSelfRemoval() {}

// Hand-over point only: the real removal run comes with the uninstaller.
void RunRemoval(const char*) { exit(0); }
