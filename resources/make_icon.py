#!/usr/bin/env python3
"""Draws vireloc.ico: a 32x32, 32-bit icon with alpha.

A hot-pink rounded square with a white chevron. The pink (255, 0, 170) is chosen because
nothing on Wine's desktop or taskbar has it, so a screenshot can find the tray icon by colour.
Run it again only when the picture changes; the .ico is committed.
"""
import struct
import sys

SIZE = 32
PINK = (255, 0, 170)
WHITE = (255, 255, 255)


def coverage_rounded_square(x, y, radius=7.0, samples=4):
    """Fraction of pixel (x, y) inside the rounded square, by supersampling."""
    inside = 0
    for sy in range(samples):
        for sx in range(samples):
            px = x + (sx + 0.5) / samples
            py = y + (sy + 0.5) / samples
            cx = min(max(px, radius), SIZE - radius)
            cy = min(max(py, radius), SIZE - radius)
            if (px - cx) ** 2 + (py - cy) ** 2 <= radius ** 2:
                inside += 1
    return inside / samples ** 2


def in_chevron(x, y):
    """A 'V' of 4-pixel strokes from the top corners to the bottom middle; whole pixels only,
    so the pink around it stays exactly pink."""
    if not 8 <= y < 25:
        return False
    centre = 15.5
    half = (25 - y) * 0.5 + 1.0
    return abs(abs(x + 0.5 - centre) - half) < 2.0


def pixels():
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            alpha = round(255 * coverage_rounded_square(x, y))
            colour = WHITE if in_chevron(x, y) else PINK
            row.append((*colour, alpha))
        rows.append(row)
    return rows


def ico_bytes(rows):
    xor = bytearray()
    for row in reversed(rows):  # DIBs are stored bottom-up
        for r, g, b, a in row:
            # Premultiplying is not wanted in icons; transparent pixels are zeroed for tidiness.
            xor += bytes((b, g, r, a)) if a else bytes(4)
    mask_stride = ((SIZE + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else 'vireloc.ico'
    with open(out, 'wb') as f:
        f.write(ico_bytes(pixels()))


if __name__ == '__main__':
    main()
