#include "expected.h"

static const WORD EN = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
static const WORD NEUTRAL = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

const std::vector<ExpectedDialog> kDialogs = {
    {100, "About Glimra 5", false, EN}, {104, "Bitmap Copy Options", false, EN},
    {105, "Send Picture by Email", false, EN}, {119, "DirectX/Direct3D and Glide Capture", false, EN},
    {124, "Image Resolution", false, EN}, {129, "Print Header and Footer", false, EN},
    {130, "", true, EN}, {134, "Select Hot Key", false, EN}, {135, "Screen Capture Hot Keys", false, EN},
    {136, "Startup and Tray Icon", false, EN}, {137, "", true, EN}, {138, "", true, EN},
    {139, "Page Setup", false, EN}, {140, "", true, EN}, {141, "", true, EN},
    {144, "Quick Save", true, EN}, {145, "Copy && Print", true, EN}, {146, "File Information", false, EN},
    {147, "Crop && Scale", true, EN}, {148, "Set as Wallpaper", false, EN}, {149, "Credits", false, EN},
    {210, "", true, EN}, {213, "Capture", true, EN}, {214, "View && Edit", true, EN},
    {215, "Convert to Black and White", false, EN}, {216, "Scale", false, EN},
    {217, "Color Resolution", false, EN}, {2037, "Register File Types", false, EN},
    {2038, "How to use the Auto-Scroll feature", false, EN}, {2043, "Extended Window Capture", false, EN},
    {2044, "Color Correction", false, EN}, {2045, " Button ", true, EN},
    {2051, "Color Substitution", false, EN}, {2053, "Placement", true, EN}, {2054, "   Image   ", true, EN},
    {2055, "    Text    ", true, EN}, {2056, "Upload to FTP Server", false, EN},
    {2057, "   Frame   ", true, EN}, {2058, "Stamp Preview", false, EN}, {2060, "Edit Stamps", false, EN},
    {2063, "Frame", false, EN}, {2064, "Shadow", false, EN}, {2066, "", false, EN},
    {2072, "Screen Capture", false, EN}, {2074, "Options", true, EN}, {2075, "", true, EN},
    {2076, "Region", true, EN}, {16104, "Commands", true, EN}, {16105, "Toolbars", true, EN},
    {16130, "Toolbar Name", false, EN}, {16132, "Button Appearance", false, EN},
    {16133, "Edit Button Image", false, EN}, {16134, "Menu", true, EN}, {16135, "Mouse", true, EN},
    {16136, "Keyboard", true, EN}, {16137, "Options", true, EN}, {16658, "", true, NEUTRAL},
    {16927, "Windows", false, EN}, {16928, "Tools", true, EN}, {16961, "Colors", false, EN},
    {16962, "Standard", true, EN}, {16963, "Custom", true, EN}, {16982, "Help Keyboard", false, EN},
    {17003, "Visualizations", false, EN}, {27205, "%s Version Check", false, EN},
    {28103, "Enter Bitmap Dimensions", false, EN}, {28106, "Arrowhead Settings", false, EN},
    {28107, "Image Position and Background", false, EN}, {30721, "New", false, EN},
    {30722, "", false, EN}, {30723, "", true, EN},
};

const std::vector<ExpectedBitmap> kBitmaps = {
    {99, EN, 288, 16, 0}, {100, EN, 576, 16, 0}, {131, EN, 0, 0, 0}, {2014, EN, 100, 150, 8},
    {2016, EN, 0, 0, 0}, {2039, EN, 704, 16, 0}, {2071, EN, 0, 0, 0}, {26567, EN, 0, 0, 0},
    {28131, EN, 0, 0, 0}, {28132, EN, 0, 0, 0}, {28133, EN, 0, 0, 0}, {28134, EN, 0, 0, 0},
    {28135, EN, 0, 0, 0}, {28136, EN, 0, 0, 0}, {28137, EN, 0, 0, 0}, {28138, EN, 0, 0, 0},
    {28139, EN, 0, 0, 0}, {28140, EN, 0, 0, 0}, {28141, EN, 0, 0, 0}, {28155, EN, 0, 0, 0},
    {30994, EN, 0, 0, 0}, {30995, EN, 0, 0, 0}, {30996, EN, 0, 0, 0},
    {16129, NEUTRAL, 0, 0, 0}, {16131, NEUTRAL, 0, 0, 0}, {16138, NEUTRAL, 144, 15, 0},
    {16929, NEUTRAL, 0, 0, 0}, {16930, NEUTRAL, 0, 0, 0}, {16931, NEUTRAL, 0, 0, 0},
    {16932, NEUTRAL, 0, 0, 0}, {16960, NEUTRAL, 128, 16, 0}, {16993, NEUTRAL, 0, 0, 0},
    {16994, NEUTRAL, 0, 0, 0}, {17000, NEUTRAL, 0, 0, 0}, {17002, NEUTRAL, 0, 0, 0},
    {17004, NEUTRAL, 0, 0, 0},
};

