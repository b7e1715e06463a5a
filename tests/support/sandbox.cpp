#include "sandbox.h"
#include <shlobj.h>

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const kUserFolders[] = { "Programs", "Desktop", "Startup" };
const char* const kCommonFolders[] = { "Common Programs", "Common Desktop", "Common Startup" };

HKEY RootOf(bool allUsers) { return allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

bool ReadValue(HKEY root, const std::string& key, const char* name, std::string& value)
{
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    char buffer[4096] = {};
    DWORD size = sizeof(buffer) - 1, type;
    LONG r = RegQueryValueExA(h, name, nullptr, &type, (BYTE*)buffer, &size);
    RegCloseKey(h);
    if (r != ERROR_SUCCESS) return false;
    value = type == REG_DWORD ? std::to_string(*(const DWORD*)buffer) : std::string(buffer);
    return true;
}

void DeleteValue(HKEY root, const std::string& key, const char* name)
{
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return;
    RegDeleteValueA(h, name);
    RegCloseKey(h);
}

// Removes the folder when it is empty, then its parents while they are empty, up to stop.
void RemoveEmptyUpTo(std::string folder, const std::string& stop)
{
    while (folder.size() > stop.size() && RemoveDirectoryA(folder.c_str())) {
        size_t slash = folder.find_last_of('\\');
        if (slash == std::string::npos) break;
        folder.resize(slash);
    }
}

} // namespace

Sandbox::Sandbox(const std::string& suite) : m_root("C:\\glmtest\\" + suite)
{
    m_groups.push_back("Glimra 5");
    Clean();
}

Sandbox::~Sandbox()
{
    Clean();
    RestoreShellFolders();
    RemoveTree(m_root);
    RemoveDirectoryA("C:\\glmtest");
}

void Sandbox::SaveValue(HKEY root, const char* key, const char* valueName)
{
    for (const SavedValue& s : m_saved)
        if (s.root == root && s.key == key && s.name == valueName) return;
    SavedValue saved{root, key, valueName, false, REG_SZ, ""};
    HKEY h;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) == ERROR_SUCCESS) {
        char buffer[4096];
        DWORD size = sizeof(buffer);
        if (RegQueryValueExA(h, valueName, nullptr, &saved.type, (BYTE*)buffer, &size) == ERROR_SUCCESS) {
            saved.existed = true;
            saved.data.assign(buffer, size);
        }
        RegCloseKey(h);
    }
    m_saved.push_back(saved);
}

void Sandbox::SetShellFolder(bool allUsers, const char* valueName, const std::string& path)
{
    SaveValue(RootOf(allUsers), kShellFolders, valueName);
    SaveValue(RootOf(allUsers), kUserShellFolders, valueName);
    RegSetString(RootOf(allUsers), kShellFolders, valueName, path);
    RegSetString(RootOf(allUsers), kUserShellFolders, valueName, path);
}

void Sandbox::OverrideValue(HKEY root, const std::string& key, const char* valueName, const std::string& value)
{
    SaveValue(root, key.c_str(), valueName);
    RegSetString(root, key, valueName, value);
}

void Sandbox::DeleteShellFolder(bool allUsers, const char* valueName)
{
    SaveValue(RootOf(allUsers), kShellFolders, valueName);
    SaveValue(RootOf(allUsers), kUserShellFolders, valueName);
    DeleteValue(RootOf(allUsers), kShellFolders, valueName);
    DeleteValue(RootOf(allUsers), kUserShellFolders, valueName);
}

ShellFolderPaths Sandbox::RedirectShellFolders()
{
    for (const char* name : kUserFolders) {
        std::string folder = Path(std::string("user\\") + name);
        MakeFolders(folder);
        SetShellFolder(false, name, folder);
    }
    for (const char* name : kCommonFolders) {
        std::string folder = Path(std::string("common\\") + (name + 7));
        MakeFolders(folder);
        SetShellFolder(true, name, folder);
    }
    return { Path("user\\Programs"), Path("user\\Desktop"), Path("user\\Startup"),
             Path("common\\Programs"), Path("common\\Desktop"), Path("common\\Startup") };
}

