// Checks of the install script's lines by their form: lines that look like records but are read
// as comments, records that belong in an installation log, names the setup refuses on lines it
// deletes by, bytes that are not text of code page 1250, and lines the reader splits or never reads.
#pragma once
#include "diagnostic.h"
#include "scriptreader.h"

void LintScript(const std::string& bytes, const Script& script, Diagnostics& diagnostics);
