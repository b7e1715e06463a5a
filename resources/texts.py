"""The long text tables of GlmRes5.dll: the string tables and the dialog templates. Read by
make_assets.py, which writes them out as resource-script fragments."""

# ---------------------------------------------------------------------------------------------
# Commands: id -> (status-bar prompt, tooltip). A command prompt is "prompt\ntooltip".
COMMANDS = {
    # File
    57600: ("Create a new image", "New"),
    57601: ("Open an existing image", "Open"),
    57602: ("Close the active image", "Close"),
    57603: ("Save the active image", "Save"),
    57604: ("Save the active image under a new name", "Save As"),
    57605: ("Change the page margins, header and footer", "Page Setup"),
    57606: ("Change the printer and printing options", "Print Setup"),
    57607: ("Print the active image", "Print"),
    57608: ("Print the active image on the default printer without asking", "Print Direct"),
    57609: ("Display full pages", "Print Preview"),
    57610: ("Update the container to show any changes", "Update"),
    57611: ("Save a copy of the active image under a new name", "Save Copy As"),
    57612: ("Send the active image by e-mail", "Send by E-mail"),
    32934: ("Upload the active image to an FTP server", "Upload to FTP Server"),
    32917: ("Acquire an image from a scanner or camera", "Acquire"),
    40053: ("Select the scanner or camera to acquire from", "Select Source"),
    40052: ("Acquire a single image from the selected source", "Acquire Single Image"),
    32798: ("Use the active image as the desktop wallpaper", "Set as Wallpaper"),
    57665: ("Quit the application; asks whether to save unsaved images", "Exit"),
    # Edit
    57632: ("Erase the selection", "Erase"),
    57633: ("Erase everything", "Erase All"),
    57634: ("Copy the selection to the Clipboard", "Copy"),
    57635: ("Cut the selection to the Clipboard", "Cut"),
    57636: ("Find the specified text", "Find"),
    57637: ("Insert the Clipboard contents into the active image", "Paste"),
    57638: ("Insert the Clipboard contents and a link to its source", "Paste Link"),
    57639: ("Insert the Clipboard contents with options", "Paste Special"),
    57640: ("Repeat the last action", "Repeat"),
    57641: ("Replace specified text with different text", "Replace"),
    57642: ("Select the entire image", "Select All"),
    57643: ("Undo the last action", "Undo"),
    57644: ("Redo the previously undone action", "Redo"),
    32796: ("Paste the Clipboard contents as a new image", "Paste as New Image"),
    32863: ("Copy the image's size and format for the next capture", "Copy Format"),
    32914: ("Paste the next capture on the current image", "Paste Capture on Current Image"),
    # View
    40026: ("Show the image on the full screen", "Full Screen"),
    40027: ("Open the previous image file of the folder", "Previous File"),
    40028: ("Open the next image file of the folder", "Next File"),
    59392: ("Show or hide the standard toolbar", "Toggle Standard Toolbar"),
    59393: ("Show or hide the status bar", "Toggle Status Bar"),
    59394: ("Show or hide the rebar", "Toggle Rebar"),
    59395: ("Show or hide the dialog bar", "Toggle Dialog Bar"),
    59396: ("Show or hide the capture toolbar", "Toggle Toolbar"),
    32787: ("Show or hide the drawing tools", "Drawing Tools"),
    32867: ("Customize the toolbars, menus and keyboard", "Customize"),
    32868: ("Zoom in or out of the image", "Zoom"),
    32985: ("Show the image at its real size", "Magnification 100%"),
    32987: ("Fit the image into the window", "Magnification Auto-fit"),
    # Capture
    40005: ("Capture the full screen", "Full Screen"),
    40080: ("Capture the whole virtual desktop of all monitors", "Virtual Desktop"),
    40006: ("Capture a window or control chosen with the mouse", "Window or Control"),
    32912: ("Capture a button chosen with the mouse", "Button"),
    40007: ("Capture the active window", "Active Window"),
    40008: ("Capture the active window without its frame", "Active Window without Frame"),
    40009: ("Capture a rectangular region", "Region"),
    2065: ("Capture a region drawn free hand", "Free Hand"),
    40081: ("Move the last captured region and capture again", "Pan Last Region"),
    32771: ("Capture several regions into one image", "Multi-Region Capture"),
    32968: ("Capture only the mouse cursor", "Mouse Cursor Only"),
    40010: ("Repeat the last capture", "Repeat Last Capture"),
    40083: ("Capture the window under the mouse cursor after a delay", "Delayed Capture"),
    40084: ("Capture the last captured window again", "Last Window"),
    32892: ("Capture a window larger than the screen", "Extended Active Window"),
    40011: ("Enable capturing of DirectX and video overlays", "Enable Special Capture"),
    32772: ("Change the capture settings", "Capture Settings"),
    32854: ("Scroll the window while capturing it", "Auto-Scroll Window"),
    32969: ("Scroll the region while capturing it", "Auto-Scroll Region"),
    32855: ("Include the mouse cursor in the capture", "Include Cursor"),
    32852: ("Copy the capture to the Clipboard and nothing else", "Quick Copy"),
    32853: ("Print the capture at once", "Quick Print"),
    32975: ("Switch font smoothing off while capturing", "Font Smoothing Off"),
    # Image
    40018: ("Crop the image to the selection", "Crop"),
    32961: ("Cut a horizontal strip out of the image", "Cut-out Horizontal Strip"),
    32962: ("Cut a vertical strip out of the image", "Cut-out Vertical Strip"),
    40072: ("Change the resolution of the image", "Change Resolution"),
    40021: ("Scale the image", "Scale"),
    32817: ("Trim the uniform border around the image", "Auto Trim"),
    32932: ("Insert or edit stamps", "Stamps"),
    32814: ("Mirror the image horizontally", "Mirror Horizontal"),
    32815: ("Mirror the image vertically", "Mirror Vertical"),
    32909: ("Rotate the image 90 degrees to the right", "Rotate Right"),
    32910: ("Rotate the image 90 degrees to the left", "Rotate Left"),
    32911: ("Turn the image upside down", "Flip"),
    40065: ("Rotate the image by any angle", "Rotate Any Angle"),
    32816: ("Shear the image", "Shear"),
    32818: ("Turn the image or selection into a mosaic", "Mosaic"),
    32821: ("Emboss the image", "Emboss"),
    32895: ("Sharpen or blur the image", "Sharpen or Blur"),
    32939: ("Add a shadow to the image", "Shadow"),
    32940: ("Add a frame to the image", "Frame"),
    # Color
    32804: ("Change the number of colours", "Color Resolution"),
    32802: ("Convert the image to black and white", "Black and White"),
    32801: ("Convert the image to black and white with halftones", "Halftone"),
    32803: ("Convert the image to shades of grey", "Gray Scale"),
    32967: ("Correct brightness, contrast and colour balance", "Color Correction"),
    32809: ("Exchange black and white", "Invert Black and White"),
    32811: ("Invert all colours", "Invert Colors"),
    32921: ("Substitute one colour for another", "Substitute Colors"),
    32924: ("Substitute colours as soon as an image is captured", "Immediately Substitute Colors"),
    32810: ("Count the unique colours of the image", "Unique Colors"),
    # Options
    40022: ("Choose the hot keys that start captures", "Configure Hot Keys"),
    32829: ("Switch the capture hot keys on or off", "Activate Hot Keys"),
    32978: ("Switch the capture hot keys on or off", "Activate Hot Keys"),
    32859: ("Switch voice commands on or off", "Activate Voice Commands"),
    32864: ("Move the mouse with the arrow keys", "Control Mouse with Keyboard"),
    40024: ("Choose how the program starts and shows its tray icon", "Startup and Tray Icon"),
    40071: ("Set the resolution given to new images", "Default Image Resolution"),
    2050: ("Set where images are placed and the background around them", "Image Position and Background"),
    32913: ("Switch the menu and toolbar style", "OfficeXP Style"),
    32875: ("Open supported image types with this program", "Register File Types"),
    32980: ("Save the configuration to a file", "Save Configuration"),
    32981: ("Read the configuration from a file", "Read Configuration"),
    # Tools
    32925: ("Run this tool", "Tool"),
    32937: ("Add, change or remove tools", "Customize Tools"),
    32989: ("Fill the drawn shapes", "Fill Shape"),
    # Window
    32972: ("Close all images", "Close All"),
    57648: ("Open another window for the active image", "New Window"),
    57649: ("Arrange icons at the bottom of the window", "Arrange Icons"),
    57650: ("Arrange windows so they overlap", "Cascade Windows"),
    57651: ("Arrange windows as non-overlapping tiles", "Tile Windows"),
    57652: ("Arrange windows side by side", "Tile Windows Vertically"),
    57653: ("Split the active window into panes", "Split"),
    57680: ("Switch to the next window pane", "Next Pane"),
    57681: ("Switch back to the previous window pane", "Previous Pane"),
    # Help
    32823: ("Show the help contents", "Contents"),
    32845: ("Show the quick tutorial for beginners", "Quick Tutorial"),
    32846: ("Show the advanced tutorials", "Advanced Tutorials"),
    32847: ("Show the frequently asked questions", "FAQ"),
    32849: ("Show tips and hints", "Tips and Hints"),
    32874: ("List the voice commands", "Voice Commands"),
    32851: ("Visit our web site", "Web Site"),
    40082: ("Check for a new version of the program", "Check for a New Version"),
    57664: ("Display program information, version number and copyright", "About"),
    57666: ("List the help topics", "Help Index"),
    57667: ("List the help topics", "Help Topics"),
    57668: ("Display instructions about how to use help", "Help"),
    57669: ("Display help for clicked buttons, menus and windows", "Help"),
    57670: ("Display help for the current task or command", "Help"),
    57671: ("Display the default help", "Help"),
    # Capture overlay and holders
    32781: ("Close this menu and go on capturing", "Dismiss"),
    32784: ("Finish the capture", "Finish Capture"),
    32773: ("Abort the capture", "Abort Capture"),
    32775: ("Select rectangular regions", "Rectangle"),
    32776: ("Select regions with small round corners", "Small Round"),
    32777: ("Select regions with medium round corners", "Medium Round"),
    32778: ("Select regions with large round corners", "Large Round"),
    32779: ("Select elliptic regions", "Ellipse"),
    32782: ("Start the region selection again", "Restart Region Mode"),
    32785: ("Change the size of the region", "Size Mode"),
    32780: ("Select a window or a region", "Window/Selection Mode"),
    32954: ("Draw the region free hand", "Free Hand Mode"),
    32790: ("Draw text with a transparent background", "Transparent Background"),
    32791: ("Draw text with an opaque background", "Opaque Background"),
    32833: ("Disable the hot key", "Disable Hot Key"),
    32834: ("Enable the hot key", "Enable Hot Key"),
    32835: ("The command has a hot key", "Has Hot Key"),
    32857: ("Open an image file", "Open File"),
    32935: ("Make a new stamp", "New Stamp"),
    32930: ("Insert a stamp from a file", "Insert from File"),
    32936: ("Update the stamp list", "Update"),
    32958: ("Edit the help topic", "Edit Topic"),
    32956: ("Assign an alias to the help topic", "Assign Alias"),
    32959: ("Delete the alias of the help topic", "Delete Alias"),
    32955: ("Delete the help topic file", "Delete Topic File"),
    32957: ("Close this menu", "Dismiss"),
    40038: ("Open an image", "Open"),
    # Print preview
    58112: ("Close print preview mode", "Cancel Preview"),
    58113: ("Show one or two pages", "One or Two Pages"),
    58114: ("Go to the next page", "Next Page"),
    58115: ("Go to the previous page", "Previous Page"),
    58116: ("Print the previewed pages", "Print"),
    58117: ("Increase the magnification of the preview page", "Zoom In"),
    58118: ("Decrease the magnification of the preview page", "Zoom Out"),
    # Small image editor tools (toolbar 16138)
    16901: ("Draw free hand with the pencil", "Pencil"),
    16902: ("Select a rectangle", "Select"),
    16903: ("Draw a line", "Line"),
    16904: ("Draw a rectangle", "Rectangle"),
    16905: ("Draw an ellipse", "Ellipse"),
    16906: ("Fill an area with colour", "Fill"),
    16907: ("Pick a colour from the image", "Pick Color"),
    16908: ("Erase to the background colour", "Eraser"),
    16909: ("Copy the button image to the Clipboard", "Copy Image"),
}

