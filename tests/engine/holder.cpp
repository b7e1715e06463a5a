// Stays running for the number of milliseconds given (20 s by default), then ends.
#include <windows.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    Sleep(argc > 1 ? (DWORD)atoi(argv[1]) : 20000);
    return 0;
}
