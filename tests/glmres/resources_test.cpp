// The resources, taken from the library the way the capture application takes them. The test
// program is itself a host: it exports Glm5Callback answering 2741 and loads the library here.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "dialogtemplate.h"
#include "expected.h"
#include "resource_reader.h"
#include "test_paths.h"

static int g_callbackCalls;
static HMODULE g_callbackExe;
static HMODULE g_callbackLib;

extern "C" __declspec(dllexport) int WINAPI Glm5Callback(HMODULE exe, HMODULE lib)
{
    ++g_callbackCalls;
    g_callbackExe = exe;
    g_callbackLib = lib;
    return 2741;
}

namespace {

#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved, type, count;
};
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
struct GroupCursorEntry {
    WORD width, height, planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

LPCSTR NameOf(const std::string& name)
{
    return name[0] == '#' ? MAKEINTRESOURCEA(atoi(name.c_str() + 1)) : name.c_str();
}

std::string Describe(std::vector<WORD> languages)
{
    std::string out;
    for (WORD l : languages) out += std::to_string(l) + " ";
    return out.empty() ? "none" : out;
}

// Reports the first line where two line lists part.
void ExpectSameLines(const std::vector<std::string>& expected, const std::vector<std::string>& actual,
                     const std::string& what)
{
    size_t n = std::min(expected.size(), actual.size());
    for (size_t i = 0; i < n; ++i) {
        if (expected[i] != actual[i]) {
            ADD_FAILURE() << what << ", line " << i << ": expected \"" << expected[i] << "\", got \""
                          << actual[i] << "\"";
            return;
        }
    }
    EXPECT_EQ(expected.size(), actual.size())
        << what << ": first extra or missing line \""
        << (expected.size() > n ? expected[n] : actual.size() > n ? actual[n] : "") << "\"";
}

class GlmResResources : public ::testing::Test {
protected:
    static HMODULE s_lib;
    static HWND s_parent;

