#!/usr/bin/env python3
"""Makes the assets of GlmRes5.dll into resources/assets/: the pictures (bitmaps, cursors, icons),
the sound, the dialog initialisation data (type 240), the toolbar layouts (type 241) and the two long
resource-script fragments (dialog templates and string tables).

Standard library only; the output is deterministic, so running it again changes nothing.
    python3 resources/make_assets.py          writes the files
    python3 resources/make_assets.py --check  exits 1 when a committed file differs
"""
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.join(HERE, "assets")

from texts import STRINGS, DIALOGS  # noqa: E402  (the long text tables, beside this script)

# ---------------------------------------------------------------------------------------------
# Pictures

# The 16-colour palette (the classic VGA colours), used by 4-bit pictures and as the first 16
# entries of the 256-colour palette.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
GREY, DARK, WHITE, BLACK = 7, 8, 15, 0


def palette256():
    pal = list(VGA)
    # 6x6x6 colour cube, then a grey ramp.
    for r in range(6):
        for g in range(6):
            for b in range(6):
                pal.append((r * 51, g * 51, b * 51))
    while len(pal) < 256:
        v = (len(pal) - 232) * 255 // 23
        pal.append((v, v, v))
    return pal[:256]


def cube(r, g, b):
    """Index of the nearest colour-cube entry in palette256 (components 0..5)."""
    return 16 + r * 36 + g * 6 + b


def pack_rows(pixels, width, height, bpp):
    """Bottom-up DIB rows, each padded to 4 bytes. pixels[y][x] holds palette indexes (or RGB
    tuples for 24 bits)."""
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        if bpp == 24:
            for x in range(width):
                r, g, b = pixels[y][x]
                row += bytes((b, g, r))
        else:
            per = 8 // bpp
            for x0 in range(0, width, per):
                v = 0
                for i in range(per):
                    x = x0 + i
                    v <<= bpp
                    if x < width:
                        v |= pixels[y][x]
                row.append(v)
        while len(row) % 4:
            row.append(0)
        out += row
    return bytes(out)


def dib(pixels, width, height, bpp, mask=None):
    """BITMAPINFOHEADER + palette + bits. With a mask (rows of 0/1, 1 = transparent) the header
    height is doubled and the AND mask follows, as icons and cursors want."""
    colours = {1: [(0, 0, 0), (255, 255, 255)], 4: VGA, 8: palette256(), 24: []}[bpp]
    bits = pack_rows(pixels, width, height, bpp)
    if mask is not None:
        bits += pack_rows(mask, width, height, 1)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * (2 if mask is not None else 1), 1,
                         bpp, 0, len(bits), 0, 0, len(colours) if bpp <= 8 else 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
    return header + pal + bits


def bmp_file(pixels, width, height, bpp):
    body = dib(pixels, width, height, bpp)
    palette_size = {4: 16, 8: 256}[bpp] * 4
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + palette_size) + body


def canvas(width, height, fill):
    return [[fill] * width for _ in range(height)]


def draw_glyph(px, x0, y0, size, kind, colour):
    """One small toolbar-style glyph in a size x size cell: eight simple shapes."""
    c = size // 2
    r = size // 2 - 3
    for y in range(size):
        for x in range(size):
            dx, dy = x - c, y - c
            on = False
            if kind == 0:      # framed square
                on = 2 <= x < size - 2 and 2 <= y < size - 2 and (x in (2, size - 3) or y in (2, size - 3))
            elif kind == 1:    # filled disc
                on = dx * dx + dy * dy <= r * r
            elif kind == 2:    # diagonal bar
                on = abs(x - y) <= 1 and 2 <= x < size - 2
            elif kind == 3:    # cross
                on = (abs(dx) <= 1 or abs(dy) <= 1) and 2 <= x < size - 2 and 2 <= y < size - 2
            elif kind == 4:    # triangle
                on = y >= 3 and y < size - 2 and abs(dx) <= (y - 3) // 2 + 1
            elif kind == 5:    # ring
                d = dx * dx + dy * dy
                on = (r - 2) ** 2 <= d <= r * r
            elif kind == 6:    # page with a folded corner
                on = 3 <= x < size - 3 and 2 <= y < size - 2 and not (x - (size - 8) > y - 2 and x > size - 8)
            else:              # arrow to the right
                on = (abs(dy) <= 1 and 2 <= x < size - 5) or (x >= size - 7 and abs(dy) <= size - 3 - x)
            if on:
                px[y0 + y][x0 + x] = colour
    return px


