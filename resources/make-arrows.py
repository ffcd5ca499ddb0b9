#!/usr/bin/env python3
"""Writes FlatUp.bmp and FlatDown.bmp: 5 x 5, 16 colours, olive ground (the transparent colour) with a
black triangle. Both results are committed, so the build never runs this.
Usage: python3 resources/make-arrows.py   (writes next to this script)"""
import os
import struct

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, OLIVE = 0, 3


def triangle(widths):
    rows = []
    for w in widths:
        start = (5 - w) // 2
        rows.append([BLACK if start <= x < start + w else OLIVE for x in range(5)])
    return rows


def write(path, rows):
    stride = 4  # 5 pixels of 4 bits, padded to a whole 32-bit word
    pixels = b""
    for row in reversed(rows):  # bottom-up
        nibbles = row + [0] * (stride * 2 - len(row))
        pixels += bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, 5, 5, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


here = os.path.dirname(os.path.abspath(__file__))
write(os.path.join(here, "FlatUp.bmp"), triangle([0, 1, 3, 5, 0]))
write(os.path.join(here, "FlatDown.bmp"), triangle([0, 5, 3, 1, 0]))
