// Scratch folders, files and the delayed-operation list for the engine tests.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "files.h"
#include "pending.h"
#include "process.h"

// Root of this suite's scratch folders.
#define ENGINE_ROOT "C:\\glmtest\\engine"

// Removes and recreates ENGINE_ROOT\name (with C:\glmtest and ENGINE_ROOT); returns its path.
std::string FreshFolder(const std::string& name);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be opened.
std::string ReadFileBytes(const std::string& path);
bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);
DWORD Attributes(const std::string& path);
// The names in a folder (not "." and ".."), sorted.
std::vector<std::string> ListFolder(const std::string& folder);
// The names a directory search on folder\pattern returns, in its order.
std::vector<std::string> SearchOrder(const std::string& folder, const std::string& pattern);

// Takes every entry whose source lies under ENGINE_ROOT out of the delayed-operation list.
void RemoveOwnPendingRenames();

// Starts a copy of the holder program at path, which then stays in use until StopHolder.
ChildProcess StartHolder(const std::string& path);
void StopHolder(ChildProcess& child);

// Joins a list of names with "," for readable failure messages.
std::string Joined(const std::vector<std::string>& names);
