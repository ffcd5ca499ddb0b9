#!/usr/bin/env python3
"""Writes zavrin4.ico from the icon drawn at 16, 32 and 48 pixels (raw RGBA files, as ImageMagick's
`convert x.png RGBA:x.rgba` writes them):

    make-icon.py out.ico 16:icon16.rgba 32:icon32.rgba 48:icon48.rgba

16 and 32 pixels keep their alpha (32-bit entries); 48 pixels, where the file's bytes go, is kept as
256 colours with a transparency mask (an 8-bit entry a fifth the size). Every entry carries the AND
mask, so each size also shows on systems without alpha icons."""
import struct
import sys


def and_mask(alpha, n):
    stride = ((n + 31) // 32) * 4
    rows = []
    for y in range(n - 1, -1, -1):  # bottom-up
        row = bytearray(stride)
        for x in range(n):
            if alpha[y * n + x] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return b"".join(rows)


def entry32(rgba, n):
    alpha = rgba[3::4]
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in range(n - 1, -1, -1):
        for x in range(n):
            r, g, b, a = rgba[4 * (y * n + x):4 * (y * n + x) + 4]
            pixels += bytes((b, g, r, a))
    return header + bytes(pixels) + and_mask(alpha, n), 32, 0


def entry8(rgba, n):
    alpha = rgba[3::4]
    palette, index = [], {}
    indices = bytearray(n * n)
    for i in range(n * n):
        colour = (0, 0, 0) if alpha[i] < 128 else tuple(rgba[4 * i:4 * i + 3])
        if colour not in index:
            if len(palette) == 256:
                sys.exit("make-icon: more than 256 colours at %d pixels; reduce them first" % n)
            index[colour] = len(palette)
            palette.append(colour)
        indices[i] = index[colour]
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 8, 0, 0, 0, 0, len(palette), 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    stride = (n + 3) // 4 * 4
    pixels = b"".join(bytes(indices[y * n:(y + 1) * n]) + bytes(stride - n) for y in range(n - 1, -1, -1))
    return header + table + pixels + and_mask(alpha, n), 8, 0


def main():
    out, sizes = sys.argv[1], sys.argv[2:]
    entries = []
    for arg in sizes:
        n, path = arg.split(":", 1)
        n = int(n)
        rgba = open(path, "rb").read()
        if len(rgba) != 4 * n * n:
            sys.exit("make-icon: %s is not %dx%d RGBA" % (path, n, n))
        entries.append((n,) + (entry8(rgba, n) if n == 48 else entry32(rgba, n)))
    data = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    images = b""
    for n, image, bits, colours in entries:
        data += struct.pack("<BBBBHHII", n % 256, n % 256, colours, 0, 1, bits, len(image), offset + len(images))
        images += image
    open(out, "wb").write(data + images)


main()
