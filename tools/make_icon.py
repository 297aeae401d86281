#!/usr/bin/env python3
"""Draws the program's icon (a ring with a tail on a blue tile, 16x16 and 32x32, 32-bit
colour with alpha) and writes it as a Windows .ico file.

Usage: tools/make_icon.py platform/win32/quorvane.ico
"""
import math
import struct
import sys

TILE = (0x2a, 0x5c, 0xa8)   # blue tile
INK = (0xff, 0xff, 0xff)    # the ring and its tail


def pixel(size, x, y):
    """RGBA of pixel (x, y), y counted from the top, sampled 4x4 for soft edges."""
    covered_tile = covered_ink = 0
    samples = 4
    for sy in range(samples):
        for sx in range(samples):
            u = (x + (sx + 0.5) / samples) / size   # 0..1
            v = (y + (sy + 0.5) / samples) / size
            # Tile: a square with rounded corners.
            cx, cy = min(max(u, 0.18), 0.82), min(max(v, 0.18), 0.82)
            if math.hypot(u - cx, v - cy) <= 0.16:
                covered_tile += 1
            # Ring centred a little above the middle, and a tail to the lower right.
            r = math.hypot(u - 0.47, v - 0.45)
            ring = 0.20 <= r <= 0.31
            t = (u - 0.58) * 0.7071 + (v - 0.58) * 0.7071      # along the tail
            n = abs(-(u - 0.58) * 0.7071 + (v - 0.58) * 0.7071)  # across it
            tail = 0.0 <= t <= 0.26 and n <= 0.055
            if ring or tail:
                covered_ink += 1
    total = samples * samples
    if covered_tile == 0:
        return (0, 0, 0, 0)
    k = covered_ink / max(covered_tile, 1)
    rgb = tuple(round(TILE[i] * (1 - k) + INK[i] * k) for i in range(3))
    return rgb + (round(255 * covered_tile / total),)


def image(size):
    """The DIB of one icon image: header, colour rows bottom-up, AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            rows += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(mask_row)
        for x in range(size):
            if pixel(size, x, y)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(rows) + bytes(mask)


def main():
    sizes = (16, 32)
    images = [image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
