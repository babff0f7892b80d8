#!/usr/bin/env python3
"""Draws Kapto's own artwork (icons, cursors, bitmaps) from code, so the pictures are ours
and the build regenerates them byte for byte.

usage: artgen.py OUTDIR
"""
import math
import os
import struct
import sys


def viewfinder(size):
    """A capture viewfinder: four corner brackets round a red dot, on a blue disc."""
    px = {}
    c = (size - 1) / 2.0
    for y in range(size):
        for x in range(size):
            dx, dy = x - c, y - c
            d2 = dx * dx + dy * dy
            if d2 <= (size * 0.47) ** 2:
                px[(x, y)] = (40, 90, 170, 255)
            if d2 <= (size * 0.14) ** 2:
                px[(x, y)] = (220, 30, 30, 255)
    arm = max(3, size // 4)
    lo, hi = size // 8, size - 1 - size // 8
    t = max(1, size // 16)
    for i in range(arm):
        for k in range(t):
            for (x, y) in ((lo + i, lo + k), (lo + k, lo + i), (hi - i, lo + k), (hi - k, lo + i),
                           (lo + i, hi - k), (lo + k, hi - i), (hi - i, hi - k), (hi - k, hi - i)):
                px[(x, y)] = (255, 255, 255, 255)
    return px


def dib_32(size, px):
    """BITMAPINFOHEADER + 32-bit BGRA rows (bottom-up) + 1-bit AND mask, as icons store it."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = px.get((x, y), (0, 0, 0, 0))
            rows += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(size):
            if px.get((x, y), (0, 0, 0, 0))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(rows) + bytes(mask)


def write_ico(path, painter, sizes=(16, 32)):
    images = [dib_32(s, painter(s)) for s in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    with open(path, 'wb') as f:
        f.write(out)


def crosshair_with(shape):
    """A black crosshair with its hot spot at (15, 15), white-edged so it shows on dark
    screens too, and a small picture of the shape at the lower right."""
    def paint():
        px = {}
        for i in range(3, 28):
            if abs(i - 15) > 2:
                for (x, y) in ((i, 15), (15, i)):
                    px[(x, y)] = 'b'
                    for (ex, ey) in ((x, y - 1), (x, y + 1), (x - 1, y), (x + 1, y)):
                        px.setdefault((ex, ey), 'w')
        for (x, y) in shape():
            px[(x, y)] = 'b'
        return px
    return paint


def ellipse_outline():
    pts = set()
    for a in range(360):
        t = math.radians(a)
        pts.add((int(round(25 + 5 * math.cos(t))), int(round(25 + 4 * math.sin(t)))))
    return pts


def roundrect_outline():
    pts = set()
    for x in range(21, 31):
        pts.update({(x, 20), (x, 30)})
    for y in range(21, 30):
        pts.update({(19, y), (31, y)})
    return pts - {(21, 20), (30, 20), (21, 30), (30, 30)} | {(20, 21), (30, 21), (20, 29), (30, 29)}


def polygon_outline():
    pts = set()
    corners = [(20, 30), (25, 19), (31, 27)]
    for i in range(3):
        (x0, y0), (x1, y1) = corners[i], corners[(i + 1) % 3]
        n = max(abs(x1 - x0), abs(y1 - y0))
        for k in range(n + 1):
            pts.add((x0 + (x1 - x0) * k // n, y0 + (y1 - y0) * k // n))
    return pts


def handmade_outline():
    return {(19 + k // 2, int(round(25 + 4 * math.sin(k / 3.0)))) for k in range(26)}


def write_cur(path, paint, hotspot=(15, 15), size=32):
    """A monochrome cursor: XOR picture (0 black, 1 white) over an AND mask."""
    px = paint()
    stride = ((size + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in range(size - 1, -1, -1):
        xrow, mrow = bytearray(stride), bytearray(stride)
        for x in range(size):
            c = px.get((x, y))
            if c is None:
                mrow[x // 8] |= 0x80 >> (x % 8)
            elif c == 'w':
                xrow[x // 8] |= 0x80 >> (x % 8)
        xor += xrow
        mask += mrow
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 2)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + bytes(xor) + bytes(mask)
    out = struct.pack('<HHH', 0, 2, 1)
    out += struct.pack('<BBBBHHII', size, size, 2, 0, hotspot[0], hotspot[1], len(image), 22)
    with open(path, 'wb') as f:
        f.write(out + image)


STANDARD16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
              (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
              (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest16(rgb):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(rgb, STANDARD16[i])))


def write_ico16(path, painter, size=16):
    """One 16-colour image on the standard palette, as the tray wants it."""
    px = painter(size)
    stride = ((size * 4 + 31) // 32) * 4
    rows = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            c = px.get((x, y))
            i = nearest16(c[:3]) if c else 0
            row[x // 2] |= i << (0 if x & 1 else 4)
        rows += row
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(size):
            if px.get((x, y)) is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(bytes((b, g, r, 0)) for (r, g, b) in STANDARD16)
    image = header + palette + bytes(rows) + bytes(mask)
    out = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4,
                                                     len(image), 22)
    with open(path, 'wb') as f:
        f.write(out + image)


def shape_icon(outline):
    """A 32 by 32 icon: the shape's outline, scaled to fill it, in dark blue."""
    def paint(size):
        pts = outline()
        x0, x1 = min(x for x, _ in pts), max(x for x, _ in pts)
        y0, y1 = min(y for _, y in pts), max(y for _, y in pts)
        span = max(x1 - x0, y1 - y0, 1)
        scale = (size - 9) / span
        px = {}
        for (x, y) in pts:
            X, Y = 4 + int((x - x0) * scale), 4 + int((y - y0) * scale)
            for dx in range(2):
                for dy in range(2):
                    px[(X + dx, Y + dy)] = (0, 0, 128, 255)
        # Join neighbouring outline points so the scaled shape has no gaps.
        ordered = sorted(pts)
        for (ax, ay) in ordered:
            for (bx, by) in ordered:
                if abs(ax - bx) <= 1 and abs(ay - by) <= 1:
                    for t in range(5):
                        X = 4 + int((ax + (bx - ax) * t / 4.0 - x0) * scale)
                        Y = 4 + int((ay + (by - ay) * t / 4.0 - y0) * scale)
                        px[(X, Y)] = px[(X + 1, Y)] = (0, 0, 128, 255)
        return px
    return paint


def magnifier_icon(size):
    px = {}
    c = size * 0.4
    for y in range(size):
        for x in range(size):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if size * 0.22 <= d <= size * 0.3:
                px[(x, y)] = (0, 0, 128, 255)
            elif d < size * 0.22:
                px[(x, y)] = (200, 230, 255, 255)
    for k in range(int(size * 0.35)):
        for t in range(3):
            x, y = int(size * 0.6) + k, int(size * 0.6) + k + t - 1
            if x < size and y < size:
                px[(x, y)] = (120, 60, 0, 255)
    return px


def write_bmp8(path, width, height, pixels):
    """An 8-bit BMP; pixels maps (x, y) to a palette index, the palette is the standard 16
    colours, then magenta at 16, the rest black."""
    palette = list(STANDARD16) + [(255, 0, 255)] + [(0, 0, 0)] * (256 - 17)
    stride = (width + 3) & ~3
    rows = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            row[x] = pixels.get((x, y), 16)
        rows += row
    offset = 14 + 40 + 256 * 4
    header = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    pal = b''.join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    with open(path, 'wb') as f:
        f.write(header + info + pal + bytes(rows))


def menu_strip():
    """19 pictures of 16 by 16 in a strip 308 wide, magenta where transparent. Picture 0 an
    arrow into an open door, 3 a camera, 6 a star burst with a tool, 2 empty."""
    px = {}
    def put(pic, x, y, colour):
        if 0 <= x < 16 and 0 <= y < 16:
            px[(pic * 16 + x, y)] = colour
    # 0: door frame (dark grey), open door (olive), arrow (red) going in.
    for y in range(1, 15):
        put(0, 9, y, 8)
        put(0, 15, y, 8)
    for x in range(9, 16):
        put(0, x, 1, 8)
    for y in range(2, 15):
        for x in range(10, 13):
            put(0, x, y, 3)
    for x in range(1, 9):
        put(0, x, 8, 9)
        put(0, x, 7, 9)
    for k in range(3):
        put(0, 8 - k, 8 - k - 1, 9)
        put(0, 8 - k, 8 + k, 9)
    # 3: camera body (black), lens (blue), flash (yellow).
    for y in range(5, 14):
        for x in range(1, 15):
            put(3, x, y, 0)
    for y in range(3, 5):
        for x in range(5, 10):
            put(3, x, y, 0)
    for y in range(7, 12):
        for x in range(6, 11):
            put(3, x, y, 12 if (x - 8) ** 2 + (y - 9) ** 2 <= 4 else 0)
    put(3, 12, 6, 11)
    put(3, 13, 6, 11)
    # 6: star burst (yellow, red rim) with a spanner (grey).
    for y in range(16):
        for x in range(16):
            d = abs(x - 6) + abs(y - 6)
            if d <= 5 or (x == 6 and y <= 12) or (y == 6 and x <= 12):
                put(6, x, y, 11 if d <= 3 else 9)
    for k in range(8):
        put(6, 8 + k // 1, 8 + k, 8)
        put(6, 9 + k // 1, 8 + k, 8)
    # The pictures the menus do not use: small coloured tiles, so the strip is whole.
    for pic in (1, 4, 5) + tuple(range(7, 19)):
        for y in range(4, 12):
            for x in range(4, 12):
                put(pic, x, y, 1 + pic % 14)
    return px


def folder_button(size=16):
    """Bitmap 2: an open folder for the folder-browser button."""
    px = {}
    for y in range(4, 14):
        for x in range(1, 15):
            px[(x, y)] = 11 if y > 5 else 3
    for x in range(1, 7):
        px[(x, 3)] = 3
    for x in range(1, 15):
        px[(x, 13)] = 0
    return px


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    write_ico(os.path.join(outdir, 'kapto.ico'), viewfinder)
    for name, shape in (('ellipse', ellipse_outline), ('roundrect', roundrect_outline),
                        ('polygon', polygon_outline), ('handmade', handmade_outline)):
        write_cur(os.path.join(outdir, name + '.cur'), crosshair_with(shape))
        write_ico(os.path.join(outdir, name + '.ico'), shape_icon(shape), sizes=(32,))
    write_ico(os.path.join(outdir, 'rectangle.ico'),
              shape_icon(lambda: {(x, y) for x in range(19, 32) for y in (20, 30)} |
                         {(x, y) for y in range(20, 31) for x in (19, 31)}), sizes=(32,))
    write_ico(os.path.join(outdir, 'zoom.ico'), magnifier_icon, sizes=(16, 32))
    write_ico16(os.path.join(outdir, 'tray.ico'), viewfinder)
    write_bmp8(os.path.join(outdir, 'menu_strip.bmp'), 308, 16, menu_strip())
    write_bmp8(os.path.join(outdir, 'folder.bmp'), 16, 16, folder_button())


if __name__ == '__main__':
    main()