    static void SetUpTestSuite()
    {
        InitCommonControls();
        s_lib = LoadLibraryA(LibraryPath().c_str());
        s_parent = CreateWindowExA(0, "STATIC", "glmres parent", WS_POPUP, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    }
    static void TearDownTestSuite()
    {
        if (s_parent) DestroyWindow(s_parent);
        if (s_lib) FreeLibrary(s_lib);
        s_lib = nullptr;
    }
    void SetUp() override { ASSERT_NE(nullptr, s_lib) << LibraryPath() << ": error " << GetLastError(); }

    // The resource under exactly this language, and under no other.
    static ResourceData Only(LPCSTR type, LPCSTR name, WORD language, const std::string& what)
    {
        std::vector<WORD> languages = ResourceLanguages(s_lib, type, name);
        EXPECT_EQ(1u, languages.size()) << what << ": languages " << Describe(languages);
        ResourceData res = FindResourceData(s_lib, type, name, language);
        EXPECT_TRUE(res) << what << " not found under language " << language << "; present under "
                         << Describe(languages);
        return res;
    }

    static std::string String(UINT id)
    {
        std::string text;
        return ReadString(s_lib, id, kLangEnglishUS, &text) ? text : std::string("<missing>");
    }
};
HMODULE GlmResResources::s_lib;
HWND GlmResResources::s_parent;

TEST_F(GlmResResources, InProcessHostIsCalledOnceWithItsOwnAndTheLibrarysHandle)
{
    EXPECT_EQ(1, g_callbackCalls);
    EXPECT_EQ(GetModuleHandleA(nullptr), g_callbackExe);
    EXPECT_EQ(s_lib, g_callbackLib);
}

TEST_F(GlmResResources, EachTypeHoldsExactlyTheListedNumberOfResources)
{
    struct Count { LPCSTR type; const char* name; int count; };
    const Count counts[] = {
        {RT_DIALOG, "dialog", 71}, {RT_MENU, "menu", 6}, {RT_ACCELERATOR, "accelerators", 2},
        {RT_BITMAP, "bitmap", 36}, {RT_CURSOR, "cursor", 32}, {RT_GROUP_CURSOR, "cursor group", 26},
        {RT_ICON, "icon", 14}, {RT_GROUP_ICON, "icon group", 6}, {"WAVE", "WAVE", 1},
        {MAKEINTRESOURCEA(240), "type 240", 5}, {MAKEINTRESOURCEA(241), "type 241", 5},
        {RT_VERSION, "version", 1},
    };
    for (const Count& c : counts)
        EXPECT_EQ(c.count, CountResourceNames(s_lib, c.type)) << c.name;
}

TEST_F(GlmResResources, DialogTemplatesHaveTheirTitlesStylesAndLanguages)
{
    for (const ExpectedDialog& d : kDialogs) {
        std::string what = "dialog " + std::to_string(d.id);
        ResourceData res = Only(RT_DIALOG, MAKEINTRESOURCEA(d.id), d.language, what);
        DialogTemplate t;
        ASSERT_TRUE(ParseDialogTemplate(res.data, res.size, t) && t.extended && t.version == 1)
            << what << ": not a DIALOGEX template";
        EXPECT_EQ(d.title, Narrow(t.caption.text.data(), t.caption.text.size())) << what;
        EXPECT_EQ(d.child, (t.style & WS_CHILD) != 0) << what << ": style " << std::hex << t.style;
        EXPECT_EQ(!d.child, (t.style & WS_POPUP) != 0) << what << ": style " << std::hex << t.style;
        EXPECT_EQ(d.title[0] != 0, (t.style & WS_CAPTION) == WS_CAPTION) << what << ": style " << std::hex
                                                                          << t.style;
    }
    EXPECT_EQ(71u, kDialogs.size());
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

TEST_F(GlmResResources, EveryDialogCanBeCreatedAndShowsItsTitle)
{
    for (const ExpectedDialog& d : kDialogs) {
        HWND dlg = CreateDialogParamA(s_lib, MAKEINTRESOURCEA(d.id), d.child ? s_parent : nullptr,
                                      QuietDialogProc, 0);
        ASSERT_NE(nullptr, dlg) << "dialog " << d.id << ": error " << GetLastError();
        char title[128] = {};
        GetWindowTextA(dlg, title, sizeof(title));
        // Titles with "&&" are tab labels, where the tab control shows a single "&"; the window
        // text keeps both.
        EXPECT_EQ(std::string(d.title), title) << "dialog " << d.id;
        DestroyWindow(dlg);
    }
}

TEST_F(GlmResResources, DialogInitialisationDataAddsTheListedStringsToTheCombos)
{
    const WORD kAddStringRecord = 0x0403;
    for (const ExpectedDlgInit& e : kDlgInits) {
        std::string what = "type 240 id " + std::to_string(e.id);
        ResourceData res = Only(MAKEINTRESOURCEA(240), MAKEINTRESOURCEA(e.id), kLangEnglishUS, what);
        ASSERT_TRUE(res) << what;
        // Decode: control, message, length, bytes ... until a control id of 0 at the very end.
        std::vector<std::pair<WORD, std::string>> records;
        DWORD at = 0;
        bool ended = false;
        while (at + 2 <= res.size) {
            WORD control;
            memcpy(&control, res.data + at, 2);
            at += 2;
            if (control == 0) { ended = true; break; }
            ASSERT_LE(at + 6, res.size) << what << ": record header cut at " << at;
            WORD message;
            DWORD length;
            memcpy(&message, res.data + at, 2);
            memcpy(&length, res.data + at + 2, 4);
            at += 6;
            EXPECT_EQ(kAddStringRecord, message) << what;
            ASSERT_LE(at + length, res.size) << what << ": data cut";
            ASSERT_GT(length, 0u) << what;
            EXPECT_EQ(0, res.data[at + length - 1]) << what << ": text not zero-terminated";
            records.emplace_back(control, std::string(reinterpret_cast<const char*>(res.data + at)));
            EXPECT_EQ(length, records.back().second.size() + 1) << what << ": length field";
            at += length;
        }
        EXPECT_TRUE(ended) << what << ": no terminating control id 0";
        EXPECT_EQ(res.size, at) << what << ": bytes after the terminator";
        EXPECT_EQ(e.records, records) << what;

        // Applied to its dialog, each record fills a combo box of that control id.
        bool child = std::find_if(kDialogs.begin(), kDialogs.end(), [&](const ExpectedDialog& d) {
                         return d.id == e.id;
                     })->child;
        HWND dlg = CreateDialogParamA(s_lib, MAKEINTRESOURCEA(e.id), child ? s_parent : nullptr,
                                      QuietDialogProc, 0);
        ASSERT_NE(nullptr, dlg) << what;
        for (const auto& r : records)
            EXPECT_GE(SendDlgItemMessageA(dlg, r.first, CB_ADDSTRING, 0, (LPARAM)r.second.c_str()), 0)
                << what << ": control " << r.first;
        WORD control = e.records.front().first;
        ASSERT_EQ((LRESULT)e.records.size(), SendDlgItemMessageA(dlg, control, CB_GETCOUNT, 0, 0)) << what;
        for (size_t i = 0; i < e.records.size(); ++i) {
            char text[64] = {};
            SendDlgItemMessageA(dlg, control, CB_GETLBTEXT, i, (LPARAM)text);
            EXPECT_EQ(e.records[i].second, text) << what << ", item " << i;
        }
        DestroyWindow(dlg);
    }
}

TEST_F(GlmResResources, ToolbarLayoutsMatchTheTablesAndTheirButtonStrips)
{
    for (const ExpectedToolbar& t : kToolbars) {
        std::string what = "type 241 id " + std::to_string(t.id);
        ResourceData res = Only(MAKEINTRESOURCEA(241), MAKEINTRESOURCEA(t.id), t.language, what);
        ASSERT_TRUE(res) << what;
        ASSERT_GE(res.size, 8u) << what;
        WORD header[4];
        memcpy(header, res.data, 8);
        EXPECT_EQ(1, header[0]) << what << ": version";
        EXPECT_EQ(t.width, header[1]) << what << ": button width";
        EXPECT_EQ(t.height, header[2]) << what << ": button height";
        ASSERT_EQ(t.commands.size(), header[3]) << what << ": item count";
        ASSERT_EQ(8u + 2u * header[3], res.size) << what << ": size";
        std::vector<WORD> commands(header[3]);
        memcpy(commands.data(), res.data + 8, 2 * header[3]);
        EXPECT_EQ(t.commands, commands) << what;

        // The strip of the same id is a row of button images, at least one for each item that
        // is not a gap (strip 2039 holds one image more than its layout uses).
        ResourceData strip = FindResourceData(s_lib, RT_BITMAP, t.id, t.language);
        ASSERT_TRUE(strip) << what << ": no bitmap";
        DibInfo dib = ReadDibHeader(strip.data, strip.size);
        long buttons = std::count_if(commands.begin(), commands.end(), [](WORD c) { return c != 0; });
        EXPECT_EQ(0, dib.width % t.width) << what << ": strip width " << dib.width;
        EXPECT_GE(dib.width, buttons * t.width) << what;
        EXPECT_LE(dib.width, (buttons + 1) * t.width) << what;
        EXPECT_EQ(t.height, dib.height) << what;
    }
}

TEST_F(GlmResResources, BitmapsAreUncompressedDibsOfTheListedSizesAndDepths)
{
    for (const ExpectedBitmap& b : kBitmaps) {
        std::string what = "bitmap " + std::to_string(b.id);
        ResourceData res = Only(RT_BITMAP, MAKEINTRESOURCEA(b.id), b.language, what);
        ASSERT_TRUE(res) << what;
        DibInfo dib = ReadDibHeader(res.data, res.size);
        ASSERT_TRUE(dib.ok) << what;
        EXPECT_EQ((DWORD)BI_RGB, dib.compression) << what;
        if (b.bits) EXPECT_EQ(b.bits, dib.bits) << what;
        else EXPECT_TRUE(dib.bits == 4 || dib.bits == 8) << what << ": " << dib.bits << " bits";
        if (b.width) EXPECT_EQ(b.width, dib.width) << what;
        if (b.height) EXPECT_EQ(b.height, dib.height) << what;
        EXPECT_GT(dib.width, 0) << what;
        EXPECT_GT(dib.height, 0) << what;
        // The whole pixel array is there: header, palette and rows padded to 4 bytes.
        DWORD stride = ((dib.width * dib.bits + 31) / 32) * 4;
        EXPECT_EQ(40u + 4u * (1u << dib.bits) + stride * dib.height, res.size) << what;

        HBITMAP bitmap = (HBITMAP)LoadImageA(s_lib, MAKEINTRESOURCEA(b.id), IMAGE_BITMAP, 0, 0,
                                             LR_CREATEDIBSECTION);
        ASSERT_NE(nullptr, bitmap) << what;
        BITMAP info = {};
        GetObjectA(bitmap, sizeof(info), &info);
        EXPECT_EQ(dib.width, info.bmWidth) << what;
        EXPECT_EQ(dib.height, info.bmHeight) << what;
        EXPECT_EQ(dib.bits, info.bmBitsPixel) << what;
        DeleteObject(bitmap);
    }
}

TEST_F(GlmResResources, IconGroupsHoldTheListedSizesAndDepths)
{
    for (const ExpectedIconGroup& g : kIconGroups) {
        std::string what = "icon group " + std::to_string(g.id);
        ResourceData res = Only(RT_GROUP_ICON, MAKEINTRESOURCEA(g.id), g.language, what);
        ASSERT_TRUE(res) << what;
        GroupHeader header;
        ASSERT_GE(res.size, sizeof(header)) << what;
        memcpy(&header, res.data, sizeof(header));
        EXPECT_EQ(1, header.type) << what;
        ASSERT_EQ(g.images.size(), header.count) << what;
        ASSERT_EQ(sizeof(header) + header.count * sizeof(GroupIconEntry), res.size) << what;
        for (size_t i = 0; i < g.images.size(); ++i) {
            std::string image = what + ", image " + std::to_string(i);
            GroupIconEntry e;
            memcpy(&e, res.data + sizeof(header) + i * sizeof(e), sizeof(e));
            EXPECT_EQ(g.images[i].first, e.width) << image;
            EXPECT_EQ(g.images[i].first, e.height) << image;
            EXPECT_EQ(g.images[i].second, e.bits) << image;
            ResourceData icon = Only(RT_ICON, MAKEINTRESOURCEA(e.id), g.language, image);
            ASSERT_TRUE(icon) << image;
            EXPECT_EQ(e.bytes, icon.size) << image;
            DibInfo dib = ReadDibHeader(icon.data, icon.size);
            EXPECT_EQ(g.images[i].first, dib.width) << image;
            EXPECT_EQ(2 * g.images[i].first, dib.height) << image << ": image and mask";
            EXPECT_EQ(g.images[i].second, dib.bits) << image;
            HICON h = CreateIconFromResourceEx((PBYTE)icon.data, icon.size, TRUE, 0x00030000, 0, 0, 0);
            EXPECT_NE(nullptr, h) << image << ": not a usable icon";
            if (h) DestroyIcon(h);
        }
    }
}

TEST_F(GlmResResources, CursorGroupsHoldMonochromeCursorsOfTheListedSizes)
{
    for (const ExpectedCursorGroup& g : kCursorGroups) {
        std::string what = "cursor group " + g.name;
        ResourceData res = Only(RT_GROUP_CURSOR, NameOf(g.name), g.language, what);
        ASSERT_TRUE(res) << what;
        GroupHeader header;
        ASSERT_GE(res.size, sizeof(header)) << what;
        memcpy(&header, res.data, sizeof(header));
        EXPECT_EQ(2, header.type) << what;
        ASSERT_EQ(g.sizes.size(), header.count) << what;
        for (size_t i = 0; i < g.sizes.size(); ++i) {
            std::string image = what + ", image " + std::to_string(i);
            GroupCursorEntry e;
            memcpy(&e, res.data + sizeof(header) + i * sizeof(e), sizeof(e));
            EXPECT_EQ(g.sizes[i], e.width) << image;
            EXPECT_EQ(1, e.bits) << image;
            ResourceData cursor = Only(RT_CURSOR, MAKEINTRESOURCEA(e.id), g.language, image);
            ASSERT_TRUE(cursor) << image;
            ASSERT_GT(cursor.size, 4u) << image;
            WORD hotspot[2];
            memcpy(hotspot, cursor.data, 4);
            EXPECT_LT(hotspot[0], g.sizes[i]) << image;
            EXPECT_LT(hotspot[1], g.sizes[i]) << image;
            DibInfo dib = ReadDibHeader(cursor.data + 4, cursor.size - 4);
            EXPECT_EQ(g.sizes[i], dib.width) << image;
            EXPECT_EQ(2 * g.sizes[i], dib.height) << image << ": image and mask";
            EXPECT_EQ(1, dib.bits) << image;
            HCURSOR h = CreateIconFromResourceEx((PBYTE)cursor.data, cursor.size, FALSE, 0x00030000, 0, 0, 0);
            EXPECT_NE(nullptr, h) << image << ": not a usable cursor";
            if (h) DestroyCursor(h);
        }
    }
    EXPECT_NE(nullptr, LoadCursorA(s_lib, "SCROLLCUR"));
}

TEST_F(GlmResResources, WaveIsShortPcmMono22050Hz8Bit)
{
    ResourceData res = Only("WAVE", MAKEINTRESOURCEA(2003), kLangEnglishUS, "WAVE 2003");
    ASSERT_TRUE(res);
    ASSERT_EQ(3419u, res.size);
    auto dword = [&](DWORD at) { DWORD v; memcpy(&v, res.data + at, 4); return v; };
    auto word = [&](DWORD at) { WORD v; memcpy(&v, res.data + at, 2); return v; };
    EXPECT_EQ(0, memcmp(res.data, "RIFF", 4));
    EXPECT_EQ(res.size - 8, dword(4)) << "RIFF size";
    EXPECT_EQ(0, memcmp(res.data + 8, "WAVEfmt ", 8));
    EXPECT_EQ(16u, dword(16)) << "fmt chunk size";
    EXPECT_EQ(1, word(20)) << "format (PCM)";
    EXPECT_EQ(1, word(22)) << "channels";
    EXPECT_EQ(22050u, dword(24)) << "samples per second";
    EXPECT_EQ(22050u, dword(28)) << "bytes per second";
    EXPECT_EQ(1, word(32)) << "block align";
    EXPECT_EQ(8, word(34)) << "bits per sample";
    EXPECT_EQ(0, memcmp(res.data + 36, "data", 4));
    EXPECT_EQ(res.size - 44, dword(40)) << "data size";
    // Not silence: the samples move away from the 8-bit midpoint.
    int loudest = 0;
    for (DWORD i = 44; i < res.size; ++i) loudest = std::max(loudest, abs(res.data[i] - 128));
    EXPECT_GT(loudest, 32);
}

std::string CleanMenuText(const char* text)
{
    std::string out;
    for (const char* p = text; *p && *p != '\t'; ++p) {
        if (*p == '&') {
            if (p[1] != '&') continue;
            ++p;
        }
        out += *p;
    }
    if (out.size() > 3 && out.compare(out.size() - 3, 3, "...") == 0) out.resize(out.size() - 3);
    return out;
}

void FlattenMenu(HMENU menu, int depth, std::vector<std::string>* lines)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof(text);
        if (!GetMenuItemInfoA(menu, i, TRUE, &mii)) {
            lines->push_back("<unreadable item>");
            continue;
        }
        std::string indent(2 * depth, ' ');
        if (mii.fType & MFT_SEPARATOR) {
            lines->push_back(indent + "-");
        } else if (mii.hSubMenu) {
            lines->push_back(indent + CleanMenuText(text) + " >");
            FlattenMenu(mii.hSubMenu, depth + 1, lines);
        } else {
            std::string line = indent + CleanMenuText(text) + " = " + std::to_string(mii.wID);
            if (mii.fState & MFS_GRAYED) line += " (grey)";
            lines->push_back(line);
        }
    }
}

TEST_F(GlmResResources, MenusHaveTheirItemsIdsSeparatorsSubMenusAndGreyedItems)
{
    for (const auto& m : kMenus) {
        std::string what = "menu " + std::to_string(m.first);
        Only(RT_MENU, MAKEINTRESOURCEA(m.first), kLangEnglishUS, what);
        HMENU menu = LoadMenuA(s_lib, MAKEINTRESOURCEA(m.first));
        ASSERT_NE(nullptr, menu) << what;
        std::vector<std::string> lines;
        FlattenMenu(menu, 0, &lines);
        DestroyMenu(menu);
        ExpectSameLines(m.second, lines, what);
    }
}

std::string DescribeAccelerator(const ACCEL& a)
{
    std::string out;
    if (a.fVirt & FCONTROL) out += "Ctrl+";
    if (a.fVirt & FSHIFT) out += "Shift+";
    if (a.fVirt & FALT) out += "Alt+";
    if (!(a.fVirt & FVIRTKEY)) out += "char ";
    static const std::pair<WORD, const char*> kKeys[] = {
        {VK_ADD, "Num +"}, {VK_BACK, "Backspace"}, {VK_DELETE, "Delete"}, {VK_F11, "F11"},
        {VK_INSERT, "Insert"}, {VK_NEXT, "Page Down"}, {VK_PRIOR, "Page Up"},
        {VK_SCROLL, "Scroll Lock"}, {VK_ESCAPE, "Escape"},
    };
    std::string key = (a.key >= 'A' && a.key <= 'Z') ? std::string(1, (char)a.key) : "key " + std::to_string(a.key);
    for (const auto& k : kKeys)
        if (k.first == a.key) key = k.second;
    return out + key + " = " + std::to_string(a.cmd);
}

TEST_F(GlmResResources, AcceleratorTablesHoldTheListedVirtualKeyEntries)
{
    for (const auto& t : kAccelerators) {
        std::string what = "accelerators " + std::to_string(t.first);
        Only(RT_ACCELERATOR, MAKEINTRESOURCEA(t.first), kLangEnglishUS, what);
        HACCEL table = LoadAcceleratorsA(s_lib, MAKEINTRESOURCEA(t.first));
        ASSERT_NE(nullptr, table) << what;
        int n = CopyAcceleratorTableA(table, nullptr, 0);
        std::vector<ACCEL> entries(n);
        CopyAcceleratorTableA(table, entries.data(), n);
        std::vector<std::string> actual;
        for (const ACCEL& a : entries) actual.push_back(DescribeAccelerator(a));
        std::vector<std::string> expected = t.second;
        std::sort(actual.begin(), actual.end());
        std::sort(expected.begin(), expected.end());
        ExpectSameLines(expected, actual, what);
    }
}

TEST_F(GlmResResources, StringsLieInTheListedGroupsUnderEnglishOnly)
{
    for (const auto& g : kStringGroups) {
        EXPECT_NE("<missing>", String(g.first)) << "string " << g.first;
        EXPECT_NE("<missing>", String(g.second)) << "string " << g.second;
    }
    int strings = 0;
    for (UINT block : ResourceIds(s_lib, RT_STRING)) {
        std::vector<WORD> languages = ResourceLanguages(s_lib, RT_STRING, MAKEINTRESOURCEA(block));
        EXPECT_EQ(std::vector<WORD>{kLangEnglishUS}, languages) << "string block " << block;
        for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
            std::string text;
            if (!ReadString(s_lib, id, kLangEnglishUS, &text)) continue;
            ++strings;
            bool inGroup = std::any_of(kStringGroups.begin(), kStringGroups.end(),
                                       [&](const std::pair<UINT, UINT>& g) { return g.first <= id && id <= g.second; });
            EXPECT_TRUE(inGroup) << "string " << id << " \"" << text << "\" lies outside every group";
        }
    }
    EXPECT_GT(strings, 500);
}

