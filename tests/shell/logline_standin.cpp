// Test-only writer of log lines until the installation log's own writer is in this branch.
#include <stdio.h>
#include "engine/installlog.h"

void AppendLogLine(const char* path, const char* text)
{
    FILE* f = fopen(path, "a");
    if (!f) return;
    fprintf(f, "%s\n", text);
    fclose(f);
}
