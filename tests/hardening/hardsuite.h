// What the bad-input rows share beyond the file helpers: their scratch root, the heap check and
// long texts.
#pragma once
#include <windows.h>
#include <string>
#include "files.h"

#define HARD_ROOT "C:\\glmtest\\hardening"

// Every heap of the process passes the system's consistency check: nothing was written past
// a heap block.
bool HeapsIntact();
// A text of n copies of ch.
std::string Repeat(char ch, size_t n);
