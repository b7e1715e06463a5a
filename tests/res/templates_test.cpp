// Dialog templates 103-108: the raw templates control by control, and the windows made from them.
#include <gtest/gtest.h>
#include <algorithm>
#include "restest.h"
#include "engine/helpers.h"
#include "engine/names.h"
#include "resource.h"

namespace {

struct Control {
    DWORD id;
    const char* cls;
    DWORD style;      // complete style of the template item
    DWORD exStyle;
    short x, y, cx, cy;
    const char* text; // UTF-8; nullptr for the picture, whose text is the bitmap's ordinal
};

struct Dialog {
    UINT id;
    bool extended;
    DWORD style;      // complete style of the template, DS_SETFONT included
    short cx, cy;
    const char* caption;
    std::vector<Control> controls;
};

const DWORD kChild = WS_CHILD;
const DWORD kPageStyle = DS_SETFONT | DS_CONTROL | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD kText = kChild | SS_LEFT | WS_VISIBLE | WS_GROUP;

const char* const kWelcomeHint =
    "Kérjük válassza a \"Tovább >\" gombot a telepítés folytatásához, illetve a \"Mégse\" gombot a "
    "telepítés megszakításához.";
const char* const kReadyHint =
    "Kérjük válassza a \"Tovább >\" gombot a telepítés folytatásához, illetve a \"< Vissza\" gombot a "
    "telepítési beállítások módosításához.";

const std::vector<Dialog>& Dialogs()
{
    static const std::vector<Dialog> dialogs = {
        {IDD_WIZARD, false, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 318, 204,
         "A Glimra 5 telepítése",
         {
             {IDC_BACK, "Button", kChild | BS_PUSHBUTTON | WS_VISIBLE | WS_GROUP | WS_TABSTOP, 0, 147, 184, 50, 14, "< &Vissza"},
             {IDOK, "Button", kChild | BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 0, 202, 184, 50, 14, "&Tovább >"},
             {IDCANCEL, "Button", kChild | BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 0, 257, 184, 50, 14, "Mégse"},
             {IDC_PICTURE, "Static", kChild | SS_BITMAP | SS_REALSIZECONTROL | SS_SUNKEN, 0, 11, 8, 81, 161, nullptr},
             {65535, "Static", kChild | SS_ETCHEDHORZ | WS_VISIBLE, 0, 11, 176, 296, 1, ""},
         }},
        {IDD_AGREEMENT_PAGE, false, kPageStyle, 313, 174, "",
         {
             {IDC_AGREEMENT_TEXT, "Edit",
              kChild | ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP, 0,
              0, 0, 313, 155, ""},
             {65535, "Static", kText, 0, 2, 160, 306, 10, "Elfogadja a feltételeket?"},
         }},
        {IDD_WELCOME_PAGE, false, kPageStyle, 217, 161, "",
         {
             {65535, "Static", kText, 0, 5, 0, 207, 28,
              "Üdvözli Önt a Glimra 5 Telepítő! Ez a program telepíti számítógépére a Glimra 5-öt."},
             {65535, "Static", kText, 0, 5, 32, 208, 25, kWelcomeHint},
             {IDC_VERSION_TEXT, "Static", kText, 0, 18, 72, 191, 25,
              "Glimra ver. %d.%02d.%02d %s\nOrvane Technology LLC\nMinden jog fenntartva."},
             {65535, "Static", kText, 0, 18, 100, 191, 10, MAKER_URL},
         }},
        {IDD_INSTALL_TYPE_PAGE, true, kPageStyle, 217, 163, "",
         {
             {65535, "Static", kText, 0, 5, 0, 207, 10, "Kérjük válassza ki a Glimra 5 telepítési típusát:"},
             {IDC_JUST_ME, "Button", kChild | BS_AUTORADIOBUTTON | WS_VISIBLE | WS_GROUP | WS_TABSTOP, 0,
              8, 12, 205, 9, "Telepítés kizárólag a jelenlegi felhasználó részére"},
             {IDC_ALL_USERS, "Button", kChild | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_TOP | WS_VISIBLE, 0,
              8, 23, 205, 29,
              "Telepítés az összes felhasználó részére\n(Ehhez adminisztrátori jogokkal kell rendelkeznie.)"},
             {65535, "Static", kText, 0, 5, 71, 207, 10, "A Glimra 5 az alábbi mappába kerül telepítésre."},
             {IDC_FOLDER_HINT, "Static", kText, 0, 5, 83, 205, 27,
              "Amennyiben máshova kívánja telepíteni, kérjük válassza a Tallóz gombot, majd keresse meg a "
              "célmappát."},
             {65535, "Button", kChild | BS_GROUPBOX | WS_VISIBLE, WS_EX_TRANSPARENT, 5, 111, 207, 51, "Célmappa"},
             {IDC_FOLDER, "Static", kText, 0, 11, 122, 197, 17, "Állandó"},
             {IDC_BROWSE, "Button", kChild | BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 0, 134, 141, 71, 16,
              "&Tallóz..."},
         }},
        {IDD_PROGRAM_GROUP_PAGE, false, kPageStyle, 217, 163, "",
         {
             {65535, "Static", kText, 0, 5, 0, 207, 17,
              "Adja meg a Programcsoport nevét, ahova a Glimra 5 indító ikonja kerüljön:"},
             {IDC_GROUP_COMBO, "ComboBox", kChild | CBS_SIMPLE | CBS_SORT | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP,
              0, 5, 18, 207, 125, ""},
             {IDC_AUTOSTART, "Button", kChild | BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP, 0, 5, 141, 207, 10,
              "A Glimra 5 automatikus indítása a Windows indításakor."},
             {IDC_DESKTOP_ICON, "Button", kChild | BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP, 0, 5, 152, 207, 10,
              "A Glimra 5 ikonjának elhelyezése az asztalon."},
         }},
        {IDD_READY_PAGE, false, kPageStyle, 217, 163, "",
         {
             {IDC_READY_TEXT, "Static", kText, 0, 5, 0, 207, 16, "Mostmár telepítheti a Glimra 5-öt."},
             {IDC_READY_HINT, "Static", kText, 0, 5, 19, 207, 28, kReadyHint},
             {IDC_PLEASE_WAIT, "Static", kChild | SS_CENTER | WS_GROUP, 0, 5, 80, 207, 20,
              "A Glimra 5 telepítése folyamatban van, kérjük várjon..."},
             {IDC_RUN_NOW, "Button", kChild | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 5, 66, 206, 11, "A Glimra 5 indítása."},
         }},
    };
    return dialogs;
}

// The name of a predefined control class given as an ordinal in a template.
std::wstring ClassName(const SzOrOrd& cls)
{
    if (!cls.isOrdinal) return cls.text;
    switch (cls.ordinal) {
    case 0x80: return L"Button";
    case 0x81: return L"Edit";
    case 0x82: return L"Static";
    case 0x85: return L"ComboBox";
    default: return L"#" + std::to_wstring(cls.ordinal);
    }
}

std::string Narrow(const std::wstring& w)
{
    std::string s;
    for (wchar_t c : w) {
        char buf[12];
        if (c >= 0x20 && c < 0x7F) s += (char)c;
        else { snprintf(buf, sizeof(buf), "\\u%04X", (unsigned)c); s += buf; }
    }
    return s;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// Makes a template's window: the frame as a pop-up, a page as a child of a plain parent window.
class DialogWindow {
public:
    explicit DialogWindow(UINT id)
    {
        HINSTANCE module = GetModuleHandleA(nullptr);
        if (id != IDD_WIZARD) {
            m_parent = CreateWindowExA(0, "Static", "res_test parent", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                       nullptr, nullptr, module, nullptr);
        }
        m_dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(id), m_parent, QuietDialogProc, 0);
    }
    ~DialogWindow()
    {
        if (m_dialog) DestroyWindow(m_dialog);
        if (m_parent) DestroyWindow(m_parent);
    }
    HWND dialog() const { return m_dialog; }
    HWND parent() const { return m_parent; }

    std::vector<HWND> Children() const
    {
        std::vector<HWND> list;
        for (HWND child = GetWindow(m_dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            list.push_back(child);
        return list;
    }
    std::string Text(HWND window) const
    {
        char buffer[1024];
        int n = GetWindowTextA(window, buffer, sizeof(buffer));
        return std::string(buffer, n > 0 ? n : 0);
    }
    // The template rectangle in pixels of this dialog's client area. Position and size are
    // converted each on its own, as the dialog manager does when it creates the controls.
    RECT Mapped(short x, short y, short cx, short cy) const
    {
        RECT r = {x, y, cx, cy};
        MapDialogRect(m_dialog, &r);
        return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
    }
    RECT Placed(HWND child) const
    {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, m_dialog, (POINT*)&r, 2);
        return r;
    }

private:
    HWND m_parent = nullptr;
    HWND m_dialog = nullptr;
};

std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

} // namespace

TEST(DialogTemplates, RawTemplatesMatchControlByControl)
{
    for (const Dialog& expected : Dialogs()) {
        SCOPED_TRACE("template " + std::to_string(expected.id));
        std::vector<BYTE> raw = RawResource((LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(expected.id));
        ASSERT_FALSE(raw.empty());
        DialogTemplate t;
        ASSERT_TRUE(ParseDialogTemplate(raw.data(), raw.size(), t));

        EXPECT_EQ(expected.extended, t.extended);
        if (t.extended) {
            EXPECT_EQ(1, t.version);
            EXPECT_EQ(0xFFFF, t.signature);
            EXPECT_EQ(0u, t.helpId);
            EXPECT_EQ(0, t.weight);
            EXPECT_EQ(0, t.italic);
            EXPECT_EQ(DEFAULT_CHARSET, t.charset);
        }
        EXPECT_EQ(expected.style, t.style) << std::hex << "expected 0x" << expected.style << ", got 0x" << t.style;
        EXPECT_EQ(0u, t.exStyle);
        EXPECT_EQ(0, t.x);
        EXPECT_EQ(0, t.y);
        EXPECT_EQ(expected.cx, t.cx);
        EXPECT_EQ(expected.cy, t.cy);
        EXPECT_TRUE(!t.menu.isOrdinal && t.menu.text.empty()) << "no menu";
        EXPECT_TRUE(!t.cls.isOrdinal && t.cls.text.empty()) << "standard dialog class";
        EXPECT_EQ(Narrow(Wide(expected.caption)), Narrow(t.caption.text));
        EXPECT_EQ(8, t.pointSize);
        EXPECT_EQ(std::wstring(L"MS Sans Serif"), t.face);

        ASSERT_EQ(expected.controls.size(), t.items.size());
        for (size_t i = 0; i < t.items.size(); i++) {
            const Control& c = expected.controls[i];
            const DialogItem& item = t.items[i];
            SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(c.id) + ")");
            EXPECT_EQ(c.id, item.id);
            EXPECT_EQ(0, _wcsicmp(Wide(c.cls).c_str(), ClassName(item.cls).c_str()))
                << "class " << Narrow(ClassName(item.cls));
            EXPECT_EQ(c.style, item.style) << std::hex << "expected 0x" << c.style << ", got 0x" << item.style;
            EXPECT_EQ(c.exStyle, item.exStyle);
            EXPECT_EQ(0u, item.helpId);
            EXPECT_EQ(c.x, item.x);
            EXPECT_EQ(c.y, item.y);
            EXPECT_EQ(c.cx, item.cx);
            EXPECT_EQ(c.cy, item.cy);
            if (c.text) {
                EXPECT_FALSE(item.text.isOrdinal);
                EXPECT_EQ(Narrow(Wide(c.text)), Narrow(item.text.text));
            } else {
                EXPECT_TRUE(item.text.isOrdinal);
                EXPECT_EQ(IDB_WIZARD, item.text.ordinal);
            }
        }
    }
}

TEST(DialogTemplates, WindowsMadeFromTemplatesHaveTheirControls)
{
    // Bits the window keeps as the template gives them; controls may add or drop others
    // (an edit draws its own border and clears WS_BORDER, for one).
    const DWORD kKept = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | WS_DISABLED;
    for (const Dialog& expected : Dialogs()) {
        SCOPED_TRACE("template " + std::to_string(expected.id));
        DialogWindow window(expected.id);
        HWND dialog = window.dialog();
        ASSERT_NE(nullptr, dialog);

        DWORD style = (DWORD)GetWindowLongA(dialog, GWL_STYLE);
        EXPECT_EQ(0u, style & WS_VISIBLE) << "templates are not visible by themselves";
        if (expected.id == IDD_WIZARD) {
            EXPECT_EQ(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                      style & (WS_POPUP | WS_CHILD | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER));
            EXPECT_EQ(nullptr, GetParent(dialog));
        } else {
            EXPECT_EQ(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | DS_CONTROL,
                      style & (WS_POPUP | WS_CHILD | WS_CAPTION | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | DS_CONTROL));
            EXPECT_EQ(window.parent(), GetParent(dialog));
        }
        EXPECT_EQ(Cp1250(expected.caption), window.Text(dialog));
        RECT client, size = window.Mapped(0, 0, expected.cx, expected.cy);
        GetClientRect(dialog, &client);
        EXPECT_EQ(Describe(size), Describe(client));

        std::vector<HWND> children = window.Children();
        ASSERT_EQ(expected.controls.size(), children.size());
        for (size_t i = 0; i < children.size(); i++) {
            const Control& c = expected.controls[i];
            HWND child = children[i];
            SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(c.id) + ")");
            EXPECT_EQ((int)c.id, GetDlgCtrlID(child) & 0xFFFF);
            char cls[64] = "";
            GetClassNameA(child, cls, sizeof(cls));
            EXPECT_EQ(0, _stricmp(c.cls, cls)) << "class " << cls;
            DWORD childStyle = (DWORD)GetWindowLongA(child, GWL_STYLE);
            EXPECT_EQ(c.style & kKept, childStyle & kKept) << std::hex << "window style 0x" << childStyle;
            EXPECT_EQ(c.exStyle & WS_EX_TRANSPARENT, (DWORD)GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT);

            // An etched line takes its edge's size and starts where the template puts it; the
            // picture keeps the template's rectangle, whatever its bitmap's size.
            RECT placed = window.Placed(child), mapped = window.Mapped(c.x, c.y, c.cx, c.cy);
            bool sizesItself = strcmp(c.cls, "Static") == 0 && (c.style & SS_TYPEMASK) == SS_ETCHEDHORZ;
            if (sizesItself) {
                EXPECT_EQ(mapped.left, placed.left);
                EXPECT_EQ(mapped.top, placed.top);
            } else {
                EXPECT_EQ(Describe(mapped), Describe(placed));
            }
            if (c.text) {
                EXPECT_EQ(Cp1250(c.text), window.Text(child)) << Escaped(window.Text(child));
            } else {
                HBITMAP bitmap = (HBITMAP)SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0);
                ASSERT_NE(nullptr, bitmap);
                BITMAP info = {};
                ASSERT_TRUE(GetObjectA(bitmap, sizeof(info), &info));
                EXPECT_EQ(120, info.bmWidth);
                EXPECT_EQ(260, info.bmHeight);
            }
        }
    }
}

