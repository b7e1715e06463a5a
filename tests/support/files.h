// File helpers for tests: scratch folders, whole-file reads and writes, folder listings. Paths are
// ANSI.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

bool PathExists(const std::string& path);    // a file or a folder
bool FileExists(const std::string& path);    // a file (not a folder)
bool FolderExists(const std::string& path);
// The file's attributes; INVALID_FILE_ATTRIBUTES when it is missing.
DWORD Attributes(const std::string& path);

// Writes the bytes exactly as given (binary), creating or replacing the file.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// The whole file as bytes; "<missing>" when it cannot be opened, so a failure message says so.
std::string ReadFileBytes(const std::string& path);
// The whole file as bytes; empty when it cannot be opened.
std::string ReadFileText(const std::string& path);
// The file's lines without their line ends; empty when it cannot be read.
std::vector<std::string> ReadLines(const std::string& path);

// Creates the folder and every missing folder on its path; TRUE when the folder is there.
bool MakeFolders(const std::string& path);
// Removes a file or a whole folder tree (read-only and hidden entries too); TRUE when it is gone.
bool RemoveTree(const std::string& path);
// Removes and recreates the folder (making its parents); returns its path.
std::string FreshFolder(const std::string& path);

// The names a directory search on folder\pattern returns (not "." and ".."), in its order.
std::vector<std::string> SearchOrder(const std::string& folder, const std::string& pattern);
// The names in a folder (not "." and ".."), sorted.
std::vector<std::string> ListFolder(const std::string& folder);
// Every file and folder under folder, sorted, sub-folders ending in "\", joined with ",".
std::string TreeText(const std::string& folder);
// Joins a list of names with "," for readable failure messages.
std::string Joined(const std::vector<std::string>& names);