const std::vector<ExpectedIconGroup> kIconGroups = {
    {99, EN, {{16, 4}, {32, 4}, {16, 8}, {32, 8}}},
    {868, EN, {{16, 4}, {32, 4}, {16, 8}, {32, 8}}},
    {2021, EN, {{32, 24}}},
    {2022, EN, {{48, 24}}},
    {16931, NEUTRAL, {{16, 4}, {32, 4}}},
    {16995, NEUTRAL, {{16, 4}, {32, 4}}},
};

const std::vector<ExpectedCursorGroup> kCursorGroups = {
    {"#211", EN, {32}}, {"#2052", EN, {16}},
    {"#28145", EN, {32}}, {"#28146", EN, {32}}, {"#28147", EN, {32}}, {"#28148", EN, {32}},
    {"#28149", EN, {32}}, {"#28150", EN, {32}}, {"#28151", EN, {32}},
    {"#30977", EN, {32, 16}}, {"#30978", EN, {32, 16}}, {"#30979", EN, {32, 16}},
    {"#30980", EN, {32, 16}}, {"#30981", EN, {32, 16}}, {"#30982", EN, {32, 16}},
    {"#16004", NEUTRAL, {32}}, {"#16133", NEUTRAL, {32}},
    {"#16140", NEUTRAL, {32}}, {"#16141", NEUTRAL, {32}}, {"#16142", NEUTRAL, {32}},
    {"#16143", NEUTRAL, {32}}, {"#16144", NEUTRAL, {32}}, {"#16145", NEUTRAL, {32}},
    {"#16146", NEUTRAL, {32}}, {"#16919", NEUTRAL, {32}},
    {"SCROLLCUR", EN, {32}},
};

const std::vector<ExpectedToolbar> kToolbars = {
    {99, EN, 16, 16, {57600, 57601, 32917, 57604, 57605, 57608, 0, 32796, 32772, 32829, 32859, 40006,
                      40009, 0, 32909, 32910, 40018, 40021, 0, 57669, 0, 32868}},
    {100, EN, 16, 16, {57607, 57634, 57635, 57643, 57644, 40053, 57609, 57612, 32798, 57665, 57637,
                       32863, 40026, 40027, 40028, 59396, 59393, 32787, 32867, 40072, 32817, 32815,
                       32814, 40065, 32816, 32818, 32821, 32804, 32802, 32801, 32803, 32967, 32809,
                       32811, 32810, 40052}},
    {2039, EN, 16, 16, {40007, 40008, 40011, 40005, 32771, 40081, 40010, 40080, 32912, 57664, 40082,
                        40022, 32864, 40071, 32875, 40024, 32892, 32855, 32854, 32853, 32852, 32911,
                        32895, 32914, 32913, 2050, 32921, 32924, 32937, 57602, 32934, 32939, 32940,
                        32932, 2065, 32961, 32962, 32968, 32969, 32972, 32975, 32985, 32987}},
    {16138, NEUTRAL, 16, 15, {16902, 16901, 16903, 16904, 16905, 16906, 0, 16907, 16908, 16909}},
    {16960, NEUTRAL, 16, 16, {58116, 58114, 58115, 58113, 58117, 58118, 58112, 16959}},
};