# Ranges of command prompts kept in the string table.
PROMPT_RANGES = [(2050, 2050), (2065, 2065), (16901, 16909), (32771, 32989), (40005, 40084),
                 (57600, 57681), (58112, 58118), (59392, 59396)]


def sequence(first, texts):
    return {first + i: t for i, t in enumerate(texts)}


STRINGS = {}

STRINGS[99] = "Glimra 5\nImage\nImage\nGlimra Images (*.glm)\n.glm\nGlmr5.Document\nGlimra 5 Image"

STRINGS.update(sequence(100, [
    "Capture &Full Screen", "Capture &Virtual Desktop", "Capture &Window or Control",
    "Capture &Button", "Capture &Active Window", "Capture Active Window &without Frame",
    "Capture &Region", "Capture Free &Hand", "&Pan Last Region", "&Multi-Region Capture",
    "Capture Mouse &Cursor Only", "Re&peat Last Capture", "Capture &Extended Active Window",
    "Capture &Scrolling Window", "Capture Scrolling Re&gion",
    "Width: %d pixels\n", "Height: %d pixels\n", "Bits per pixel: %d\n", "Colors: %d\n",
    "Resolution: %d x %d dpi\n", "File size: %d bytes\n", "Memory used: %d KB\n",
    "Format: %s\n", "Compression: %s\n", "Frames: %d\n", "Created: %s\n", "Modified: %s\n",
    "Connecting to %s ...", "Logging in as %s ...", "Uploading %s ...", "Upload finished.",
    "The upload failed: %s", "Cannot connect to the FTP server %s.",
    "The FTP server refused the user name or password.", "Cannot change to the folder %s on the server.",
    "The FTP profile %s already exists. Replace it?", "Delete the FTP profile %s?",
    "Enter a name for the FTP profile.", "New FTP profile", "The file %s already exists on the server. Overwrite it?",
    "Transferred %d of %d bytes", "Image%d", "Untitled", "The image has been changed. Save it?",
    "Cannot open the file %s.", "Cannot save the file %s.", "The file %s is not a supported image.",
    "The Clipboard holds no image.", "Not enough memory to complete the operation.",
    "The printer is not ready.", "Printing page %d of %d", "Page %d", "Pages %d-%d",
    "The capture was aborted.", "Click the window or control to capture, or press Esc to abort.",
    "Drag a rectangle around the region to capture, or press Esc to abort.",
    "Draw around the region to capture, then release the mouse button.",
    "Move the region with the mouse and click to capture.",
    "Press Enter to finish the multi-region capture.",
    "The hot key %s is already used by another program.", "Hot keys are active.", "Hot keys are off.",
    "Voice commands are active.", "Voice commands are off. Say \"capture\" after switching them on.",
    "No speech engine was found on this computer.", "Wallpaper set.", "The image was copied to the Clipboard.",
    "%d%%", "%d x %d", "%d x %d x %d", "Ready", "Capturing...", "Scrolling...",
    "The e-mail program could not be started.", "No scanner or camera is installed.",
    "The scanner or camera reported an error.", "A newer version, %s, is available. Download it now?",
    "You have the latest version.", "Cannot reach the update server.",
    "The file types have been registered.", "The configuration was saved to %s.",
    "The configuration was read from %s.", "The configuration file %s is not valid.",
    "Special capture is enabled: DirectX and video overlays can be captured.",
    "Special capture is disabled.", "Tip: press %s to capture the full screen at any time.",
    "Unknown", "The capture is larger than the screen. Scroll to see all of it.",
]))
assert max(k for k in STRINGS if k < 200) == 187

