#include "pending.h"
#include <windows.h>

namespace {

const char kSessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";

// The value's strings in pairs: source, target (empty for a deletion).
std::vector<std::string> ReadPendingStrings()
{
    std::vector<std::string> strings;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return strings;
    DWORD size = 0;
    if (RegQueryValueExA(key, kPendingValue, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        std::vector<char> data(size + 2, '\0');
        if (RegQueryValueExA(key, kPendingValue, nullptr, nullptr, (BYTE*)data.data(), &size) == ERROR_SUCCESS) {
            size_t pos = 0;
            while (pos < size) {
                std::string text(data.data() + pos);
                pos += text.size() + 1;
                strings.push_back(text);
            }
        }
    }
    RegCloseKey(key);
    // The list ends with an extra NUL, read as one more empty string.
    if (strings.size() % 2 == 1 && strings.back().empty()) strings.pop_back();
    return strings;
}

std::string StripNtPrefix(const std::string& path)
{
    return path.compare(0, 4, "\\??\\") == 0 ? path.substr(4) : path;
}

}  // namespace

std::vector<std::string> PendingRenameSources()
{
    std::vector<std::string> strings = ReadPendingStrings(), sources;
    for (size_t i = 0; i < strings.size(); i += 2) sources.push_back(StripNtPrefix(strings[i]));
    return sources;
}

void RemovePendingRenames(const std::function<bool(const std::string& source)>& ours)
{
    std::vector<std::string> strings = ReadPendingStrings();
    std::string kept;
    bool changed = false;
    for (size_t i = 0; i < strings.size(); i += 2) {
        if (ours(StripNtPrefix(strings[i]))) {
            changed = true;
            continue;
        }
        kept += strings[i];
        kept += '\0';
        kept += i + 1 < strings.size() ? strings[i + 1] : std::string();
        kept += '\0';
    }
    if (!changed) return;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (kept.empty()) {
        RegDeleteValueA(key, kPendingValue);
    } else {
        kept += '\0';
        RegSetValueExA(key, kPendingValue, 0, REG_MULTI_SZ, (const BYTE*)kept.data(), (DWORD)kept.size());
    }
    RegCloseKey(key);
}
