// A registry key saved with its values and subkeys when made, and put back as it was when
// destroyed: a key that did not exist is deleted again. For tests that change keys of the system.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

class RegKeyBackup {
public:
    RegKeyBackup(HKEY root, const std::string& key);
    ~RegKeyBackup();
    RegKeyBackup(const RegKeyBackup&) = delete;
    RegKeyBackup& operator=(const RegKeyBackup&) = delete;

    bool Existed() const { return m_existed; }
    // Deletes whatever the key holds now and writes the saved state back.
    void Restore();

    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    struct Tree {
        std::vector<Value> values;
        std::vector<std::pair<std::string, std::unique_ptr<Tree>>> children;
    };

private:
    HKEY m_root;
    std::string m_key;
    bool m_existed;
    Tree m_tree;
};