STRINGS.update(sequence(202, [
    "Stamp", "Stamps", "New Stamp", "Stamp text", "Stamp image", "Date and time stamp",
    "Page number stamp", "File name stamp", "Copyright stamp", "Draft", "Confidential", "Approved",
    "Do not copy", "Sample", "Top left", "Top center", "Top right", "Middle left", "Center",
    "Middle right", "Bottom left", "Bottom center", "Bottom right", "Font...", "Color...",
    "Transparent", "Opacity: %d%%", "Margin: %d pixels", "The stamp %s already exists. Replace it?",
    "Delete the stamp %s?", "Enter a name for the stamp.", "The stamp file %s cannot be read.",
    "The stamp file %s cannot be written.", "Stamp files (*.stp)|*.stp||", "Insert stamp",
    "Edit stamp", "Preview", "No stamps are defined yet.",
]))
STRINGS.update({i: "<dummy>" for i in range(240, 260)})
STRINGS[260] = "Stamp list"
STRINGS.update({i: "Insert this stamp." for i in range(261, 301)})
STRINGS.update(sequence(301, [
    "Upload to FTP Server", "Server:", "User name:", "Password:", "Remote folder:", "Passive mode",
    "Profile:", "Save profile",
]))

# Image file dialog filters: "Graphics Files|" then one entry a format, "-" for empty slots.
FORMATS = ["BMP (*.bmp)|*.bmp|", "GIF (*.gif)|*.gif|", "JPEG (*.jpg)|*.jpg;*.jpeg|", "PNG (*.png)|*.png|",
           "TIFF (*.tif)|*.tif;*.tiff|", "PCX (*.pcx)|*.pcx|", "TGA (*.tga)|*.tga|", "ICO (*.ico)|*.ico|",
           "WMF (*.wmf)|*.wmf|", "EMF (*.emf)|*.emf|", "PSD (*.psd)|*.psd|", "DIB (*.dib)|*.dib|",
           "RLE (*.rle)|*.rle|", "JPEG 2000 (*.jp2)|*.jp2|", "WBMP (*.wbmp)|*.wbmp|", "PBM (*.pbm)|*.pbm|",
           "PGM (*.pgm)|*.pgm|", "PPM (*.ppm)|*.ppm|", "XPM (*.xpm)|*.xpm|", "RAS (*.ras)|*.ras|",
           "CUR (*.cur)|*.cur|", "All Files (*.*)|*.*|"]
