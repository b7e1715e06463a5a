#include "installlog.h"
#include <stdio.h>

BOOL AppendLogLine(const char* path, const char* text)
{
    // Text mode: the newline goes to disk as CR LF. Closed at once, so every record is on disk
    // before the next step.
    FILE* file = fopen(path, "a");
    if (!file) return FALSE;
    BOOL written = fputs(text, file) >= 0 && fputs("\n", file) >= 0;
    // The close writes the buffer out: a full drive shows here.
    return fclose(file) == 0 && written;
}
