// Closing the other running copies registered in the instance registry.
#pragma once
#include "instance/instance.h"

// For every registered process but this one, in list order: WM_CLOSE (wParam 1001) to its
// application window when it has one, 10 ms, then termination. Nothing when the list cannot be read.
void CloseOtherCopies(CInstanceManager& instances);