TEST_F(GlmResResources, QuotedStringsAreExact)
{
    // The document template: seven fields, the sixth the registry type id.
    std::string doc = String(99);
    EXPECT_EQ(6, std::count(doc.begin(), doc.end(), '\n')) << doc;
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t nl; (nl = doc.find('\n', start)) != std::string::npos; start = nl + 1)
        fields.push_back(doc.substr(start, nl - start));
    fields.push_back(doc.substr(start));
    ASSERT_EQ(7u, fields.size());
    EXPECT_EQ("Glmr5.Document", fields[5]);

    auto findIn = [&](UINT first, UINT last, const std::string& text) {
        for (UINT id = first; id <= last; ++id)
            if (String(id) == text) return true;
        return false;
    };
    EXPECT_TRUE(findIn(100, 187, "Capture &Full Screen"));
    EXPECT_TRUE(findIn(100, 187, "Bits per pixel: %d\n"));
    for (UINT id = 240; id <= 259; ++id) EXPECT_EQ("<dummy>", String(id)) << id;
    for (UINT id = 261; id <= 300; ++id) EXPECT_EQ("Insert this stamp.", String(id)) << id;
    EXPECT_EQ("Graphics Files|", String(400));
    EXPECT_TRUE(findIn(401, 461, "GIF (*.gif)|*.gif|"));
    EXPECT_TRUE(findIn(401, 461, "-"));
    EXPECT_EQ("Black", String(29001));
    EXPECT_EQ("Ellipse", String(29100));
    EXPECT_EQ("Blend selection", String(29113));
    EXPECT_EQ("Error no. %d has occurred:\n", String(34500));
    EXPECT_EQ("Not enough memory.", String(34501));
    for (UINT id = 34614; id <= 34621; ++id)
        EXPECT_EQ(0u, String(id).find("Press the key combination that will start")) << id << ": " << String(id);
    EXPECT_EQ("Glimra 5", String(57344));
    EXPECT_EQ("Press F1 key for important help!", String(57345));
    const char* indicators[] = {"EXT", "CAP", "NUM", "SCRL", "OVR", "REC"};
    for (UINT i = 0; i < 6; ++i) EXPECT_EQ(indicators[i], String(59136 + i));
}

