// The module resources (strings, dialog templates, bitmaps) are taken from: the program itself
// unless the application names another. Strings and dialogs both need it, so it sits below them.
#pragma once
#include <windows.h>

HINSTANCE GetResourceModule();
void SetResourceModule(HINSTANCE hInstance);
