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


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    write_ico(os.path.join(outdir, 'kapto.ico'), viewfinder)
    for name, shape in (('ellipse', ellipse_outline), ('roundrect', roundrect_outline),
                        ('polygon', polygon_outline), ('handmade', handmade_outline)):
        write_cur(os.path.join(outdir, name + '.cur'), crosshair_with(shape))


if __name__ == '__main__':
    main()
