#include "madelist.h"
#include "framework.h"
#include "runrecord.h"

// One item a line: a kind letter, then the path; a value is its key, a tab and its name.
static CString s_strMade;

static void NoteItem(char kind, const char* text)
{
    s_strMade += kind;
    s_strMade += text;
    s_strMade += '\n';
}

void NoteMadeFile(const char* path) { NoteItem('F', path); }
void NoteMadeFolder(const char* path) { NoteItem('D', path); }
void NoteMadeKey(const char* key) { NoteItem('K', key); }

void NoteMadeValue(const char* key, const char* value)
{
    NoteItem('V', CString(key) + "\t" + (value ? value : ""));
}

static void DeleteMadeValue(const CString& item)
{
    int tab = item.Find('\t');
    CString name = item.Mid(tab + 1);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, item.Left(tab), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name.IsEmpty() ? nullptr : name.GetString());
    RegCloseKey(key);
}

static void UndoItem(char kind, const CString& text)
{
    switch (kind) {
    case 'F':
        SetFileAttributesA(text, FILE_ATTRIBUTE_NORMAL);
        if (DeleteFileA(text)) LogRunLine("undone: file %s", text.GetString());
        break;
    case 'D':
        if (RemoveDirectoryA(text)) LogRunLine("undone: folder %s", text.GetString());
        break;
    case 'K':
        if (RegDeleteKeyA(HKEY_LOCAL_MACHINE, text) == ERROR_SUCCESS) LogRunLine("undone: key %s", text.GetString());
        break;
    case 'V':
        DeleteMadeValue(text);
        break;
    }
}

void UndoMadeItems()
{
    CString made = s_strMade;
    ForgetMadeItems();
    int end = made.GetLength();
    while (end > 0) {
        int start = end - 1;
        while (start > 0 && made[start - 1] != '\n') start--;
        UndoItem(made[start], made.Mid(start + 1, end - 2 - start));
        end = start;
    }
}

void ForgetMadeItems() { s_strMade.Empty(); }
