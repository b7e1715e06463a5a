// Scratch folders, files and checks shared by the bad-input rows.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#define HARD_ROOT "C:\\glmtest\\hardening"

// Removes a folder with everything in it (read-only and hidden entries too); no error when missing.
void RemoveTree(const std::string& path);
// Removes and recreates HARD_ROOT\name (with its parents); returns its path.
std::string FreshFolder(const std::string& name);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be opened.
std::string ReadFileBytes(const std::string& path);
bool PathExists(const std::string& path);
// Every file and folder under folder, sorted, sub-folders ending in "\", joined with ",".
std::string TreeText(const std::string& folder);
// Every heap of the process passes the system's consistency check: nothing was written past
// a heap block.
bool HeapsIntact();
// A text of n copies of ch.
std::string Repeat(char ch, size_t n);