TEST(DialogTemplates, TheDefaultButtonIsNextAndTheRunNowBoxStartsUnchecked)
{
    DialogWindow frame(IDD_WIZARD);
    ASSERT_NE(nullptr, frame.dialog());
    EXPECT_EQ((DWORD)MAKELONG(IDOK, DC_HASDEFID), (DWORD)SendMessageA(frame.dialog(), DM_GETDEFID, 0, 0));

    DialogWindow ready(IDD_READY_PAGE);
    ASSERT_NE(nullptr, ready.dialog());
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(ready.dialog(), IDC_RUN_NOW));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(ready.dialog(), IDC_PLEASE_WAIT)));

    DialogWindow welcome(IDD_WELCOME_PAGE);
    char format[256] = "", text[300];
    GetDlgItemTextA(welcome.dialog(), IDC_VERSION_TEXT, format, sizeof(format));
    snprintf(text, sizeof(text), format, 5, 40, 6, "");
    EXPECT_EQ(0, strncmp(text, "Glimra ver. 5.40.06 \n", 21)) << Escaped(text);
}

TEST(DialogTemplates, QuotedButtonCaptionsAreTheButtonsWithoutTheirMnemonic)
{
    DialogWindow frame(IDD_WIZARD), welcome(IDD_WELCOME_PAGE), ready(IDD_READY_PAGE);
    ASSERT_TRUE(frame.dialog() && welcome.dialog() && ready.dialog());
    auto item = [](HWND dialog, int id) {
        char buffer[512] = "";
        GetDlgItemTextA(dialog, id, buffer, sizeof(buffer));
        return std::string(buffer);
    };
    auto quoted = [](std::string caption) {
        caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
        return "\"" + caption + "\"";
    };
    std::string next = item(frame.dialog(), IDOK), back = item(frame.dialog(), IDC_BACK);
    std::string cancel = item(frame.dialog(), IDCANCEL);
    CString finishString = LoadResString(IDS_FINISH);
    std::string finish = finishString.GetString();
    EXPECT_EQ(Cp1250("&Tovább >"), next);
    EXPECT_EQ("< &Vissza", back);
    EXPECT_EQ(Cp1250("Mégse"), cancel);
    EXPECT_EQ(Cp1250("&Befejezés >"), finish);

    CString chooseFinish = LoadResString(IDS_CHOOSE_FINISH);
    std::string welcomeHint = Cp1250(kWelcomeHint);
    std::vector<HWND> welcomeControls = welcome.Children();
    ASSERT_EQ(4u, welcomeControls.size());
    EXPECT_EQ(welcomeHint, welcome.Text(welcomeControls[1]));
    std::string readyHint = item(ready.dialog(), IDC_READY_HINT);

    struct Quote { std::string text, caption; };
    for (const Quote& q : {Quote{chooseFinish.GetString(), finish}, Quote{welcomeHint, next},
                           Quote{welcomeHint, cancel}, Quote{readyHint, next}, Quote{readyHint, back}}) {
        EXPECT_NE(std::string::npos, q.text.find(quoted(q.caption)))
            << Escaped(q.text) << "\n should quote " << Escaped(quoted(q.caption));
        EXPECT_EQ(std::string::npos, q.text.find('&')) << Escaped(q.text);
    }
}

TEST(DialogTemplates, OnlyTheInstallTypePageIsExtended)
{
    for (UINT id = IDD_WIZARD; id <= IDD_READY_PAGE; id++) {
        std::vector<BYTE> raw = RawResource((LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(id));
        ASSERT_GE(raw.size(), 4u) << "template " << id;
        WORD signature = *(const WORD*)&raw[2];
        EXPECT_EQ(id == IDD_INSTALL_TYPE_PAGE, signature == 0xFFFF) << "template " << id;
    }
    // Ids 65535 of an extended template stay 65535 (not -1) once the window exists.
    DialogWindow page(IDD_INSTALL_TYPE_PAGE);
    ASSERT_NE(nullptr, page.dialog());
    std::vector<HWND> controls = page.Children();
    ASSERT_EQ(8u, controls.size());
    EXPECT_EQ(65535, GetDlgCtrlID(controls[5]));
    EXPECT_EQ((LONG)WS_EX_TRANSPARENT, GetWindowLongA(controls[5], GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}
