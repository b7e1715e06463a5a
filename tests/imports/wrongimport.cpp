// A program that imports version.dll at load time: the import check must reject it.
#include <windows.h>

int main()
{
    DWORD handle = 0;
    return (int)GetFileVersionInfoSizeA("x", &handle);
}
