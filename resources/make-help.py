#!/usr/bin/env python3
"""Draws help.bmp, the picture at the left of every hint: 14 x 15 pixels, 256-colour BMP v3.
A blue disc with a white question mark; the first column is black so that the hint window's
left frame line runs on through the picture. The result is committed; the build never runs this.
Usage: python3 resources/make-help.py   (writes next to this script)"""
import os
import struct

W, H = 14, 15
WHITE, BLACK, DARK, MID, LIGHT, MARK = range(6)
palette = [(255, 255, 255), (0, 0, 0), (16, 54, 128), (38, 98, 196), (120, 170, 235), (255, 255, 255)]

mark = ["..###.",
        ".##.##",
        "....##",
        "...##.",
        "..##..",
        "......",
        "..##.."]

pixels = [[WHITE] * W for _ in range(H)]
cx, cy, radius = 7.5, 7.5, 6.2
for y in range(H):
    pixels[y][0] = BLACK
    for x in range(1, W):
        d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
        if d <= radius - 1.2:
            # lit from the top left
            pixels[y][x] = LIGHT if (x + y) < 9 else MID
        elif d <= radius:
            pixels[y][x] = DARK
for row, line in enumerate(mark):
    for col, ch in enumerate(line):
        if ch == "#":
            pixels[4 + row][5 + col] = MARK

stride = (W + 3) & ~3
image = b"".join(bytes(pixels[y]) + b"\0" * (stride - W) for y in reversed(range(H)))
colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + b"\0" * 4 * (256 - len(palette))
offset = 14 + 40 + len(colours)
header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 8, 0, len(image), 2835, 2835, 256, 0)
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "help.bmp"), "wb") as f:
    f.write(header + info + colours + image)
