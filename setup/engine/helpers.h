// Small shared helpers: string-table texts and string values of the registry.
#pragma once
#include "framework.h"

// The string-table text of that id; empty when absent.
CString LoadResString(UINT id);

// The value as a string up to its first NUL; empty when the key or value is missing, the value
// does not fit in 260 bytes, or on any other error. The value's type is not looked at.
CString ReadRegString(HKEY root, const char* subKey, const char* valueName);

// Creates or opens the key (and the keys on its path) and sets the value (null name: the default
// value) as REG_SZ. TRUE on success.
BOOL WriteRegString(HKEY root, const char* subKey, const char* valueName, const char* text);
