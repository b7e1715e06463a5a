// glmres_list: loads GlmRes5.dll as a host that answers its handshake and lists what a host can
// take from it: each resource type with the number of resources (id and language pairs) it has.
//   glmres_list [path of GlmRes5.dll]     (default: GlmRes5.dll on the usual search path)
// Exit code 0 when the library loaded, 1 when it did not.
#include <windows.h>
#include <cstdio>
#include <cstring>

extern "C" __declspec(dllexport) int WINAPI Glm5Callback(HMODULE, HMODULE)
{
    return 2741;
}

namespace {

struct TypeName {
    ULONG_PTR id;
    const char* name;
};

const TypeName kTypeNames[] = {
    {1, "CURSOR"}, {2, "BITMAP"}, {3, "ICON"}, {4, "MENU"}, {5, "DIALOG"}, {6, "STRING"},
    {9, "ACCELERATOR"}, {10, "RCDATA"}, {12, "GROUP_CURSOR"}, {14, "GROUP_ICON"}, {16, "VERSION"},
    {240, "DLGINIT"}, {241, "TOOLBAR"},
};

void DescribeType(LPCSTR type, char* out, size_t size)
{
    if (!IS_INTRESOURCE(type)) {
        snprintf(out, size, "%s", type);
        return;
    }
    ULONG_PTR id = (ULONG_PTR)type;
    for (const TypeName& t : kTypeNames) {
        if (t.id == id) {
            snprintf(out, size, "%s (%lu)", t.name, (unsigned long)id);
            return;
        }
    }
    snprintf(out, size, "#%lu", (unsigned long)id);
}

BOOL CALLBACK CountLanguage(HMODULE, LPCSTR, LPCSTR, WORD, LONG_PTR count)
{
    ++*(int*)count;
    return TRUE;
}

BOOL CALLBACK CountName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR count)
{
    EnumResourceLanguagesA(module, type, name, CountLanguage, count);
    return TRUE;
}

BOOL CALLBACK PrintType(HMODULE module, LPSTR type, LONG_PTR total)
{
    int count = 0;
    EnumResourceNamesA(module, type, CountName, (LONG_PTR)&count);
    char name[64];
    DescribeType(type, name, sizeof(name));
    printf("%-20s %5d\n", name, count);
    *(int*)total += count;
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "GlmRes5.dll";
    HMODULE lib = LoadLibraryA(path);
    if (!lib) {
        printf("%s: not loaded (error %lu)\n", path, GetLastError());
        return 1;
    }
    char full[MAX_PATH];
    GetModuleFileNameA(lib, full, sizeof(full));
    printf("%s: loaded\n", full);
    printf("%-20s %5s\n", "type", "count");
    int total = 0;
    EnumResourceTypesA(lib, PrintType, (LONG_PTR)&total);
    printf("%-20s %5d\n", "total", total);
    fflush(stdout);
    FreeLibrary(lib);
    return 0;
}
