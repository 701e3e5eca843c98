#!/usr/bin/env python3
"""Draws the icons of Wextor 5 (an envelope with a padlock) and of the GnuPG bridge (a key over a
green disc) and writes them as .ico files into their resource folders.

Run from anywhere; the .ico files it writes are committed."""
import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))


class Canvas:
    """A square of RGBA pixels drawn on a 32-unit grid, whatever its size."""

    def __init__(self, size):
        self.size = size
        self.s = size / 32.0
        self.px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, colour):
        s = self.s
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                if 0 <= x < self.size and 0 <= y < self.size:
                    self.px[y][x] = colour

    def disc(self, cx, cy, r, colour):
        s = self.s
        for y in range(self.size):
            for x in range(self.size):
                if (x + 0.5 - cx * s) ** 2 + (y + 0.5 - cy * s) ** 2 <= (r * s) ** 2:
                    self.px[y][x] = colour


def envelope_with_lock(size):
    c = Canvas(size)
    s, px = c.s, c.px
    paper, edge, lock, shackle = (250, 246, 230, 255), (90, 70, 40, 255), (200, 150, 20, 255), (110, 110, 120, 255)
    c.rect(2, 7, 30, 25, edge)
    c.rect(3, 8, 29, 24, paper)
    for i in range(int(13 * s)):  # the flap
        for d in (0, 1):
            x, y = int(3 * s) + i + d, int(8 * s) + int(i * 0.8)
            if y < size and x < size:
                px[y][x] = edge
                px[y][size - 1 - x] = edge
    c.rect(17, 13, 31, 31, (60, 40, 0, 255))
    c.rect(18, 14, 30, 30, lock)
    c.rect(20, 6, 22, 14, shackle)
    c.rect(26, 6, 28, 14, shackle)
    c.rect(20, 6, 28, 8, shackle)
    c.rect(23, 19, 25, 25, (60, 40, 0, 255))
    return px


def key_icon(size):
    c = Canvas(size)
    green, dark, metal = (30, 130, 60, 255), (20, 40, 20, 255), (235, 200, 60, 255)
    c.disc(16, 16, 15.5, dark)
    c.disc(16, 16, 14.5, green)
    c.disc(10, 16, 6, dark)
    c.disc(10, 16, 5, metal)
    c.disc(10, 16, 2, green)
    c.rect(14, 14, 28, 18, metal)
    c.rect(22, 18, 24, 22, metal)
    c.rect(26, 18, 28, 23, metal)
    return c.px


def ico(images):
    """32-bit images with alpha, each with its (empty) AND mask, in one .ico file."""
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


ICONS = {
    'src/res/Wextor5.ico': [envelope_with_lock(32), envelope_with_lock(16)],
    'src/res/running.ico': [envelope_with_lock(16)],
    'gpgbridge/win/GpgBridge.ico': [key_icon(32), key_icon(16)],
}

if __name__ == '__main__':
    for name, images in ICONS.items():
        with open(os.path.join(ROOT, name), 'wb') as f:
            f.write(ico(images))