STRINGS[400] = "Graphics Files|"
STRINGS.update(sequence(401, FORMATS + ["-"] * (31 - len(FORMATS))))
COMPRESSIONS = ["None", "RLE", "LZW", "Packbits", "CCITT Group 3", "CCITT Group 4", "Huffman",
                "JPEG", "Deflate", "Interlaced", "Progressive", "Baseline", "Lossless",
                "Uncompressed", "8-bit RLE", "4-bit RLE"]
STRINGS.update(sequence(432, COMPRESSIONS + ["-"] * (30 - len(COMPRESSIONS))))

STRINGS.update(sequence(16001, [
    "Toolbar", "Toolbars", "Standard", "Menu Bar", "Customize", "&Reset", "Reset &All",
    "Are you sure you want to reset the changes made to the %s toolbar?",
    "Are you sure you want to reset the changes made to the menu?",
    "Are you sure you want to reset all keyboard assignments?", "Toolbar name:",
    "A toolbar with this name already exists.", "The toolbar name cannot be empty.",
    "Delete the toolbar %s?", "New Toolbar", "All Commands", "New Menu", "Assigned to:",
    "Press new shortcut key:", "The shortcut is already assigned to %s.", "Show Below Ribbon",
    "Large Icons", "Show ScreenTips on toolbars", "Show shortcut keys in ScreenTips",
    "Menus show recently used commands first", "Menu animations:", "Always show full menus",
    "Show full menus after a short delay", "Reset my usage data", "Custom %d", "Application frame menu",
]))
STRINGS.update(sequence(16103, [
    "Commands", "Toolbars", "Keyboard", "Menu", "Mouse", "Options", "Tools", "&Close", "&New...",
    "Re&name...", "&Delete", "&Keyboard...", "Customize",
]))
STRINGS.update({16243: "Customize...", 16244: "Add or Remove Buttons"})
STRINGS.update({17012: "Edit Button Image", 17013: "The image is too large to be used as a button image."})

COLOURS = ["Black", "Brown", "Olive Green", "Dark Green", "Dark Teal", "Dark Blue", "Indigo", "Gray-80%",
           "Dark Red", "Orange", "Dark Yellow", "Green", "Teal", "Blue", "Blue-Gray", "Gray-50%",
           "Red", "Light Orange", "Lime", "Sea Green", "Aqua", "Light Blue", "Violet", "Gray-40%",
           "Pink", "Gold", "Yellow", "Bright Green", "Turquoise", "Sky Blue", "Plum", "Gray-25%",
           "Rose", "Tan", "Light Yellow", "Light Green", "Light Turquoise", "Pale Blue", "Lavender",
           "White", "Automatic", "More Colors...", "Other"]
STRINGS.update(sequence(29001, COLOURS))
STRINGS.update(sequence(29100, [
    "Ellipse", "Rectangle", "Rounded rectangle", "Line", "Arrow", "Free hand", "Text", "Highlighter",
    "Eraser", "Flood fill", "Color picker", "Selection", "Blur selection", "Blend selection",
]))

