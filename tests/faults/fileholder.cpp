// Holds a file open without delete sharing for the milliseconds given (20 s by default), so it
// cannot be deleted or renamed meanwhile: fileholder <path> [ms].
#include <windows.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Sleep(argc > 2 ? (DWORD)atoi(argv[2]) : 20000);
    CloseHandle(file);
    return 0;
}
