#!/usr/bin/env python3
"""Draws the package's palette glyphs and writes them as Windows bitmap files
into resources/bitmaps/: 24 x 24, 8 bits per pixel with a full 256-entry colour
table for the components, 24 bits per pixel for the logo. The resource compiler
drops the 14-byte file header, so each resource is the bare device-independent
bitmap: 1,640 bytes (8-bit) and 1,768 bytes (24-bit)."""
import os
import struct

W = H = 24
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'resources', 'bitmaps')

# A fixed 256-colour table: the 16 classic colours, a 6x6x6 colour cube, then greys.
CLASSIC = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
PALETTE = list(CLASSIC)
for r in range(6):
    for g in range(6):
        for b in range(6):
            PALETTE.append((r * 51, g * 51, b * 51))
while len(PALETTE) < 256:
    v = (len(PALETTE) - 232) * 10 + 8
    PALETTE.append((v, v, v))
PALETTE = PALETTE[:256]

BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)
BACK = SILVER  # the transparent colour: the host takes the bottom-left pixel


class Glyph:
    def __init__(self):
        self.px = [[BACK] * W for _ in range(H)]

    def set(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=None):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)
        if fill is not None:
            for y in range(y0 + 1, y1):
                for x in range(x0 + 1, x1):
                    self.set(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.set(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def ellipse(self, cx, cy, rx, ry, c, fill=None):
        for y in range(H):
            for x in range(W):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if fill is not None and d < 0.8:
                    self.set(x, y, fill)
                if 0.8 <= d <= 1.25:
                    self.set(x, y, c)

    def text(self, x, y, rows, c):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == '#':
                    self.set(x + dx, y + dy, c)


def cylinder(g, x0, y0, x1, y1, body, edge):
    cx, rx = (x0 + x1) / 2, (x1 - x0) / 2
    for y in range(y0 + 2, y1 - 1):
        for x in range(x0, x1 + 1):
            g.set(x, y, body)
        g.set(x0, y, edge)
        g.set(x1, y, edge)
    g.ellipse(cx, y1 - 2, rx, 2, edge, body)
    g.ellipse(cx, y0 + 2, rx, 2, edge, AQUA)


def grid(g, x0, y0, x1, y1):
    g.rect(x0, y0, x1, y1, NAVY, WHITE)
    for x in range(x0, x1 + 1):
        g.set(x, y0 + 1, BLUE)
        g.set(x, y0 + 2, BLUE)
    for y in range(y0 + 5, y1, 3):
        g.line(x0, y, x1, y, GREY)
    for x in range(x0 + 5, x1, 5):
        g.line(x, y0 + 3, x, y1, GREY)


def small_db(g):
    cylinder(g, 1, 13, 9, 22, TEAL, NAVY)


Q = [".###.", "#...#", "#...#", "#.#.#", "#..##", ".####"]
M = ["#...#", "##.##", "#.#.#", "#...#", "#...#", "#...#"]


def draw(name):
    g = Glyph()
    if name == 'TQUELMDATABASE':
        cylinder(g, 4, 2, 19, 21, TEAL, NAVY)
        g.line(5, 9, 18, 9, NAVY)
        g.line(5, 14, 18, 14, NAVY)
    elif name == 'TQUELMTABLE':
        grid(g, 2, 3, 21, 20)
    elif name == 'TQUELMQUERY':
        grid(g, 2, 2, 17, 15)
        g.ellipse(16, 16, 4, 4, BLACK, AQUA)
        g.line(19, 19, 22, 22, MAROON)
        g.line(20, 19, 22, 21, MAROON)
    elif name == 'TQUELMSTOREDPROC':
        small_db(g)
        g.ellipse(15, 8, 6, 6, OLIVE, YELLOW)
        g.ellipse(15, 8, 2, 2, OLIVE, SILVER)
        for dx, dy in ((0, -7), (0, 7), (-7, 0), (7, 0)):
            g.rect(15 + dx - 1, 8 + dy - 1, 15 + dx + 1, 8 + dy + 1, OLIVE, YELLOW)
    elif name == 'TQUELMDIRECTQUERY':
        small_db(g)
        g.line(19, 1, 12, 11, RED)
        g.line(12, 11, 17, 11, RED)
        g.line(17, 11, 10, 22, RED)
        g.line(20, 1, 13, 11, MAROON)
    elif name == 'TQUELMUPDATESQL':
        grid(g, 2, 2, 15, 15)
        g.line(8, 21, 21, 8, OLIVE)
        g.line(9, 21, 22, 8, YELLOW)
        g.line(9, 22, 22, 9, OLIVE)
        g.set(8, 22, BLACK)
    elif name == 'TQUELMMACROQUERY':
        grid(g, 2, 2, 15, 15)
        g.rect(11, 11, 22, 22, PURPLE, WHITE)
        g.text(14, 14, M, PURPLE)
    elif name == 'TBDE2QUELMDORVIK':
        cylinder(g, 1, 2, 9, 12, OLIVE, MAROON)
        cylinder(g, 14, 11, 22, 21, TEAL, NAVY)
        g.line(5, 15, 10, 20, GREEN)
        g.line(10, 20, 10, 16, GREEN)
        g.line(10, 20, 6, 20, GREEN)
    elif name == 'TQUELMBATCHEXECUTE':
        for i, y in enumerate((3, 8, 13, 18)):
            g.rect(3, y, 17, y + 3, NAVY, WHITE if i % 2 else AQUA)
        g.line(20, 4, 20, 20, GREEN)
        g.line(17, 17, 20, 20, GREEN)
        g.line(22, 18, 20, 20, GREEN)
    elif name == 'TQUELMMONITOR':
        g.rect(2, 3, 21, 17, BLACK, NAVY)
        g.line(4, 13, 8, 8, LIME)
        g.line(8, 8, 12, 12, LIME)
        g.line(12, 12, 18, 5, LIME)
        g.rect(9, 18, 14, 20, GREY, GREY)
        g.line(6, 21, 17, 21, BLACK)
    elif name == 'TQUELMDUMP':
        cylinder(g, 2, 1, 14, 13, TEAL, NAVY)
        g.rect(10, 14, 21, 22, NAVY, WHITE)
        g.line(16, 9, 16, 20, RED)
        g.line(13, 17, 16, 20, RED)
        g.line(19, 17, 16, 20, RED)
    elif name == 'TQUELMTOOLS':
        small_db(g)
        g.line(10, 20, 19, 7, GREY)
        g.line(11, 20, 20, 7, BLACK)
        g.ellipse(19, 5, 3, 3, BLACK, SILVER)
        g.rect(18, 2, 20, 4, SILVER, SILVER)
    elif name == 'TQUELMDBINFO':
        cylinder(g, 2, 3, 13, 20, TEAL, NAVY)
        g.ellipse(17, 12, 5, 5, NAVY, BLUE)
        g.line(17, 11, 17, 15, WHITE)
        g.set(17, 9, WHITE)
    return g


def bitmap_file(pixels_bytes, bits, palette_bytes):
    header = struct.pack('<IiiHHIIiiII', 40, W, H, 1, bits, 0, len(pixels_bytes), 2835, 2835,
                         256 if bits == 8 else 0, 0)
    dib = header + palette_bytes + pixels_bytes
    file_header = struct.pack('<2sIHHI', b'BM', 14 + len(dib), 0, 0, 14 + len(header) + len(palette_bytes))
    return file_header + dib


def write8(name, g):
    rows = b''.join(bytes(g.px[H - 1 - y]) for y in range(H))  # bottom-up, 24 bytes a row
    palette = b''.join(bytes((b, gr, r, 0)) for (r, gr, b) in PALETTE)
    data = bitmap_file(rows, 8, palette)
    assert len(data) == 14 + 1640
    with open(os.path.join(OUT, name + '.bmp'), 'wb') as f:
        f.write(data)


def write_logo():
    rows = b''
    for y in range(H - 1, -1, -1):
        for x in range(W):
            # A blue-to-teal disc with a white "Q" ring.
            dx, dy = x - 11.5, y - 11.5
            d = (dx * dx + dy * dy) ** 0.5
            if d < 11:
                r, g, b = 0, min(255, int(60 + 8 * y)), max(0, int(200 - 4 * y))
                if 5 <= d <= 7.5 or (x >= 14 and y >= 14 and abs((x - 14) - (y - 14)) <= 1):
                    r, g, b = 255, 255, 255
            else:
                r, g, b = 192, 192, 192
            rows += bytes((b, g, r))
    data = bitmap_file(rows, 24, b'')
    assert len(data) == 14 + 1768
    with open(os.path.join(OUT, 'LOGO.bmp'), 'wb') as f:
        f.write(data)


NAMES = ['TQUELMDATABASE', 'TQUELMTABLE', 'TQUELMQUERY', 'TQUELMSTOREDPROC', 'TQUELMDIRECTQUERY',
         'TQUELMUPDATESQL', 'TQUELMMACROQUERY', 'TBDE2QUELMDORVIK', 'TQUELMBATCHEXECUTE', 'TQUELMMONITOR',
         'TQUELMDUMP', 'TQUELMTOOLS', 'TQUELMDBINFO']

if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    for n in NAMES:
        write8(n, draw(n))
    write_logo()
