#include "helpers.h"
#include <string.h>

CString LoadResString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString ReadRegString(HKEY root, const char* subKey, const char* valueName)
{
    HKEY key;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return CString();
    // One byte more than the 260 the value may fill, all zero, so the text ends at the value's
    // first NUL or after the value, whether it carries a NUL or not.
    char buffer[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    LONG result = RegQueryValueExA(key, valueName, nullptr, nullptr, (BYTE*)buffer, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return CString();
    return CString(buffer);
}

BOOL WriteRegString(HKEY root, const char* subKey, const char* valueName, const char* text)
{
    HKEY key;
    if (RegCreateKeyExA(root, subKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    LONG result = RegSetValueExA(key, valueName, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
