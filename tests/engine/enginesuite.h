// What the engine tests share beyond the file helpers: their scratch root, the delayed-operation
// list and a program that holds its file in use.
#pragma once
#include <windows.h>
#include <string>
#include "files.h"
#include "pending.h"
#include "process.h"

// Root of this suite's scratch folders.
#define ENGINE_ROOT "C:\\glmtest\\engine"

// Takes every entry whose source lies under ENGINE_ROOT out of the delayed-operation list.
void RemoveOwnPendingRenames();

// Starts a copy of the holder program at path, which then stays in use until StopHolder.
ChildProcess StartHolder(const std::string& path);
void StopHolder(ChildProcess& child);
