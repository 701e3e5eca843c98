#!/usr/bin/env python3
"""Draws the drag cursor of the mailer lists (an arrow carrying a card) and writes drag.cur.

Run from this folder; the .cur file it writes is committed beside it."""
import struct

# B black, W white, anything else transparent; hot spot at the arrow's tip.
ART = """
B
BB
BWB
BWWB
BWWWB
BWWWWB
BWWWWWB
BWWWWWWB
BWWWWWWWB
BWWWWWWWWB
BWWWWWBBBBB
BWWBWWB
BWB BWWB
BB  BWWB
B    BWWB
     BWWB
      BB
         BBBBBBBBBBB
         BWWWWWWWWWB
         BWBBBBBBBWB
         BWWWWWWWWWB
         BWBBBBBWWWB
         BWWWWWWWWWB
         BBBBBBBBBBB
"""


def main():
    rows = ART.strip("\n").split("\n")
    size = 32
    xor_rows, and_rows = [], []
    for y in range(size):
        line = rows[y] if y < len(rows) else ""
        xor_bits = and_bits = 0
        for x in range(size):
            c = line[x] if x < len(line) else " "
            bit = 1 << (size - 1 - x)
            if c == "W":
                xor_bits |= bit
            elif c != "B":
                and_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # Bitmaps are stored bottom-up.
    image = (struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
             + bytes([0, 0, 0, 0, 255, 255, 255, 0])
             + b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows)))
    header = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", size, size, 2, 0, 0, 0,
                                                        len(image), 22)
    with open("drag.cur", "wb") as f:
        f.write(header + image)


if __name__ == "__main__":
    main()
