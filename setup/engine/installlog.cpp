#include "installlog.h"
#include <stdio.h>

void AppendLogLine(const char* path, const char* text)
{
    // Text mode: the newline goes to disk as CR LF. Closed at once, so every record is on disk
    // before the next step.
    FILE* file = fopen(path, "a");
    if (!file) return;
    fputs(text, file);
    fputs("\n", file);
    fclose(file);
}
