#!/usr/bin/env python3
"""Draws Kapto's own artwork (icons, cursors, bitmaps) from code, so the pictures are ours
and the build regenerates them byte for byte.

usage: artgen.py OUTDIR
"""
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


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    write_ico(os.path.join(outdir, 'kapto.ico'), viewfinder)


if __name__ == '__main__':
    main()
