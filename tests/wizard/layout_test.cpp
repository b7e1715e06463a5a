// The wizard laid out at the DPI its process runs at (under Wine, the LogPixels value of
// HKEY_CURRENT_USER\Control Panel\Desktop when the process starts). Page by page: every control
// lies inside the frame and its page, the picture's control keeps its template rectangle and shows
// the picture drawn smoothly at that size, no static text or button caption is cut, and the frame
// fits the smallest screen offered at that scale. The case runs in this process at the prefix's
// DPI, and in copies of this program started at 120, 144 and 192 DPI.
#include "wizardfixture.h"
#include "dialogtemplate.h"
#include "process.h"
#include <commctrl.h>
#include <set>

namespace {

// The DPI a copy of this program is started at, for the copy to check that it runs at it.
const char kDpiVariable[] = "GLM_WIZARD_DPI";

// The smallest common screen each scale is used on: 125 and 150 % on 1366 x 768 laptops, 200 % on
// 1920 x 1080 ones. The taskbar takes 48 pixels at 96 DPI (Windows 11), more at higher DPI.
struct Screen {
    int dpi, width, height;
};
const Screen kScreens[] = {{96, 1024, 768}, {120, 1366, 768}, {144, 1366, 768}, {192, 1920, 1080}};
const int kTaskbarAt96 = 48;

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// The window's rectangle in the client coordinates of another window.
RECT RectIn(HWND window, HWND parent)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, parent, (POINT*)&r, 2);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::wstring WideText(HWND window)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

// A static text shows all of its text when the text, word-wrapped in the control's font as the
// control draws it, needs no more than the control's client area; a button when its ideal size
// (for a multi-line button: the height it needs at its width) fits the button.
void ExpectTextFits(HWND control, const std::string& where)
{
    std::wstring text = WideText(control);
    if (text.empty()) return;
    std::string what = where + ", control " + std::to_string(GetDlgCtrlID(control)) + " \"" + Narrow(text) + "\"";
    LONG style = GetWindowLongA(control, GWL_STYLE);
    RECT client;
    GetClientRect(control, &client);
    std::string cls = WindowClass(control);
    if (cls == "Static") {
        if ((style & SS_TYPEMASK) > SS_RIGHT) return;
        HDC dc = GetDC(control);
        HGDIOBJ font = SelectObject(dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
        RECT needed = {0, 0, client.right, 0};
        DrawTextW(dc, text.c_str(), -1, &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
        SelectObject(dc, font);
        ReleaseDC(control, dc);
        EXPECT_LE(needed.right, client.right) << what;
        EXPECT_LE(needed.bottom, client.bottom) << what << " needs " << Describe(needed);
    } else if (cls == "Button") {
        if ((style & BS_TYPEMASK) == BS_GROUPBOX) return;
        SIZE ideal = {(style & BS_MULTILINE) ? client.right : 0, 0};
        ASSERT_TRUE(SendMessageA(control, BCM_GETIDEALSIZE, 0, (LPARAM)&ideal)) << what;
        EXPECT_LE(ideal.cx, client.right) << what << " needs " << ideal.cx << " x " << ideal.cy;
        EXPECT_LE(ideal.cy, client.bottom) << what << " needs " << ideal.cx << " x " << ideal.cy;
    }
}

std::vector<HWND> VisibleChildren(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) children.push_back(child);
    return children;
}

// The shown page lies inside the frame, beside the picture when the picture is shown, and every
// visible control of the frame and of the page lies inside it and shows its whole text.
void ExpectPageLaidOut(HWND frame, const std::string& where)
{
    SCOPED_TRACE(where);
    HWND page = ShownPage(frame);
    ASSERT_TRUE(page);
    RECT frameArea, pageArea;
    GetClientRect(frame, &frameArea);
    GetClientRect(page, &pageArea);
    for (HWND control : VisibleChildren(frame)) {
        EXPECT_TRUE(Inside(RectIn(control, frame), frameArea))
            << "control " << GetDlgCtrlID(control) << " at " << Describe(RectIn(control, frame)) << ", frame "
            << Describe(frameArea);
        if (control != page) ExpectTextFits(control, where + ", frame");
    }
    for (HWND control : VisibleChildren(page)) {
        EXPECT_TRUE(Inside(RectIn(control, page), pageArea))
            << "control " << GetDlgCtrlID(control) << " at " << Describe(RectIn(control, page)) << ", page "
            << Describe(pageArea);
        ExpectTextFits(control, where);
    }
    HWND picture = GetDlgItem(frame, IDC_PICTURE);
    if (IsWindowVisible(picture))
        EXPECT_GT(RectIn(page, frame).left, RectIn(picture, frame).right) << "the page lies over the picture";
}

// The frame's template item of the picture, mapped to pixels as the dialog manager maps it.
RECT PictureTemplateRect(HWND frame)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_WIZARD), (LPCSTR)RT_DIALOG);
    const BYTE* data = (const BYTE*)LockResource(LoadResource(nullptr, found));
    DialogTemplate parsed;
    RECT mapped = {};
    if (!data || !ParseDialogTemplate(data, SizeofResource(nullptr, found), parsed)) return mapped;
    for (const DialogItem& item : parsed.items) {
        if (item.id != IDC_PICTURE) continue;
        RECT position = {item.x, item.y, item.cx, item.cy};
        MapDialogRect(frame, &position);
        mapped = {position.left, position.top, position.left + position.right, position.top + position.bottom};
    }
    return mapped;
}

