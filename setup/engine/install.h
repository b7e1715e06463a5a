// The install transaction: everything an installation changes on the machine.
#pragma once

// Works on the shared settings; always returns 0.
int PerformInstall();