const std::vector<ExpectedDlgInit> kDlgInits = {
    {105, {{1065, "test1"}}},
    {138, {{1065, "test1"}}},
    {2056, {{1065, "test1"}}},
    {2075, {{1065, "test1"}}},
    {16134, {{16625, "None"}, {16625, "Unfold"}, {16625, "Slide"}, {16625, "Fade"}}},
};

const std::map<UINT, std::vector<std::string>> kMenus = {
    {99, {
        "File >", "  New = 57600", "  Open = 57601", "  Save As = 57604 (grey)",
        "  Upload to FTP Server = 32934 (grey)", "  Close = 57602 (grey)", "  -", "  Acquire = 32917",
        "  Select Source = 40053", "  -", "  Print = 57607 (grey)", "  Print Preview = 57609 (grey)",
        "  Page Setup = 57605", "  -", "  Send by E-mail = 57612 (grey)",
        "  Set as Wallpaper = 32798 (grey)", "  -", "  Recent File = 57616 (grey)", "  -", "  Exit = 57665",
        "Edit >", "  Undo = 57643 (grey)", "  Redo = 57644 (grey)", "  -", "  Cut = 57635 (grey)",
        "  Copy = 57634 (grey)", "  Paste = 57637", "  Paste as New Image = 32796", "  -",
        "  Copy Format = 32863 (grey)",
        "View >", "  Full Screen = 40026 (grey)", "  Previous File = 40027 (grey)",
        "  Next File = 40028 (grey)", "  -", "  Toolbar = 59396", "  Status Bar = 59393",
        "  Drawing Tools = 32787", "  Customize = 32867",
        "Capture >", "  Full Screen = 40005", "  Virtual Desktop = 40080", "  Window or Control = 40006",
        "  Button = 32912", "  Active Window = 40007", "  Active Window without Frame = 40008",
        "  Region = 40009", "  Free Hand = 2065", "  Pan Last Region = 40081",
        "  Multi-Region Capture = 32771", "  Mouse Cursor Only = 32968", "  Repeat Last Capture = 40010",
        "  -", "  Extended Active Window = 32892", "  Enable Special Capture = 40011", "  -",
        "  Capture Settings = 32772",
        "Image >", "  Crop = 40018 (grey)", "  Cut-out strip >", "    Horizontal = 32961",
        "    Vertical = 32962", "  Change Resolution = 40072 (grey)", "  Scale = 40021 (grey)",
        "  Auto Trim = 32817", "  Stamps = 32932", "  Mirror >", "    Horizontal = 32814",
        "    Vertical = 32815", "  Rotate >", "    90 deg. Right = 32909", "    90 deg. Left = 32910",
        "    Flip = 32911", "    Any Angle = 40065", "  Shear = 32816", "  Mosaic = 32818",
        "  Emboss = 32821", "  Sharpen or Blur = 32895", "  Shadow = 32939", "  Frame = 32940",
        "Color >", "  Color Resolution = 32804", "  -", "  Black and White = 32802", "  Halftone = 32801",
        "  Gray Scale = 32803", "  Color Correction = 32967", "  Invert Black and White = 32809",
        "  Invert Colors = 32811", "  Substitute Colors = 32921", "  -", "  Unique Colors = 32810",
        "Options >", "  Configure Hot Keys = 40022", "  Activate Hot Keys = 32829",
        "  Activate Voice Commands = 32859", "  Control Mouse with Keyboard = 32864",
        "  Startup and Tray Icon = 40024", "  Default Image Resolution = 40071",
        "  Image Position and Background = 2050", "  OfficeXP Style = 32913",
        "  Register File Types = 32875", "  -", "  Save Configuration = 32980",
        "  Read Configuration = 32981",
        "Tools >", "  Tool = 32925 (grey)", "  -", "  Customize Tools = 32937",
        "Window >", "  Close All = 32972 (grey)", "  -", "  Cascade = 57650", "  Tile = 57651",
        "  Arrange Icons = 57649",
        "Help >", "  Contents = 32823", "  Tutorials and More >", "    Quick Tutorial for Beginners = 32845",
        "    Advanced Tutorials = 32846", "    Frequently Asked Questions = 32847",
        "    Tips and Hints = 32849", "    Voice Commands = 32874", "    Visit our web site = 32851",
        "  -", "  Check for a New Version = 40082", "  About = 57664",
    }},
    {2002, {
        "CoverWin >", "  Dismiss this Menu = 32781", "  Finish Capture = 32784", "  Abort Capture = 32773",
        "  -", "  Select Region Shape >", "    Rectangle = 32775", "    Small Round = 32776",
        "    Medium Round = 32777", "    Large Round = 32778", "    Ellipse = 32779",
        "  Restart Region Mode = 32782", "  Switch to Pan Mode = 218", "  Switch to Size Mode = 32785",
        "  Switch to Window/Selection Mode = 32780", "  Switch to Free Hand Mode = 32954",
        "Dummy >", "  Transparent Background = 32790", "  Opaque Background = 32791", "  Help = 57670",
        "  Disable HK = 32833", "  Enable HK = 32834", "  Has HK = 32835", "  Open File = 32857",
        "  Open = 40038",
        "Tray >", "  Quick Copy = 32852", "  Quick Print = 32853", "  Auto-Scroll Window = 32854",
        "  Include Cursor = 32855", "  Activate Hot Keys = 32978",
    }},
    {2042, {
        "Toolbar Only >", "  Acquire Single Image = 40052", "  Auto-Scroll Window = 32854",
        "  Auto-Scroll Region = 32969", "  Capture Cursor Only = 32968", "  Include Cursor = 32855",
        "  Paste Capture on Current Image = 32914", "  Immediately Substitute Colors = 32924",
        "  Print Direct = 57608", "  Quick Copy = 32852", "  Quick Print = 32853",
        "  Font Smoothing Off = 32975", "  Zoom = 32868", "  Magnification 100% = 32985",
        "  Magnification Auto-fit = 32987", "  Fill Shape = 32989",
    }},
    {2059, {
        "Stamps >", "  Edit Stamps = 32932", "  New Stamp = 32935", "  Insert from file = 32930", "  -",
        "Update = 32936",
    }},
    {2060, {
        "Help Edit >", "  Edit topic = 32958", "  Assign alias = 32956", "  Delete alias = 32959",
        "  Delete topic file = 32955", "  -", "  Dismiss this menu = 32957",
    }},
    {16102, {
        "_POPUP_ >", "  Reset to Default = 16910", "  Copy Button Image = 16911", "  Delete = 16912", "  -",
        "  Button Appearance = 16913", "  Image = 16914", "  Text = 16915", "  Image and Text = 16916",
        "  -", "  Start Group = 16917",
    }},
};

