// One run of the setup program at a time on the machine: an installation in any mode, an
// uninstall and its removal copy all take the same machine-wide named mutex. A run that does not
// get it changes nothing and ends with 1618. A mutex left behind by a killed run is abandoned, and
// an abandoned mutex is free: the next run takes it.
#pragma once
#include <windows.h>

// Decides the run's turn, once, before anything else of the run starts (the instance registry
// included). The removal copy that an uninstaller started inherits that uninstaller's turn: it
// claims the mutex the moment its starter ends. Any other run takes it now, without waiting.
void TakeRunTurn(int argc, const char* const* argv);

// Whether this run has its turn (taken or inherited).
BOOL HasRunTurn();
