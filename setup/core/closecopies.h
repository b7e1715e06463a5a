// Closing the other running copies registered in the instance registry.
#pragma once
#include "instance/instance.h"

// For every registered process but this one, in list order, that is verifiably one of ours (by
// its image file name): WM_CLOSE (wParam 1001) to its application window when it has one, then up
// to 3 s for it to end, then termination when it is still there. Entries of copies that are gone
// are dropped from the list; a process that is not ours is never touched. Nothing when the list
// cannot be read.
void CloseOtherCopies(CInstanceManager& instances);