IMAGE_ERRORS = [
    "Error no. %d has occurred:\n", "Not enough memory.", "The file cannot be opened.",
    "The file cannot be read.", "The file cannot be written.", "The file cannot be created.",
    "The file format is not supported.", "The file is damaged.", "The file is empty.",
    "The image is too large.", "The image has no pixels.", "The palette is not valid.",
    "The bit depth is not supported.", "The compression method is not supported.",
    "The image has too many colors for this format.", "The disk is full.",
    "The operation was cancelled.", "The page does not exist.", "The frame does not exist.",
    "The image is locked by another program.", "The resolution is not valid.",
    "The angle is not valid.", "The size is not valid.", "The selection is empty.",
    "The Clipboard cannot be opened.", "The Clipboard holds no image.",
    "The printer cannot be opened.", "The scanner cannot be opened.", "The scanner is busy.",
    "The device context cannot be created.", "The bitmap cannot be created.",
    "The color table cannot be created.", "An internal error occurred.", "The parameter is not valid.",
    "The handle is not valid.", "The buffer is too small.", "The encoder reported an error.",
    "The decoder reported an error.", "The file is encrypted.", "A password is needed.",
    "The library for this format is missing.", "The operation is not supported for this image.",
]
STRINGS.update(sequence(34500, IMAGE_ERRORS))
for n, fmt in enumerate(["BMP", "GIF", "JPEG", "PNG", "TIFF", "PCX", "TGA", "ICO", "WMF", "EMF",
                         "PSD", "JPEG 2000", "WBMP", "PBM", "PGM", "PPM", "XPM", "RAS"]):
    base = 34542 + n * 4
    STRINGS[base] = "The %s file header is not valid." % fmt
    STRINGS[base + 1] = "The %s data ends too early." % fmt
    STRINGS[base + 2] = "This kind of %s file cannot be read." % fmt
    STRINGS[base + 3] = "The image cannot be saved as %s." % fmt
STRINGS.update(sequence(34614, [
    "Press the key combination that will start a full-screen capture.",
    "Press the key combination that will start an active-window capture.",
    "Press the key combination that will start a capture of the active window without its frame.",
    "Press the key combination that will start a window or control capture.",
    "Press the key combination that will start a region capture.",
    "Press the key combination that will start a free-hand capture.",
    "Press the key combination that will start a multi-region capture.",
    "Press the key combination that will start a repeat of the last capture.",
]))
STRINGS.update(sequence(34622, [
    "The hot key is not valid.", "The hot key is reserved by Windows.",
    "The hot key cannot be registered.", "No hot key", "Ctrl+", "Shift+", "Alt+", "Win+",
    "Print Screen", "Pause", "The hot keys were reset to their defaults.",
]))

STRINGS[57344] = "Glimra 5"
STRINGS[57345] = "Press F1 key for important help!"
for i in range(57616, 57632):
    COMMANDS[i] = ("Open this image", "Recent File %d" % (i - 57615))
for ident, text in enumerate(["EXT", "CAP", "NUM", "SCRL", "OVR", "REC"], 59136):
    STRINGS[ident] = text
STRINGS.update({
    61184: "Change the window size", 61185: "Change the window position",
    61186: "Reduce the window to an icon", 61187: "Enlarge the window to full size",
    61188: "Switch to the next window", 61189: "Switch to the previous window",
    61190: "Close the active window and ask to save the images", 61202: "Restore the window to normal size",
    61203: "Activate the task list", 61215: "Activate this window",
    61888: "Close print preview mode\nCancel Preview",
})

for ident, (prompt, tip) in COMMANDS.items():
    if any(lo <= ident <= hi for (lo, hi) in PROMPT_RANGES):
        STRINGS[ident] = prompt + "\n" + tip

# ---------------------------------------------------------------------------------------------
# Dialog templates.
POPUP = "DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU"
PAGE = "DS_SETFONT | DS_3DLOOK | WS_CHILD | WS_DISABLED | WS_CAPTION"
PANEL = "DS_SETFONT | DS_3DLOOK | DS_CONTROL | WS_CHILD | WS_VISIBLE"
BARE = "DS_SETFONT | WS_POPUP | WS_BORDER"


def ok_cancel(w, h):
    return ['DEFPUSHBUTTON "OK", IDOK, %d, %d, 50, 14, WS_TABSTOP' % (w - 112, h - 20),
            'PUSHBUTTON "Cancel", IDCANCEL, %d, %d, 50, 14, WS_TABSTOP' % (w - 58, h - 20)]


def label(text, x=7, y=7, w=186, h=24, ident="-1"):
    return 'LTEXT "%s", %s, %d, %d, %d, %d' % (text.replace('"', '""'), ident, x, y, w, h)


def combo(ident, x=7, y=36, w=120):
    return "COMBOBOX %d, %d, %d, %d, 80, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP" % (ident, x, y, w)


def checks(texts, first_id, y=36):
    return ['AUTOCHECKBOX "%s", %d, 14, %d, 190, 10, WS_TABSTOP' % (t, first_id + i, y + 14 * i)
            for i, t in enumerate(texts)]


def dialog(ident, title, kind, text, extra=(), lang="en", size=None, buttons=True):
    style = {"popup": POPUP, "page": PAGE, "panel": PANEL, "bare": BARE}[kind]
    w, h = size or ((200, 100) if kind in ("popup", "bare") else (220, 120))
    controls = [label(text, w=w - 14)] + list(extra)
    if buttons and kind == "popup":
        controls += ok_cancel(w, h)
    return {"id": ident, "title": title, "child": kind in ("page", "panel"), "lang": lang,
            "style": style, "size": (w, h), "controls": controls}


