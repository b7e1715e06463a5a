// Test sandbox: keeps cases apart. It removes what the product leaves on the machine (its registry
// keys, its program groups and "Glimra 5" shortcuts in every shell folder, the case's scratch
// folder) before and after a case, and puts back every Shell Folders value a case changed.
//
// Typical use in a fixture:
//     Sandbox box{"shell"};                 // scratch root C:\glmtest\shell, cleaned now
//     box.RedirectShellFolders();           // the six Shell Folders values point into the scratch root
//     ... the case ...
// and the destructor cleans again and restores the Shell Folders values.
#pragma once
#include <windows.h>
#include <string>
#include "files.h"
#include <vector>

// The six shell folders as RedirectShellFolders sets them (user\<name>, common\<name> below the root).
struct ShellFolderPaths {
    std::string userPrograms, userDesktop, userStartup, commonPrograms, commonDesktop, commonStartup;
};

class Sandbox {
public:
    // suite: name of the scratch folder C:\glmtest\<suite>. The clean-up runs at once.
    explicit Sandbox(const std::string& suite);
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // C:\glmtest\<suite>, created and empty; Path("a\\b") is C:\glmtest\<suite>\a\b.
    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& relative) const { return m_root + "\\" + relative; }

    // Sets or removes a Shell Folders value of HKEY_CURRENT_USER (allUsers false) or
    // HKEY_LOCAL_MACHINE (true). The same-named "User Shell Folders" value is set or removed as
    // well: the shell rewrites Shell Folders values from it whenever it resolves such a folder.
    // The first change of each value saves its original for restoring.
    void SetShellFolder(bool allUsers, const char* valueName, const std::string& path);
    void DeleteShellFolder(bool allUsers, const char* valueName);

    // Any other string value a case changes (for example the Shell Folders of HKEY_USERS\.DEFAULT):
    // set now, put back (or removed) when the sandbox ends.
    void OverrideValue(HKEY root, const std::string& key, const char* valueName, const std::string& value);

    // Points Programs, Desktop, Startup (current user) and Common Programs, Common Desktop,
    // Common Startup (all users) at folders <root>\user\... and <root>\common\..., created empty.
    ShellFolderPaths RedirectShellFolders();

    // A program group (relative to a Programs folder, e.g. "Tools\\Glimra 5") that the clean-up
    // removes as well, with the folders above it when they are empty. "Glimra 5" is always removed.
    void AddProgramGroup(const std::string& group);

    // Removes the product's registry keys, groups, shortcuts and the scratch root's contents.
    void Clean();

private:
    struct SavedValue {
        HKEY root;
        std::string key;
        std::string name;
        bool existed;
        DWORD type;
        std::string data;
    };
    void SaveValue(HKEY root, const char* key, const char* valueName);
    void RestoreShellFolders();

    std::string m_root;
    std::vector<SavedValue> m_saved;
    std::vector<std::string> m_groups;
};

// ---- Small file and registry helpers for tests ----

// Registry: a string value (a DWORD as its decimal number), or "<missing>" when the key or value
// is absent.
std::string RegString(HKEY root, const std::string& key, const char* valueName);
bool RegKeyExists(HKEY root, const std::string& key);
void RegSetString(HKEY root, const std::string& key, const char* valueName, const std::string& value);
// Deletes the key with all its subkeys; nothing when it is missing.
void RegDeleteTree(HKEY root, const std::string& key);

// A shortcut file read back through the shell's link object.
struct ShortcutInfo {
    bool loaded = false;        // IPersistFile::Load succeeded
    std::string target;
    std::string arguments;
    std::string workingDir;
    std::string description;
    int showCmd = 0;
};
ShortcutInfo ReadShortcut(const std::string& linkPath);
