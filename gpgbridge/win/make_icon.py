#!/usr/bin/env python3
"""Draws the bridge's icon (a key over a green disc) and writes GpgBridge.ico.

Run from this folder; the .ico file it writes is committed beside it."""
import struct


def key_icon(size):
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size / 32.0

    def disc(cx, cy, r, colour):
        for y in range(size):
            for x in range(size):
                if (x + 0.5 - cx * s) ** 2 + (y + 0.5 - cy * s) ** 2 <= (r * s) ** 2:
                    px[y][x] = colour

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    green, dark, metal = (30, 130, 60, 255), (20, 40, 20, 255), (235, 200, 60, 255)
    disc(16, 16, 15.5, dark)
    disc(16, 16, 14.5, green)
    disc(10, 16, 6, dark)
    disc(10, 16, 5, metal)
    disc(10, 16, 2, green)
    rect(14, 14, 28, 18, metal)
    rect(22, 18, 24, 22, metal)
    rect(26, 18, 28, 23, metal)
    return px


def ico(images):
    header = struct.pack('<HHH', 0, 1, len(images))
    entries, blobs = b'', b''
    offset = 6 + 16 * len(images)
    for px in images:
        size = len(px)
        xor = b''.join(struct.pack('<BBBB', b, g, r, a) for row in reversed(px) for (r, g, b, a) in row)
        mask = b'\0' * (((size + 31) // 32) * 4 * size)
        bmp = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blob = bmp + xor + mask
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return header + entries + blobs


if __name__ == '__main__':
    with open('GpgBridge.ico', 'wb') as f:
        f.write(ico([key_icon(32), key_icon(16)]))