// Average colours of the top and the bottom eighth of a top-down 32-bit image.
struct Bands {
    int top[3] = {}, bottom[3] = {};
};
Bands AverageBands(const std::vector<DWORD>& pixels, int width, int height)
{
    Bands bands;
    int rows = height / 8;
    for (int part = 0; part < 2; part++) {
        int* sum = part ? bands.bottom : bands.top;
        long long total[3] = {};
        for (int y = part ? height - rows : 0; y < (part ? height : rows); y++)
            for (int x = 0; x < width; x++)
                for (int c = 0; c < 3; c++) total[c] += pixels[y * width + x] >> (8 * c) & 0xFF;
        for (int c = 0; c < 3; c++) sum[c] = (int)(total[c] / (rows * width));
    }
    return bands;
}

// Bitmap 101 of this program (the setup's resources are linked in), top-down, 0x00RRGGBB.
std::vector<DWORD> SourcePicture(int& width, int& height)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDB_WIZARD), (LPCSTR)RT_BITMAP);
    const BITMAPINFO* info = (const BITMAPINFO*)LockResource(LoadResource(nullptr, found));
    width = info->bmiHeader.biWidth;
    height = info->bmiHeader.biHeight;
    const DWORD* palette = (const DWORD*)info->bmiColors;
    const BYTE* rows = (const BYTE*)(palette + 256);
    int stride = (width + 3) & ~3;
    std::vector<DWORD> pixels;
    for (int y = height - 1; y >= 0; y--)
        for (int x = 0; x < width; x++) pixels.push_back(palette[rows[y * stride + x]]);
    return pixels;
}

// The picture's control lies on its template rectangle and shows an image of its client area's
// size: the picture, the right way up, its colours blended where it is scaled.
void ExpectPictureFillsItsRectangle(HWND frame)
{
    HWND picture = GetDlgItem(frame, IDC_PICTURE);
    EXPECT_EQ(Describe(PictureTemplateRect(frame)), Describe(RectIn(picture, frame)));
    RECT client;
    GetClientRect(picture, &client);
    HBITMAP image = (HBITMAP)SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
    BITMAP size = {};
    ASSERT_TRUE(GetObjectA(image, sizeof(size), &size));
    ASSERT_EQ(client.right, size.bmWidth);
    ASSERT_EQ(client.bottom, size.bmHeight);

    BITMAPINFOHEADER format = {sizeof(format), size.bmWidth, -size.bmHeight, 1, 32};
    std::vector<DWORD> drawn(size.bmWidth * size.bmHeight);
    HDC dc = GetDC(picture);
    ASSERT_EQ(size.bmHeight, GetDIBits(dc, image, 0, size.bmHeight, drawn.data(), (BITMAPINFO*)&format, DIB_RGB_COLORS));
    ReleaseDC(picture, dc);
    int width, height;
    std::vector<DWORD> source = SourcePicture(width, height);
    std::set<DWORD> colours;
    for (DWORD pixel : drawn) colours.insert(pixel & 0xFFFFFF);
    if (size.bmWidth != width || size.bmHeight != height)
        EXPECT_GT(colours.size(), 256u) << "scaled without blending: no colours beyond the picture's palette";
    // The sky at the top is dark, the bottom lighter: both ends keep their colours within what the
    // cut of at most a few rows changes.
    Bands expected = AverageBands(source, width, height), got = AverageBands(drawn, size.bmWidth, size.bmHeight);
    for (int c = 0; c < 3; c++) {
        EXPECT_NEAR(expected.top[c], got.top[c], 12) << "top, colour byte " << c;
        EXPECT_NEAR(expected.bottom[c], got.bottom[c], 12) << "bottom, colour byte " << c;
    }
}