void Sandbox::RestoreShellFolders()
{
    for (const SavedValue& s : m_saved) {
        HKEY h;
        if (!s.existed) {
            DeleteValue(s.root, s.key, s.name.c_str());
        } else if (RegCreateKeyExA(s.root, s.key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(h, s.name.c_str(), 0, s.type, (const BYTE*)s.data.data(), (DWORD)s.data.size());
            RegCloseKey(h);
        }
    }
    m_saved.clear();
}

void Sandbox::AddProgramGroup(const std::string& group)
{
    m_groups.push_back(group);
}

void Sandbox::Clean()
{
    // Registry entries the installer writes and the uninstaller removes.
    RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvane\\Glimra v.5");
    RegDeleteTree(HKEY_CURRENT_USER, "SOFTWARE\\Orvane\\Glimra v.5");
    RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Glmr5.exe");
    RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5");
    RegDeleteTree(HKEY_CLASSES_ROOT, "Glm5.Document");
    for (HKEY root : { HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER }) {
        HKEY h;
        if (RegOpenKeyExA(root, "SOFTWARE", 0, KEY_ALL_ACCESS, &h) == ERROR_SUCCESS) {
            RegDeleteKeyA(h, "Orvane");     // only when nothing is left under it
            RegCloseKey(h);
        }
    }

    // Groups and "Glimra 5" shortcuts in the shell folders both roots name now.
    for (bool allUsers : { false, true }) {
        const char* const* names = allUsers ? kCommonFolders : kUserFolders;
        std::string programs, desktop, startup;
        if (ReadValue(RootOf(allUsers), kShellFolders, names[0], programs) && !programs.empty()) {
            for (const std::string& group : m_groups) {
                RemoveTree(programs + "\\" + group);
                size_t slash = group.find_last_of('\\');
                if (slash != std::string::npos) RemoveEmptyUpTo(programs + "\\" + group.substr(0, slash), programs);
            }
        }
        if (ReadValue(RootOf(allUsers), kShellFolders, names[1], desktop) && !desktop.empty())
            DeleteFileA((desktop + "\\Glimra 5.lnk").c_str());
        if (ReadValue(RootOf(allUsers), kShellFolders, names[2], startup) && !startup.empty())
            DeleteFileA((startup + "\\Glimra 5.lnk").c_str());
    }

    // The scratch root, kept as an empty folder; the shell folders a case redirected into it are
    // made again, so they exist for the case.
    RemoveTree(m_root);
    MakeFolders(m_root);
    for (const SavedValue& s : m_saved) {
        std::string value;
        if (ReadValue(s.root, s.key, s.name.c_str(), value) &&
            value.compare(0, m_root.size() + 1, m_root + "\\") == 0)
            MakeFolders(value);
    }
}

std::string RegString(HKEY root, const std::string& key, const char* valueName)
{
    std::string value;
    return ReadValue(root, key, valueName, value) ? value : std::string("<missing>");
}

bool RegKeyExists(HKEY root, const std::string& key)
{
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

void RegSetString(HKEY root, const std::string& key, const char* valueName, const std::string& value)
{
    HKEY h;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(h, valueName, 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
    RegCloseKey(h);
}

void RegDeleteTree(HKEY root, const std::string& key)
{
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &h) == ERROR_SUCCESS) {
        char child[512];
        DWORD size = sizeof(child);
        std::vector<std::string> children;
        for (DWORD i = 0; size = sizeof(child), RegEnumKeyExA(h, i, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; i++)
            children.push_back(child);
        RegCloseKey(h);
        for (const std::string& c : children) RegDeleteTree(root, key + "\\" + c);
    }
    RegDeleteKeyA(root, key.c_str());
}

ShortcutInfo ReadShortcut(const std::string& linkPath)
{
    ShortcutInfo info;
    // Balanced with CoUninitialize, so the caller's COM state is what it was.
    HRESULT init = CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file))) {
            wchar_t wide[MAX_PATH * 2] = {};
            MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH * 2);
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                info.loaded = true;
                char buffer[1024] = {};
                if (link->GetPath(buffer, sizeof(buffer), nullptr, SLGP_RAWPATH) == S_OK) info.target = buffer;
                buffer[0] = 0;
                link->GetArguments(buffer, sizeof(buffer));
                info.arguments = buffer;
                buffer[0] = 0;
                link->GetWorkingDirectory(buffer, sizeof(buffer));
                info.workingDir = buffer;
                buffer[0] = 0;
                link->GetDescription(buffer, sizeof(buffer));
                info.description = buffer;
            }
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
    // The show command straight from the file header (offset 0x3C): Wine's link object does not
    // give it back after loading.
    std::string raw = ReadFileText(linkPath);
    if (info.loaded && raw.size() >= 0x40) info.showCmd = *(const int*)(raw.data() + 0x3C);
    return info;
}
