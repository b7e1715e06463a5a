// The install script read as the setup reads it: the C library's text mode of Windows (CR LF
// read as LF, a Ctrl-Z byte ends the text), then the engine's line reader, whose pieces of at most
// 511 bytes each count as a line. Each piece keeps the number of the file's line it came from.
#pragma once
#include <string>
#include <vector>

struct ScriptPiece {
    int line = 0;            // the file's line, from 1
    int part = 0;            // 0: the line's first piece; 1, 2, ...: the rest of a longer line
    std::string text;        // the piece as the setup reads it, in 1250
    bool hasNul = false;     // the piece held a NUL byte, where the setup's text ends
};

struct Script {
    std::vector<ScriptPiece> pieces;
    int endOfTextLine = 0;   // the line of a Ctrl-Z byte, after which the setup reads nothing; 0 if none
};

// False when the pieces could not be read (no scratch file).
bool ReadScript(const std::string& bytes, Script& script);
