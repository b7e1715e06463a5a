#include "regbackup.h"
#include "sandbox.h"

namespace {

void SaveTree(HKEY key, RegKeyBackup::Tree& tree)
{
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameSize = sizeof(name), type = 0, dataSize = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
        RegKeyBackup::Value value{ std::string(name, nameSize), type, std::vector<BYTE>(dataSize) };
        nameSize = sizeof(name);
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, value.data.data(), &dataSize) != ERROR_SUCCESS) break;
        value.data.resize(dataSize);
        tree.values.push_back(std::move(value));
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        std::unique_ptr<RegKeyBackup::Tree> child(new RegKeyBackup::Tree);
        HKEY sub;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) {
            SaveTree(sub, *child);
            RegCloseKey(sub);
        }
        tree.children.emplace_back(std::string(name, nameSize), std::move(child));
    }
}

void WriteTree(HKEY key, const RegKeyBackup::Tree& tree)
{
    for (const RegKeyBackup::Value& value : tree.values)
        RegSetValueExA(key, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type,
                       value.data.data(), (DWORD)value.data.size());
    for (const auto& child : tree.children) {
        HKEY sub;
        if (RegCreateKeyExA(key, child.first.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr) != ERROR_SUCCESS)
            continue;
        WriteTree(sub, *child.second);
        RegCloseKey(sub);
    }
}

} // namespace

RegKeyBackup::RegKeyBackup(HKEY root, const std::string& key) : m_root(root), m_key(key), m_existed(false)
{
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return;
    m_existed = true;
    SaveTree(h, m_tree);
    RegCloseKey(h);
}

RegKeyBackup::~RegKeyBackup() { Restore(); }

void RegKeyBackup::Restore()
{
    RegDeleteTree(m_root, m_key);
    if (!m_existed) return;
    HKEY h;
    if (RegCreateKeyExA(m_root, m_key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return;
    WriteTree(h, m_tree);
    RegCloseKey(h);
}