void CollectMenuIds(HMENU menu, std::set<UINT>* ids)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU sub = GetSubMenu(menu, i);
        if (sub) CollectMenuIds(sub, ids);
        else if (GetMenuItemID(menu, i) != 0) ids->insert(GetMenuItemID(menu, i));
    }
}

TEST_F(GlmResResources, EveryMenuAndToolbarCommandHasAPromptAndATooltip)
{
    std::set<UINT> commands;
    for (const auto& m : kMenus) {
        HMENU menu = LoadMenuA(s_lib, MAKEINTRESOURCEA(m.first));
        ASSERT_NE(nullptr, menu);
        CollectMenuIds(menu, &commands);
        DestroyMenu(menu);
    }
    for (const ExpectedToolbar& t : kToolbars)
        for (WORD c : t.commands)
            if (c) commands.insert(c);
    const std::pair<UINT, UINT> promptGroups[] = {
        {2050, 2050}, {2065, 2065}, {16901, 16909}, {32771, 32989}, {40005, 40084},
        {57600, 57681}, {58112, 58118}, {59392, 59396},
    };
    int checked = 0;
    for (UINT id : commands) {
        bool prompted = std::any_of(std::begin(promptGroups), std::end(promptGroups),
                                    [&](const std::pair<UINT, UINT>& g) { return g.first <= id && id <= g.second; });
        if (!prompted) continue;
        ++checked;
        std::string text = String(id);
        size_t nl = text.find('\n');
        EXPECT_TRUE(nl != std::string::npos && nl > 0 && nl + 1 < text.size() &&
                    text.find('\n', nl + 1) == std::string::npos)
            << "command " << id << ": \"" << text << "\" is not \"prompt\\ntooltip\"";
    }
    EXPECT_GT(checked, 150);
}