void ExpectFrameFitsTheScreen(HWND frame, int dpi)
{
    const Screen* screen = nullptr;
    for (const Screen& s : kScreens)
        if (s.dpi == dpi) screen = &s;
    ASSERT_TRUE(screen) << "no screen size known for " << dpi << " DPI";
    RECT window;
    GetWindowRect(frame, &window);
    int workHeight = screen->height - MulDiv(kTaskbarAt96, dpi, 96);
    EXPECT_LE(window.right - window.left, screen->width) << dpi << " DPI";
    EXPECT_LE(window.bottom - window.top, workHeight) << dpi << " DPI";
}

// Wine's screen DPI for programs started while this object lives; put back as it was after.
class LogPixelsOverride {
public:
    explicit LogPixelsOverride(DWORD dpi)
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &m_key, nullptr);
        DWORD type = 0, size = sizeof(m_saved);
        m_existed = RegQueryValueExA(m_key, "LogPixels", nullptr, &type, (BYTE*)&m_saved, &size) == ERROR_SUCCESS;
        RegSetValueExA(m_key, "LogPixels", 0, REG_DWORD, (const BYTE*)&dpi, sizeof(dpi));
    }
    ~LogPixelsOverride()
    {
        if (m_existed) RegSetValueExA(m_key, "LogPixels", 0, REG_DWORD, (const BYTE*)&m_saved, sizeof(m_saved));
        else RegDeleteValueA(m_key, "LogPixels");
        RegCloseKey(m_key);
    }

private:
    HKEY m_key = nullptr;
    DWORD m_saved = 0;
    bool m_existed = false;
};

class WizardLayout : public WizardFixture {};

}  // namespace

TEST_F(WizardLayout, FitsAtTheDpiItRunsAt)
{
    int dpi = SystemDpi();
    char expected[16] = "";
    if (GetEnvironmentVariableA(kDpiVariable, expected, sizeof(expected))) ASSERT_EQ(atoi(expected), dpi);
    // The installation fails on a folder where the program's file belongs: its page stretches the
    // failure text over the rest of the page.
    MakeFolders(m_box.Path("target\\Glimra 5\\Glmr5.exe"));
    RunWizard([&](HWND frame) {
        ASSERT_TRUE(WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
        ExpectFrameFitsTheScreen(frame, dpi);
        ExpectPictureFillsItsRectangle(frame);
        ExpectPageLaidOut(frame, "welcome page");
        Next(frame, IDC_AGREEMENT_TEXT);
        ExpectPageLaidOut(frame, "agreement page");
        Next(frame, IDC_BROWSE);
        ExpectPageLaidOut(frame, "install type page");
        Next(frame, IDC_GROUP_COMBO);
        ExpectPageLaidOut(frame, "program group page");
        Next(frame, IDC_READY_TEXT);
        ExpectPageLaidOut(frame, "ready page");
        ASSERT_TRUE(Press(frame, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return ControlText(frame, IDOK) == TXT_FINISH; }, 15000));
        ExpectPageLaidOut(frame, "failed installation");
        ASSERT_TRUE(Press(frame, IDOK));
        WaitUntil([&] { return !IsWindow(frame); }, kWait);
    });
}

TEST(WizardLayoutAtOtherDpis, FitsAt120_144And192Dpi)
{
    std::string program = TestProgramDir() + "\\wizard_test.exe";
    for (int dpi : {120, 144, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        LogPixelsOverride screen(dpi);
        SetEnvironmentVariableA(kDpiVariable, std::to_string(dpi).c_str());
        int code = RunProcess(QuoteArgument(program) + " --gtest_filter=WizardLayout.FitsAtTheDpiItRunsAt", 60000);
        SetEnvironmentVariableA(kDpiVariable, nullptr);
        EXPECT_EQ(0, code) << "the layout case failed at " << dpi << " DPI (its output is above)";
    }
}

// Windows moves and sizes the controls when the frame moves to a monitor of another DPI, then the
// frame draws the picture anew for its control's new size.
TEST_F(WizardLayout, ThePictureFollowsADpiChange)
{
    RunWizard([&](HWND frame) {
        ASSERT_TRUE(WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
        HWND picture = GetDlgItem(frame, IDC_PICTURE);
        RECT before = RectIn(picture, frame), window;
        SetWindowPos(picture, nullptr, 0, 0, (before.right - before.left) * 3 / 2, (before.bottom - before.top) * 3 / 2,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(frame, &window);
        SendMessageA(frame, WM_DPICHANGED, MAKEWPARAM(144, 144), (LPARAM)&window);
        RECT client;
        GetClientRect(picture, &client);
        BITMAP size = {};
        EXPECT_TRUE(WaitUntil([&] {
            GetObjectA((HBITMAP)SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), sizeof(size), &size);
            return size.bmWidth == client.right && size.bmHeight == client.bottom;
        }, kWait)) << "image " << size.bmWidth << " x " << size.bmHeight << ", control " << Describe(client);
    });
}