DIALOGS = [
    dialog(100, "About Glimra 5", "popup", "Glimra 5 Version 8.0", size=(235, 90), buttons=False, extra=[
        "ICON 99, -1, 11, 17, 20, 20",
        label("Copyright (C) 2024 Orvane Technology LLC. All rights reserved.", x=40, y=30, w=180, h=20),
        'DEFPUSHBUTTON "OK", IDOK, 178, 68, 50, 14, WS_GROUP']),
    dialog(104, "Bitmap Copy Options", "popup", "How should captured images be copied to the Clipboard?",
           extra=checks(["Copy as a device-independent bitmap", "Copy the palette as well"], 1001)),
    dialog(105, "Send Picture by Email", "popup", "Send the picture in this format:", extra=[combo(1065)]),
    dialog(119, "DirectX/Direct3D and Glide Capture", "popup",
           "Games and videos that draw directly to the screen are captured with the hot key below.",
           extra=checks(["Capture DirectX and Direct3D programs", "Capture Glide programs"], 1002)),
    dialog(124, "Image Resolution", "popup", "Resolution of the image in dots per inch:",
           extra=["EDITTEXT 1003, 7, 36, 60, 14, ES_NUMBER | WS_TABSTOP"]),
    dialog(129, "Print Header and Footer", "popup", "Text printed above and below the image:",
           extra=["EDITTEXT 1004, 7, 36, 186, 14, ES_AUTOHSCROLL | WS_TABSTOP",
                  "EDITTEXT 1005, 7, 54, 186, 14, ES_AUTOHSCROLL | WS_TABSTOP"]),
    dialog(130, None, "panel", "Move the mouse over a window and click to capture it. Press Esc to abort."),
    dialog(134, "Select Hot Key", "popup", "Press the keys to use as the hot key:",
           extra=['CONTROL "", 1006, "msctls_hotkey32", WS_BORDER | WS_TABSTOP, 7, 36, 120, 14']),
    dialog(135, "Screen Capture Hot Keys", "popup", "Hot keys that start a capture from any program:",
           extra=['LISTBOX 1007, 7, 30, 186, 40, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP'],
           size=(200, 100)),
    dialog(136, "Startup and Tray Icon", "popup", "When Windows starts:",
           extra=checks(["Start the program with Windows", "Show an icon in the tray"], 1008)),
    dialog(137, None, "panel", "Page:", extra=["EDITTEXT 1010, 40, 7, 40, 14, ES_NUMBER | WS_TABSTOP"]),
    dialog(138, None, "panel", "Bits per pixel:", extra=[combo(1065, x=60, y=7)]),
    dialog(139, "Page Setup", "popup", "Margins in millimetres:",
           extra=["EDITTEXT 1011, 7, 36, 40, 14, ES_NUMBER | WS_TABSTOP",
                  "EDITTEXT 1012, 55, 36, 40, 14, ES_NUMBER | WS_TABSTOP"]),
    dialog(140, None, "panel", "Arrow keys move the cursor by one pixel; Shift moves it by ten."),
    dialog(141, None, "panel", "Click and drag to select; right-click for the capture menu."),
    dialog(144, "Quick Save", "page", "Save every capture at once into this folder:",
           extra=["EDITTEXT 1013, 7, 36, 160, 14, ES_AUTOHSCROLL | WS_TABSTOP"]),
    dialog(145, "Copy && Print", "page", "After each capture:",
           extra=checks(["Copy to the Clipboard", "Print the image"], 1014)),
    dialog(146, "File Information", "popup", "Information about the image file:",
           extra=["EDITTEXT 1016, 7, 30, 186, 40, ES_MULTILINE | ES_READONLY | WS_VSCROLL"]),
    dialog(147, "Crop && Scale", "page", "Change each capture before it is shown:",
           extra=checks(["Crop the capture", "Scale the capture"], 1017)),
    dialog(148, "Set as Wallpaper", "popup", "Show the wallpaper:",
           extra=['AUTORADIOBUTTON "Centered", 1019, 14, 36, 80, 10, WS_GROUP | WS_TABSTOP',
                  'AUTORADIOBUTTON "Tiled", 1020, 14, 50, 80, 10',
                  'AUTORADIOBUTTON "Stretched", 1021, 100, 36, 80, 10']),
    dialog(149, "Credits", "popup", "Made by the Glimra team at Orvane Technology LLC.", buttons=False,
           extra=['DEFPUSHBUTTON "OK", IDOK, 143, 80, 50, 14']),
    dialog(210, None, "panel", "A new version of Glimra is available."),
    dialog(213, "Capture", "page", "Capture options:",
           extra=checks(["Include the mouse cursor", "Hide this window while capturing",
                         "Play a sound after each capture"], 1022)),
    dialog(214, "View && Edit", "page", "After each capture:",
           extra=checks(["Show the capture in the program", "Open a new window for each capture"], 1025)),
    dialog(215, "Convert to Black and White", "popup", "Threshold between black and white:",
           extra=['CONTROL "", 1027, "msctls_trackbar32", TBS_NOTICKS | WS_TABSTOP, 7, 36, 186, 15']),
    dialog(216, "Scale", "popup", "New size in per cent:",
           extra=["EDITTEXT 1028, 7, 36, 40, 14, ES_NUMBER | WS_TABSTOP",
                  'AUTOCHECKBOX "Keep the proportions", 1029, 60, 38, 120, 10, WS_TABSTOP']),
    dialog(217, "Color Resolution", "popup", "Number of colours:",
           extra=['AUTORADIOBUTTON "2 colours", 1030, 14, 36, 80, 10, WS_GROUP | WS_TABSTOP',
                  'AUTORADIOBUTTON "16 colours", 1031, 14, 50, 80, 10',
                  'AUTORADIOBUTTON "256 colours", 1032, 100, 36, 80, 10',
                  'AUTORADIOBUTTON "True colour", 1033, 100, 50, 80, 10']),
    dialog(2037, "Register File Types", "popup", "Open these image types with Glimra:",
           extra=['LISTBOX 1034, 7, 30, 186, 40, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP']),
    dialog(2038, "How to use the Auto-Scroll feature", "popup",
           "Click inside the window to scroll. The program scrolls it to the end and joins the pieces.",
           buttons=False, extra=['DEFPUSHBUTTON "OK", IDOK, 143, 80, 50, 14']),
    dialog(2043, "Extended Window Capture", "popup", "Size of the window while it is captured:",
           extra=["EDITTEXT 1035, 7, 36, 40, 14, ES_NUMBER | WS_TABSTOP",
                  "EDITTEXT 1036, 55, 36, 40, 14, ES_NUMBER | WS_TABSTOP"]),
    dialog(2044, "Color Correction", "popup", "Brightness, contrast and gamma:",
           extra=['CONTROL "", 1037, "msctls_trackbar32", TBS_NOTICKS | WS_TABSTOP, 7, 36, 186, 15']),
    dialog(2045, " Button ", "page", "Capture this button:"),
    dialog(2051, "Color Substitution", "popup", "Replace the first colour by the second:",
           extra=['PUSHBUTTON "From...", 1038, 7, 36, 50, 14', 'PUSHBUTTON "To...", 1039, 65, 36, 50, 14']),
    dialog(2053, "Placement", "page", "Where the stamp is placed:",
           extra=['COMBOBOX 1040, 7, 36, 120, 80, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP']),
    dialog(2054, "   Image   ", "page", "Image of the stamp:"),
    dialog(2055, "    Text    ", "page", "Text of the stamp:",
           extra=["EDITTEXT 1041, 7, 36, 200, 40, ES_MULTILINE | WS_VSCROLL | WS_TABSTOP"]),
    dialog(2056, "Upload to FTP Server", "popup", "FTP profile:", extra=[combo(1065)]),
    dialog(2057, "   Frame   ", "page", "Frame around the stamp:"),
    dialog(2058, "Stamp Preview", "popup", "This is how the stamp looks:", buttons=False,
           extra=['DEFPUSHBUTTON "Close", IDOK, 143, 80, 50, 14']),
    dialog(2060, "Edit Stamps", "popup", "Stamps:",
           extra=['LISTBOX 1042, 7, 30, 186, 40, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP']),
    dialog(2063, "Frame", "popup", "Width of the frame in pixels:",
           extra=["EDITTEXT 1043, 7, 36, 40, 14, ES_NUMBER | WS_TABSTOP"]),
    dialog(2064, "Shadow", "popup", "Size of the shadow in pixels:",
           extra=["EDITTEXT 1044, 7, 36, 40, 14, ES_NUMBER | WS_TABSTOP"]),
    {"id": 2066, "title": None, "child": False, "lang": "en", "style": BARE, "size": (100, 150),
     "controls": ['CONTROL 2014, -1, "Static", SS_BITMAP, 0, 0, 100, 150']},
    dialog(2072, "Screen Capture", "popup", "The images have been changed. Save them before closing?",
           size=(240, 70), buttons=False, extra=[
               'DEFPUSHBUTTON "&Yes", IDYES, 7, 48, 50, 14', 'PUSHBUTTON "&No", IDNO, 63, 48, 50, 14',
               'PUSHBUTTON "Save &None", 1045, 119, 48, 50, 14',
               'PUSHBUTTON "Cancel", IDCANCEL, 175, 48, 50, 14']),
    dialog(2074, "Options", "page", "Options of the capture:",
           extra=checks(["Capture the window's shadow", "Capture child windows too"], 1046)),
    dialog(2075, None, "panel", "Bits per pixel:", extra=[combo(1065, x=60, y=7)]),
    dialog(2076, "Region", "page", "Shape of the region:",
           extra=['AUTORADIOBUTTON "Rectangle", 1048, 14, 36, 80, 10, WS_GROUP | WS_TABSTOP',
                  'AUTORADIOBUTTON "Ellipse", 1049, 14, 50, 80, 10']),
    dialog(16104, "Commands", "page", "Drag a command onto a toolbar:",
           extra=['LISTBOX 16601, 7, 30, 100, 80, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP',
                  'LISTBOX 16602, 113, 30, 100, 80, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP']),
    dialog(16105, "Toolbars", "page", "Toolbars:",
           extra=['LISTBOX 16603, 7, 30, 140, 80, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP',
                  'PUSHBUTTON "&New...", 16604, 155, 30, 58, 14', 'PUSHBUTTON "&Reset", 16605, 155, 48, 58, 14']),
    dialog(16130, "Toolbar Name", "popup", "Toolbar name:",
           extra=["EDITTEXT 16606, 7, 36, 186, 14, ES_AUTOHSCROLL | WS_TABSTOP"]),
    dialog(16132, "Button Appearance", "popup", "Show the button as:",
           extra=['AUTORADIOBUTTON "&Image only", 16607, 14, 36, 80, 10, WS_GROUP | WS_TABSTOP',
                  'AUTORADIOBUTTON "&Text only", 16608, 14, 50, 80, 10',
                  'AUTORADIOBUTTON "Image &and text", 16609, 100, 36, 90, 10']),
    dialog(16133, "Edit Button Image", "popup", "Draw the button image:", size=(200, 120),
           extra=['PUSHBUTTON "Clear", 16610, 143, 30, 50, 14']),
    dialog(16134, "Menu", "page", "Menu animations:", extra=[combo(16625, x=80, y=7)]),
    dialog(16135, "Mouse", "page", "Double-clicking a view runs this command:",
           extra=['LISTBOX 16611, 7, 30, 200, 80, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP']),
    dialog(16136, "Keyboard", "page", "Shortcut keys of the commands:",
           extra=['LISTBOX 16612, 7, 30, 140, 80, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP',
                  'PUSHBUTTON "&Assign", 16613, 155, 30, 58, 14', 'PUSHBUTTON "&Remove", 16614, 155, 48, 58, 14']),
    dialog(16137, "Options", "page", "Personalised menus and toolbars:",
           extra=checks(["Show ScreenTips on toolbars", "Show shortcut keys in ScreenTips",
                         "Large icons"], 16615)),
    {"id": 16658, "title": None, "child": True, "lang": "neutral", "style": PANEL, "size": (60, 20),
     "controls": ['PUSHBUTTON "Button", 16659, 0, 0, 50, 14, NOT WS_VISIBLE']},
    dialog(16927, "Windows", "popup", "Open windows:",
           extra=['LISTBOX 16618, 7, 30, 186, 40, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP']),
    dialog(16928, "Tools", "page", "Tools on the Tools menu:",
           extra=['LISTBOX 16619, 7, 30, 200, 50, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP',
                  "EDITTEXT 16620, 7, 86, 200, 14, ES_AUTOHSCROLL | WS_TABSTOP"]),
    dialog(16961, "Colors", "popup", "Choose a colour:"),
    dialog(16962, "Standard", "page", "Standard colours:"),
    dialog(16963, "Custom", "page", "Custom colour, red, green and blue:",
           extra=["EDITTEXT 16621, 7, 36, 40, 14, ES_NUMBER | WS_TABSTOP",
                  "EDITTEXT 16622, 55, 36, 40, 14, ES_NUMBER | WS_TABSTOP",
                  "EDITTEXT 16623, 103, 36, 40, 14, ES_NUMBER | WS_TABSTOP"]),
    dialog(16982, "Help Keyboard", "popup", "Shortcut keys of the commands, by category:",
           extra=['LISTBOX 16624, 7, 30, 186, 40, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP']),
    dialog(17003, "Visualizations", "popup", "Visual effects of the program:",
           extra=checks(["Animate windows", "Fade menus"], 16626)),
    dialog(27205, "%s Version Check", "popup", "Checking for a new version of %s ..."),
    dialog(28103, "Enter Bitmap Dimensions", "popup", "Width and height in pixels:",
           extra=["EDITTEXT 1050, 7, 36, 40, 14, ES_NUMBER | WS_TABSTOP",
                  "EDITTEXT 1051, 55, 36, 40, 14, ES_NUMBER | WS_TABSTOP"]),
    dialog(28106, "Arrowhead Settings", "popup", "Length and width of the arrowhead:",
           extra=["EDITTEXT 1052, 7, 36, 40, 14, ES_NUMBER | WS_TABSTOP",
                  "EDITTEXT 1053, 55, 36, 40, 14, ES_NUMBER | WS_TABSTOP"]),
    dialog(28107, "Image Position and Background", "popup", "Position of the image in its window:",
           extra=['AUTORADIOBUTTON "Top left", 1054, 14, 36, 80, 10, WS_GROUP | WS_TABSTOP',
                  'AUTORADIOBUTTON "Centered", 1055, 14, 50, 80, 10']),
    dialog(30721, "New", "popup", "New image:",
           extra=['LISTBOX 1056, 7, 30, 186, 40, LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP']),
    dialog(30722, None, "bare", "Printing...", size=(160, 60), extra=[
        label("", y=24, w=146, h=10, ident="1057"),
        'PUSHBUTTON "Cancel", IDCANCEL, 55, 40, 50, 14']),
    {"id": 30723, "title": None, "child": True, "lang": "en", "style": PANEL, "size": (330, 20),
     "controls": ['PUSHBUTTON "&Print...", 58116, 2, 2, 44, 14', 'PUSHBUTTON "&Next Page", 58114, 48, 2, 44, 14',
                  'PUSHBUTTON "Pre&v Page", 58115, 94, 2, 44, 14', 'PUSHBUTTON "&Two Page", 58113, 140, 2, 44, 14',
                  'PUSHBUTTON "Zoom &In", 58117, 186, 2, 44, 14', 'PUSHBUTTON "Zoom &Out", 58118, 232, 2, 44, 14',
                  'PUSHBUTTON "&Close", 58112, 278, 2, 44, 14']},
]

assert len(DIALOGS) == 71, len(DIALOGS)
assert len({d["id"] for d in DIALOGS}) == 71
