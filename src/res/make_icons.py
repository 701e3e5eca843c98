#!/usr/bin/env python3
"""Draws the program's icons (an envelope with a padlock) and writes them as .ico files.

Run from this folder; the .ico files it writes are committed beside it."""
import struct


def envelope_with_lock(size):
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size / 32.0

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    paper, edge, lock, shackle = (250, 246, 230, 255), (90, 70, 40, 255), (200, 150, 20, 255), (110, 110, 120, 255)
    rect(2, 7, 30, 25, edge)
    rect(3, 8, 29, 24, paper)
    for i in range(int(13 * s)):  # the flap
        for d in (0, 1):
            x, y = int(3 * s) + i + d, int(8 * s) + int(i * 0.8)
            if y < size and x < size:
                px[y][x] = edge
                px[y][size - 1 - x] = edge
    rect(17, 13, 31, 31, (60, 40, 0, 255))
    rect(18, 14, 30, 30, lock)
    rect(20, 6, 22, 14, shackle)
    rect(26, 6, 28, 14, shackle)
    rect(20, 6, 28, 8, shackle)
    rect(23, 19, 25, 25, (60, 40, 0, 255))
    return px


def ico(images):
    header = struct.pack('<HHH', 0, 1, len(images))
    entries, blobs = b'', b''
    offset = 6 + 16 * len(images)
    for px in images:
        size = len(px)
        xor = b''.join(struct.pack('<BBBB', b, g, r, a) for row in reversed(px) for (r, g, b, a) in row)
        mask_row = ((size + 31) // 32) * 4
        mask = b'\0' * (mask_row * size)
        bmp = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blob = bmp + xor + mask
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return header + entries + blobs


if __name__ == '__main__':
    with open('Wextor5.ico', 'wb') as f:
        f.write(ico([envelope_with_lock(32), envelope_with_lock(16)]))
    with open('running.ico', 'wb') as f:
        f.write(ico([envelope_with_lock(16)]))
