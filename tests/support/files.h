// Small file helpers for tests. Paths are ANSI.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

bool FileExists(const std::string& path);     // a file (not a folder)
bool FolderExists(const std::string& path);
// Writes the bytes exactly as given (binary), creating or replacing the file.
bool WriteFileText(const std::string& path, const std::string& text);
// The whole file as bytes; empty when it cannot be read.
std::string ReadFileText(const std::string& path);
// The file's lines without their line ends; empty when it cannot be read.
std::vector<std::string> ReadLines(const std::string& path);
// Creates the folder and every missing folder on its path; TRUE when the folder is there.
bool MakeFolders(const std::string& path);
// Removes a file or a whole folder tree (read-only attributes cleared first); TRUE when it is gone.
bool RemoveTree(const std::string& path);