def toolbar_strip(count, width, height, seed):
    """A strip of button glyphs on the grey button face, one per cell of width x height."""
    strip_w = count * width
    px = canvas(strip_w, height, GREY)
    colours = [1, 2, 4, 5, 6, 9, 12, 3, 13, 10, 0, 8]
    for i in range(count):
        cell = canvas(width, height, GREY)
        n = seed + i * 7
        draw_glyph(cell, 0, 0, min(width, height), n % 8, colours[n % len(colours)])
        for y in range(height):
            for x in range(width):
                px[y][i * width + x] = cell[y][x]
    return px, strip_w


def about_picture(width=100, height=150):
    """The about-box picture: a blue gradient with a lens and the product's initial."""
    px = canvas(width, height, 0)
    for y in range(height):
        for x in range(width):
            px[y][x] = cube(0, min(5, y * 3 // height + 1), 5 - y * 3 // height)
    cx, cy, r = width // 2, height // 2 - 10, 30
    for y in range(height):
        for x in range(width):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if d <= r * r:
                px[y][x] = cube(1, 1, 2) if d > (r - 6) ** 2 else cube(4, 5, 5) if d < 80 else cube(0, 2, 4)
    # A block letter G under the lens.
    gx, gy = cx - 10, height - 35
    for y in range(20):
        for x in range(20):
            edge = x < 4 or y < 4 or y >= 16 or (x >= 16 and y >= 10) or (y >= 10 and y < 14 and x >= 10)
            if edge:
                px[gy + y][gx + x] = WHITE
    return px


def plain_picture(width, height, bpp, seed):
    if bpp == 8:
        px = canvas(width, height, 0)
        for y in range(height):
            for x in range(width):
                px[y][x] = cube((x * 6 // width + seed) % 6, (y * 6 // height) % 6, seed % 6)
        return px
    px, _ = toolbar_strip(max(1, width // height), height, height, seed)
    return [row[:width] + [GREY] * (width - len(row)) for row in px]


# (id, language, width, height, bits, kind)
BITMAPS = [
    (99, "en", 288, 16, 4, "strip"), (100, "en", 576, 16, 4, "strip"),
    (131, "en", 32, 32, 8, "plain"), (2014, "en", 100, 150, 8, "about"),
    (2016, "en", 48, 48, 8, "plain"), (2039, "en", 704, 16, 4, "strip"),
    (2071, "en", 64, 16, 4, "strip"), (26567, "en", 16, 16, 4, "strip"),
] + [(i, "en", 16, 16, 4, "strip") for i in range(28131, 28142)] + [
    (28155, "en", 32, 16, 4, "strip"),
    (30994, "en", 16, 16, 4, "strip"), (30995, "en", 16, 16, 4, "strip"),
    (30996, "en", 16, 16, 4, "strip"),
    (16129, "neutral", 16, 16, 4, "strip"), (16131, "neutral", 16, 16, 4, "strip"),
    (16138, "neutral", 144, 15, 4, "strip"),
    (16929, "neutral", 16, 16, 4, "strip"), (16930, "neutral", 16, 16, 4, "strip"),
    (16931, "neutral", 16, 16, 4, "strip"), (16932, "neutral", 16, 16, 4, "strip"),
    (16960, "neutral", 128, 16, 4, "strip"), (16993, "neutral", 16, 16, 4, "strip"),
    (16994, "neutral", 16, 16, 4, "strip"), (17000, "neutral", 32, 32, 8, "plain"),
    (17002, "neutral", 16, 16, 4, "strip"), (17004, "neutral", 16, 16, 4, "strip"),
]


def make_bitmap(ident, width, height, bpp, kind):
    if kind == "about":
        px = about_picture(width, height)
    elif kind == "strip":
        cell = 16
        px, _ = toolbar_strip(width // cell, cell, height, ident)
    else:
        px = plain_picture(width, height, bpp, ident)
    return bmp_file(px, width, height, bpp)


# Cursors: monochrome, black shape with a white outline.
def cursor_shape(size, kind):
    """Returns (pixels, mask, hotspot): pixels 0 black / 1 white, mask 1 = transparent."""
    black = set()
    c = size // 2
    if kind == 0:      # crosshair
        hot = (c, c)
        for i in range(2, size - 2):
            black.add((i, c))
            black.add((c, i))
    elif kind == 1:    # arrow pointing up-left
        hot = (1, 1)
        for y in range(1, size * 3 // 4):
            for x in range(1, 1 + y // 2 + 1):
                black.add((x, y))
    elif kind == 2:    # magnifier
        hot = (size * 3 // 8, size * 3 // 8)
        r = size * 3 // 8 - 2
        for y in range(size):
            for x in range(size):
                d = (x - hot[0]) ** 2 + (y - hot[1]) ** 2
                if (r - 1) ** 2 <= d <= r * r:
                    black.add((x, y))
        for i in range(hot[0] + r - 1, size - 2):
            black.add((i, i))
            black.add((i + 1, i))
    elif kind == 3:    # four-way move arrows
        hot = (c, c)
        for i in range(2, size - 2):
            black.add((i, c))
            black.add((c, i))
        for k in range(1, size // 6 + 1):
            for (x, y) in ((c - k, 2 + k), (c + k, 2 + k), (c - k, size - 3 - k), (c + k, size - 3 - k),
                           (2 + k, c - k), (2 + k, c + k), (size - 3 - k, c - k), (size - 3 - k, c + k)):
                black.add((x, y))
    elif kind == 4:    # pen
        hot = (1, size - 2)
        for i in range(1, size - 3):
            for w in range(3):
                black.add((i + w, size - 2 - i))
    else:              # box corner for region selection
        hot = (c, c)
        for i in range(c, size - 2):
            black.add((i, c))
            black.add((c, i))
        for i in range(c - 3, c + 4):
            black.add((i, c - 3))
    outline = set()
    for (x, y) in black:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if 0 <= p[0] < size and 0 <= p[1] < size and p not in black:
                    outline.add(p)
    pixels = [[1 if (x, y) in outline else 0 for x in range(size)] for y in range(size)]
    mask = [[0 if (x, y) in black or (x, y) in outline else 1 for x in range(size)] for y in range(size)]
    return pixels, mask, hot


def icon_dir_file(kind, images):
    """An .ico (kind 1) or .cur (kind 2) file. images: (width, height, colours, plane_or_hx,
    bits_or_hy, data)."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for (w, h, colours, a, b, data) in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, a, b, len(data), offset + len(body))
        body += data
    return out + body


def make_cursor(sizes, kind):
    images = []
    for size in sizes:
        pixels, mask, (hx, hy) = cursor_shape(size, kind)
        images.append((size, size, 2, hx, hy, dib(pixels, size, size, 1, mask)))
    return icon_dir_file(2, images)


# (name, language, sizes); groups 30977-30982 carry a 32 x 32 and a 16 x 16 image.
CURSORS = (
    [(211, "en", (32,)), (2052, "en", (16,))]
    + [(i, "en", (32,)) for i in range(28145, 28152)]
    + [(i, "en", (32, 16)) for i in range(30977, 30983)]
    + [(16004, "neutral", (32,)), (16133, "neutral", (32,))]
    + [(i, "neutral", (32,)) for i in range(16140, 16147)]
    + [(16919, "neutral", (32,)), ("SCROLLCUR", "en", (32,))]
)


def icon_image(size, bpp, seed):
    c = (size - 1) / 2.0
    r = size / 2.0 - 1
    px, mask = [], []
    for y in range(size):
        row, mrow = [], []
        for x in range(size):
            d = math.hypot(x - c, y - c)
            inside = d <= r
            mrow.append(0 if inside else 1)
            if not inside:
                row.append((0, 0, 0) if bpp == 24 else 0)
                continue
            ring = d > r - max(2, size // 10)
            lens = d < r * 0.45
            if bpp == 24:
                row.append((30, 30, 40) if ring else (160, 220, 255) if lens
                           else (20, 80 + (seed * 40) % 120, 200 - y * 100 // size))
            elif bpp == 8:
                row.append(cube(0, 0, 1) if ring else cube(3, 5, 5) if lens
                           else cube(0, (seed + y * 4 // size) % 6, 5 - y * 3 // size))
            else:
                row.append(BLACK if ring else WHITE if lens else (12 if seed % 2 else 4))
        px.append(row)
        mask.append(mrow)
    return dib(px, size, size, bpp, mask)


def make_icon(specs, seed):
    images = []
    for (size, bpp) in specs:
        colours = 16 if bpp == 4 else 0
        images.append((size, size, colours, 1, bpp, icon_image(size, bpp, seed)))
    return icon_dir_file(1, images)


# (id, language, ((size, bits), ...))
ICONS = [
    (99, "en", ((16, 4), (32, 4), (16, 8), (32, 8))),
    (868, "en", ((16, 4), (32, 4), (16, 8), (32, 8))),
    (2021, "en", ((32, 24),)),
    (2022, "en", ((48, 24),)),
    (16931, "neutral", ((16, 4), (32, 4))),
    (16995, "neutral", ((16, 4), (32, 4))),
]


# ---------------------------------------------------------------------------------------------
# The sound: a short two-tone chime, PCM mono 22,050 Hz 8 bits, 3,419 bytes in all (a 44-byte
# header and 3,375 samples; the data chunk is the last one, so its odd length needs no pad byte).
def make_wave(total=3419, rate=22050):
    samples = total - 44
    data = bytearray()
    for i in range(samples):
        t = i / rate
        env = math.exp(-t * 28.0)
        tone = 880.0 if i < samples // 2 else 1320.0
        data.append(max(0, min(255, int(128 + 100 * env * math.sin(2 * math.pi * tone * t)))))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", samples) + bytes(data)
    wave = b"RIFF" + struct.pack("<I", len(body)) + body
    assert len(wave) == total
    return wave


# ---------------------------------------------------------------------------------------------
# Type 240: dialog initialisation data. Records: control id (16), message (16), length (32), the
# zero-terminated ANSI string; a control id of 0 ends the list.
ADD_STRING = 0x0403
DLGINIT = {
    105: [(1065, "test1")], 138: [(1065, "test1")], 2056: [(1065, "test1")], 2075: [(1065, "test1")],
    16134: [(16625, "None"), (16625, "Unfold"), (16625, "Slide"), (16625, "Fade")],
}


def make_dlginit(records):
    out = b""
    for (control, text) in records:
        data = text.encode("ascii") + b"\0"
        out += struct.pack("<HHI", control, ADD_STRING, len(data)) + data
    return out + struct.pack("<H", 0)


# Type 241: toolbar layouts. version 1, button width, height, item count, command ids (0 = gap).
TOOLBARS = {
    99: (16, 16, [57600, 57601, 32917, 57604, 57605, 57608, 0, 32796, 32772, 32829, 32859, 40006,
                  40009, 0, 32909, 32910, 40018, 40021, 0, 57669, 0, 32868]),
    100: (16, 16, [57607, 57634, 57635, 57643, 57644, 40053, 57609, 57612, 32798, 57665, 57637, 32863,
                   40026, 40027, 40028, 59396, 59393, 32787, 32867, 40072, 32817, 32815, 32814, 40065,
                   32816, 32818, 32821, 32804, 32802, 32801, 32803, 32967, 32809, 32811, 32810, 40052]),
    2039: (16, 16, [40007, 40008, 40011, 40005, 32771, 40081, 40010, 40080, 32912, 57664, 40082, 40022,
                    32864, 40071, 32875, 40024, 32892, 32855, 32854, 32853, 32852, 32911, 32895, 32914,
                    32913, 2050, 32921, 32924, 32937, 57602, 32934, 32939, 32940, 32932, 2065, 32961,
                    32962, 32968, 32969, 32972, 32975, 32985, 32987]),
    16138: (16, 15, [16902, 16901, 16903, 16904, 16905, 16906, 0, 16907, 16908, 16909]),
    16960: (16, 16, [58116, 58114, 58115, 58113, 58117, 58118, 58112, 16959]),
}


def make_toolbar(width, height, items):
    return struct.pack("<HHHH", 1, width, height, len(items)) + struct.pack("<%dH" % len(items), *items)


# ---------------------------------------------------------------------------------------------
# Resource-script fragments.
def rc_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '""').replace("\n", "\\n").replace("\t", "\\t") + '"'


LANGS = {"en": "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US", "neutral": "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL"}
HEADER = "// Made by resources/make_assets.py; edit the script, not this file.\n"


def strings_rc():
    lines = [HEADER, LANGS["en"], "", "STRINGTABLE", "BEGIN"]
    for ident in sorted(STRINGS):
        lines.append("    %d, %s" % (ident, rc_string(STRINGS[ident])))
    lines += ["END", ""]
    return "\n".join(lines)


def dialogs_rc():
    lines = [HEADER]
    lang = None
    for d in sorted(DIALOGS, key=lambda d: (d["lang"], d["id"])):
        if d["lang"] != lang:
            lang = d["lang"]
            lines += [LANGS[lang], ""]
        w, h = d.get("size", (200, 100) if not d["child"] else (220, 120))
        lines.append("%d DIALOGEX 0, 0, %d, %d" % (d["id"], w, h))
        lines.append("STYLE " + d["style"])
        if d["title"] is not None:
            lines.append("CAPTION " + rc_string(d["title"]))
        lines.append('FONT 8, "MS Shell Dlg"')
        lines.append("BEGIN")
        for c in d["controls"]:
            lines.append("    " + c)
        lines += ["END", ""]
    return "\n".join(lines)


def outputs():
    files = {}
    for (ident, lang, w, h, bpp, kind) in BITMAPS:
        files["bitmap_%d.bmp" % ident] = make_bitmap(ident, w, h, bpp, kind)
    for n, (name, lang, sizes) in enumerate(CURSORS):
        files["cursor_%s.cur" % str(name).lower()] = make_cursor(sizes, n % 6)
    for n, (ident, lang, specs) in enumerate(ICONS):
        files["icon_%d.ico" % ident] = make_icon(specs, n)
    files["sound_2003.wav"] = make_wave()
    for ident, records in DLGINIT.items():
        files["dlginit_%d.bin" % ident] = make_dlginit(records)
    for ident, (w, h, items) in TOOLBARS.items():
        files["toolbar_%d.bin" % ident] = make_toolbar(w, h, items)
    files["strings.rc"] = strings_rc().encode("ascii")
    files["dialogs.rc"] = dialogs_rc().encode("ascii")
    files["pictures.rc"] = pictures_rc().encode("ascii")
    return files


def pictures_rc():
    """Bitmaps, cursors, icons, the sound and the two data types, each under its language."""
    lines = [HEADER]
    for lang in ("en", "neutral"):
        lines += [LANGS[lang], ""]
        for (ident, l, *_rest) in BITMAPS:
            if l == lang:
                lines.append('%d BITMAP "assets/bitmap_%d.bmp"' % (ident, ident))
        for (name, l, _sizes) in CURSORS:
            if l == lang:
                lines.append('%s CURSOR "assets/cursor_%s.cur"' % (name, str(name).lower()))
        for (ident, l, _specs) in ICONS:
            if l == lang:
                lines.append('%d ICON "assets/icon_%d.ico"' % (ident, ident))
        for ident in sorted(TOOLBARS):
            if (ident in (16138, 16960)) == (lang == "neutral"):
                lines.append('%d 241 "assets/toolbar_%d.bin"' % (ident, ident))
        if lang == "en":
            lines.append('2003 WAVE "assets/sound_2003.wav"')
            for ident in sorted(DLGINIT):
                lines.append('%d 240 "assets/dlginit_%d.bin"' % (ident, ident))
        lines.append("")
    return "\n".join(lines)


def main():
    check = "--check" in sys.argv[1:]
    os.makedirs(ASSETS, exist_ok=True)
    stale = []
    for name, data in sorted(outputs().items()):
        path = os.path.join(ASSETS, name)
        old = open(path, "rb").read() if os.path.exists(path) else None
        if old != data:
            stale.append(name)
            if not check:
                with open(path, "wb") as f:
                    f.write(data)
    if check:
        for name in stale:
            print("make_assets: %s differs from what the script makes" % name)
        return 1 if stale else 0
    print("make_assets: %d files written" % len(stale))
    return 0


if __name__ == "__main__":
    sys.exit(main())
