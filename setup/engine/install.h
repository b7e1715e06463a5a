// The install transaction: everything an installation changes on the machine.
#pragma once

// Works on the shared settings. 0 when every step worked; otherwise what this run made is taken
// away again (what was there before stays) and the result is 1. The run record holds the failures.
int PerformInstall();
