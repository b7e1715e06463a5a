#include "scriptreader.h"
#include "engine/logreader.h"
#include <stdio.h>
#include <string.h>
#include <algorithm>
#ifdef _WIN32
#include <windows.h>
#endif

#define END_OF_TEXT_BYTE 0x1A

// A file to hand the text to the line reader, removed when closed.
static FILE* OpenScratchFile()
{
#ifdef _WIN32
    // The C library's tmpfile() makes its file in the root of the current drive, which may be
    // read-only; the temporary folder is not.
    char folder[MAX_PATH], path[MAX_PATH];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder || !GetTempFileNameA(folder, "glp", 0, path)) return nullptr;
    return fopen(path, "w+bD");
#else
    return tmpfile();
#endif
}

// What a text-mode read gives of the file's bytes.
static std::string TextModeView(const std::string& bytes)
{
    std::string view;
    view.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); i++) {
        if (bytes[i] == END_OF_TEXT_BYTE) break;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        view += bytes[i];
    }
    return view;
}

bool ReadScript(const std::string& bytes, Script& script)
{
    script = Script();
    size_t end = bytes.find((char)END_OF_TEXT_BYTE);
    if (end != std::string::npos) script.endOfTextLine = 1 + (int)std::count(bytes.begin(), bytes.begin() + end, '\n');

    std::string view = TextModeView(bytes);
    FILE* file = OpenScratchFile();
    if (!file) return false;
    bool written = fwrite(view.data(), 1, view.size(), file) == view.size() && fflush(file) == 0;
    rewind(file);
    char line[LOG_LINE_SIZE];
    int lineNumber = 1, part = 0;
    size_t start = 0;
    while (written && ReadLogLine(file, line)) {
        size_t next = (size_t)ftell(file);
        ScriptPiece piece;
        piece.line = lineNumber;
        piece.part = part;
        piece.text = line;
        piece.hasNul = memchr(view.data() + start, '\0', next - start) != nullptr;
        script.pieces.push_back(piece);
        if (next > 0 && view[next - 1] == '\n') {
            lineNumber++;
            part = 0;
        } else {
            part++;
        }
        start = next;
    }
    fclose(file);
    return written;
}