const std::map<UINT, std::vector<std::string>> kAccelerators = {
    {99, {
        "Ctrl+A = 32917", "Ctrl+Shift+A = 40007", "Ctrl+C = 57634", "Ctrl+Shift+C = 40008",
        "Ctrl+Shift+F = 40005", "Ctrl+Shift+M = 32771", "Ctrl+N = 57600", "Ctrl+O = 57601",
        "Ctrl+P = 57607", "Ctrl+Shift+P = 40081", "Ctrl+R = 40018", "Ctrl+Shift+R = 40009",
        "Ctrl+S = 57604", "Ctrl+T = 32817", "Ctrl+V = 57637", "Ctrl+Shift+V = 40080",
        "Num + = 32859", "Alt+Backspace = 57643", "Shift+Delete = 57635", "F11 = 40010",
        "Ctrl+Insert = 57634", "Shift+Insert = 32796", "Page Down = 40028", "Ctrl+Page Down = 40026",
        "Page Up = 40027", "Scroll Lock = 40011", "Ctrl+Shift+W = 40006", "Ctrl+X = 57635",
        "Ctrl+Z = 57643",
    }},
    {30997, {"Page Down = 58114", "Page Up = 58115", "Escape = 58112"}},
};

const std::vector<std::pair<UINT, UINT>> kStringGroups = {
    {99, 99}, {100, 187}, {202, 308}, {400, 461}, {2050, 2050}, {2065, 2065},
    {16001, 16031}, {16103, 16115}, {16243, 16244}, {16901, 16909}, {17012, 17013},
    {29001, 29113}, {32771, 32989}, {34500, 34632}, {40005, 40084}, {57344, 57345},
    {57600, 57681}, {58112, 58118}, {59136, 59141}, {59392, 59396}, {61184, 61888},
};