std::string VersionString(const std::vector<char>& block, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), (LPVOID*)&value, &length)) return "<missing>";
    return length && value ? std::string(value) : std::string();
}

TEST_F(GlmResResources, VersionBlockHoldsTheListedValues)
{
    Only(RT_VERSION, MAKEINTRESOURCEA(1), kLangEnglishUS, "version 1");
    std::string path = LibraryPath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", (LPVOID*)&fixed, &length));
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(0x00080000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00080000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    EXPECT_EQ(0x3Fu, fixed->dwFileFlagsMask);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    EXPECT_EQ(4u, fixed->dwFileOS);
    EXPECT_EQ(1u, fixed->dwFileType);
    EXPECT_EQ(0u, fixed->dwFileSubtype);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", (LPVOID*)&translation, &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);
    EXPECT_EQ("8, 0, 0, 0", VersionString(block, "FileVersion"));
    EXPECT_EQ("8, 0, 0, 0", VersionString(block, "ProductVersion"));
    EXPECT_EQ("Glmr5", VersionString(block, "InternalName"));
    EXPECT_EQ("GlmRes5.dll", VersionString(block, "OriginalFilename"));
    EXPECT_EQ("Orvane Technology LLC", VersionString(block, "CompanyName"));
    EXPECT_EQ("Glimra 5", VersionString(block, "ProductName"));
    EXPECT_NE(std::string::npos, VersionString(block, "LegalCopyright").find("Orvane Technology LLC"));
    EXPECT_NE("", VersionString(block, "FileDescription"));
    for (const char* empty : {"Comments", "LegalTrademarks", "PrivateBuild", "SpecialBuild"})
        EXPECT_EQ("", VersionString(block, empty)) << empty;
}

} // namespace
