#!/usr/bin/env python3
"""Draws the setup program's wizard picture and icon (standard library only).

Writes setup/res/wizard.bmp: 120 x 260, 8 bits per pixel, 256-entry palette, uncompressed;
and setup/res/setup.ico: one 32 x 32 icon with 16 colours. Both show a camera aperture.
Run from anywhere; the output is deterministic, so the committed files can be regenerated.
"""
import math
import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUT_DIR = os.path.join(ROOT, "setup", "res")

WIDTH, HEIGHT = 120, 260
BG_LEVELS, ALPHA_LEVELS = 32, 8          # 32 * 8 = 256 palette entries
BG_TOP, BG_BOTTOM = (10, 26, 58), (24, 104, 128)
INK = (236, 246, 255)
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def inside_polygon(px, py, points):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


class Aperture:
    """A ring with six iris blades around a hexagonal opening."""

    def __init__(self, cx, cy, radius, ring, opening, blade_width):
        self.cx, self.cy, self.radius, self.ring = cx, cy, radius, ring
        self.blade_width = blade_width
        self.hexagon = [(cx + opening * math.cos(math.radians(60 * k + 15)),
                         cy + opening * math.sin(math.radians(60 * k + 15))) for k in range(6)]
        self.blades = []
        for k in range(6):
            ax, ay = self.hexagon[k]
            bx, by = self.hexagon[(k + 1) % 6]
            dx, dy = bx - ax, by - ay
            length = math.hypot(dx, dy)
            dx, dy = dx / length, dy / length
            # Extend the hexagon edge until it meets the inner edge of the ring.
            ox, oy = ax - cx, ay - cy
            inner = radius - ring
            b = ox * dx + oy * dy
            t = -b + math.sqrt(b * b - (ox * ox + oy * oy - inner * inner))
            self.blades.append((ax, ay, ax + dx * t, ay + dy * t))

    def shape(self, px, py):
        """'ring', 'blade', 'opening', 'disk' or None for the point."""
        r = math.hypot(px - self.cx, py - self.cy)
        if r > self.radius:
            return None
        if r >= self.radius - self.ring:
            return "ring"
        for blade in self.blades:
            if segment_distance(px, py, *blade) <= self.blade_width / 2:
                return "blade"
        if inside_polygon(px, py, self.hexagon):
            return "opening"
        return "disk"


def wizard_alpha(aperture, flare, px, py):
    part = aperture.shape(px, py)
    alpha = {"ring": 0.95, "blade": 0.85, "opening": 0.30, "disk": 0.08, None: 0.0}[part]
    r = math.hypot(px - flare[0], py - flare[1])
    if flare[2] - 1.5 <= r <= flare[2]:
        alpha = max(alpha, 0.35)
    elif r < flare[2]:
        alpha = max(alpha, 0.06)
    # A thin rule under the motif.
    if 180 <= py < 181.5 and 22 <= px < 98:
        alpha = max(alpha, 0.6)
    return alpha


def make_wizard_bitmap():
    aperture = Aperture(60, 98, 44, 5, 13, 3.2)
    flare = (86, 226, 18)
    palette = []
    for level in range(BG_LEVELS):
        background = lerp(BG_TOP, BG_BOTTOM, level / (BG_LEVELS - 1))
        for a in range(ALPHA_LEVELS):
            palette.append(lerp(background, INK, a / (ALPHA_LEVELS - 1)))
    rows = []
    samples = [(i + 0.5) / 4 for i in range(4)]
    for y in range(HEIGHT):
        row = bytearray()
        for x in range(WIDTH):
            coverage = sum(wizard_alpha(aperture, flare, x + sx, y + sy)
                           for sx in samples for sy in samples) / 16
            t = (y + 0.25 * x) / (HEIGHT - 1 + 0.25 * (WIDTH - 1))
            dither = (BAYER[y % 4][x % 4] + 0.5) / 16
            level = min(BG_LEVELS - 1, int(t * (BG_LEVELS - 1) + dither))
            a = min(ALPHA_LEVELS - 1, int(round(coverage * (ALPHA_LEVELS - 1))))
            row.append(level * ALPHA_LEVELS + a)
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))                # bottom-up, 120 bytes a row (no padding)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + colours + pixels


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
ICON_COLOUR = {"ring": 7, "blade": 15, "opening": 6, "disk": 4}


def make_icon():
    size = 32
    aperture = Aperture(15.5, 15.5, 15.5, 2.5, 4.5, 1.6)
    indices, mask = [], []
    for y in range(size):
        row_indices, row_mask = [], []
        for x in range(size):
            counts = {}
            for sx in (0.25, 0.75):
                for sy in (0.25, 0.75):
                    part = aperture.shape(x + sx, y + sy)
                    counts[part] = counts.get(part, 0) + 1
            part = max(counts, key=lambda p: (counts[p], p is not None))
            row_indices.append(ICON_COLOUR[part] if part else 0)
            row_mask.append(0 if part else 1)
        indices.append(row_indices)
        mask.append(row_mask)
    xor = b"".join(bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
                   for row in reversed(indices))
    and_mask = b""
    for row in reversed(mask):
        bits = 0
        for bit in row:
            bits = (bits << 1) | bit
        and_mask += struct.pack(">I", bits)     # 32 bits a row, already a multiple of 4 bytes
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(and_mask),
                       0, 0, 16, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    image = info + colours + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def write(name, data):
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(data)


def main():
    bitmap = make_wizard_bitmap()
    assert len(bitmap) == 14 + 32264, len(bitmap)
    write("wizard.bmp", bitmap)
    write("setup.ico", make_icon())


if __name__ == "__main__":
    main()
