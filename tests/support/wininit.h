// The WININIT.INI of the Windows folder, whose "rename" section lists deletions at the next start:
// a fixture member that saves the file and puts it back, and the section's entries.
#pragma once
#include <string>
#include <vector>

// Saves the file when made and, when destroyed, removes what the test left and restores it.
class WininitBackup {
public:
    WininitBackup();
    ~WininitBackup();
    const std::string& Path() const { return m_path; }

private:
    std::string m_path, m_saved;
    bool m_had = false;
};

// The section's entries as the profile functions give them.
std::vector<std::string> WininitRenameEntries();
// Writes the section with exactly these entries (a test failure when the system refuses it).
void WriteWininitRenameSection(const std::vector<std::string>& entries);
