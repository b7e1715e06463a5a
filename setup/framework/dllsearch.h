// Keeping planted libraries out: a setup program runs from download folders that may hold DLLs
// named like system ones.
#pragma once

// Narrows the DLL search of every later load to the system folder, where the system offers
// that, and takes the current folder out of the search. Uses only functions of the kernel, looked
// up at run time, so the program still starts on systems that lack them.
void RestrictDllSearch();
