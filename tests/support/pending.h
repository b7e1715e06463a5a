// The system's list of files to delete or move at the next start (Wine keeps it in
// HKLM\System\CurrentControlSet\Control\Session Manager, value PendingFileRenameOperations).
#pragma once
#include <functional>
#include <string>
#include <vector>

// Source paths of the delayed operations, in order, without the "\??\" prefix.
std::vector<std::string> PendingRenameSources();

// Takes every delayed operation whose source (without its prefix) the predicate names out of the list.
void RemovePendingRenames(const std::function<bool(const std::string& source)>& ours);
