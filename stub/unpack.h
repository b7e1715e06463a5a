// Unpacking the payload's files into the unpack folder.
#pragma once
#include "bundle.h"

// Decodes the payload's stream and writes its files into the folder, each name checked to stay
// inside it. Interactive runs (showProgress) show a progress window when this takes longer than
// about half a second. Records the damage or failure and returns false; what was written stays
// for the caller to remove with the folder.
bool UnpackPayload(const Bundle& bundle, const wchar_t* folder, bool showProgress);
