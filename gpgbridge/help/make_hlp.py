#!/usr/bin/env python3
"""Writes PGPBridge.Hlp, a Windows Help 3.1 file, from help.txt; there is no help compiler here.

Usage: make_hlp.py [FOLDER]   (default: this script's folder)
In help.txt each "# Title" line starts a topic and each following non-empty line is a paragraph.
A topic's context string is its title in lower case with "_" between words ("adding_keys").
"""
import os
import re
import struct
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TITLE = "GnuPG bridge Help"
BLOCK = 4096  # topic block size of an uncompressed 3.1 file (|SYSTEM flags 0)


def internal_file(data):
    # Reserved space counts this 9-byte header, used space does not; 4 is the usual flag.
    return struct.pack("<iiB", len(data) + 9, len(data), 4) + data


def btree(structure, entries, page_size=2048, directory=False):
    """B+ tree of one leaf page; entries are packed and sorted already."""
    body = b"".join(entries)
    free = page_size - 8 - len(body)
    assert free >= 0, "B+ tree needs more than one page"
    head = struct.pack("<HHH16shhhhhhi", 0x293B, 0x0402 if directory else 0x0002, page_size,
                       structure, 0, 0, 0, -1, 1, 1, len(entries))
    leaf = struct.pack("<Hhhh", free, len(entries), -1, -1) + body + bytes(free)
    return internal_file(head + leaf)


def cushort(v):  # compressed: low bit set means the 2-byte form
    return bytes([v * 2]) if v < 0x80 else struct.pack("<H", v * 2 + 1)


def clong(v):  # compressed signed long
    if -0x4000 <= v < 0x4000:
        return struct.pack("<H", (v + 0x4000) * 2)
    return struct.pack("<I", (v + 0x40000000) * 2 + 1)


def paragraph(text, font):
    """TL_DISPLAY data: (LinkData1 without its header, LinkData2, characters shown)."""
    # One NUL-ended text run before each command: font change, paragraph end, end of record.
    data2 = b"\0" + text + b"\0\0"
    chars = len(text) + 1  # the paragraph mark counts; topic offsets advance by this
    # 4 unknown bytes, paragraph bits (0x0004: space below, in half points), commands
    info = bytes(4) + struct.pack("<H", 0x0004) + bytes([(12 + 0x40) * 2])
    commands = b"\x80" + struct.pack("<H", font) + b"\x82\xff"
    return clong(len(data2)) + cushort(chars) + info + commands, data2, chars


def hash_context(name):
    """WinHelp's hash of a context string (letters, digits, "." and "_"), signed 32-bit."""
    h = 0
    for c in name.upper():
        x = ord(c) - 48 if c.isalnum() and c != "0" else {"0": 10, ".": 12, "_": 13}[c]
        h = (h * 43 + x) & 0xFFFFFFFF
    return h - (1 << 32) if h & 0x80000000 else h


def read_topics(path):
    topics = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith("# "):
                topics.append((line[2:].strip(), []))
            elif line:
                topics[-1][1].append(line)
    return topics


def topic_file(topics):
    """|TOPIC in one uncompressed block, and the topic offset of each topic."""
    # Records as (type, LinkData1, LinkData2); the topic header's data is filled in below.
    records, starts, offsets, chars = [], [], [], 0
    for title, paras in topics:
        starts.append(len(records))
        offsets.append(chars)
        records.append([2, None, title.encode("cp1252") + b"\0"])
        for i, text in enumerate([title] + paras):
            data1, data2, n = paragraph(text.encode("cp1252"), 1 if i == 0 else 0)
            records.append([0x20, data1, data2])
            chars += n
    # A topic header's LinkData1 is 28 bytes, so all positions are known before packing.
    size = [21 + (28 if d1 is None else len(d1)) + len(d2) for _, d1, d2 in records]
    pos = [12 + sum(size[:i]) for i in range(len(records))]  # block 0, after its header
    assert pos[-1] + size[-1] <= BLOCK, "help text does not fit into one topic block"
    for n, first in enumerate(starts):
        end = starts[n + 1] if n + 1 < len(starts) else len(records)
        nxt = pos[starts[n + 1]] if n + 1 < len(starts) else -1
        # size of topic, browse back/forward, number, non-scrolling, scrolling, next topic
        records[first][1] = struct.pack("<iiiiiii", sum(size[first:end]), -1, -1, n, -1,
                                        pos[first + 1], nxt)
    block = struct.pack("<iii", -1, 12, -1)  # last link before, first link here, last topic
    for i, (kind, data1, data2) in enumerate(records):
        prev = pos[i - 1] if i else -1
        nxt = pos[i + 1] if i + 1 < len(records) else -1
        block += struct.pack("<iiiiiB", size[i], len(data2), prev, nxt, 21 + len(data1),
                             kind) + data1 + data2
    return internal_file(block.ljust(BLOCK, b"\0")), offsets


def build(topics):
    topic, offsets = topic_file(topics)
    titles = [t.encode("cp1252") for t, _ in topics]
    names = [re.sub(r"[^0-9a-z]+", "_", t.lower()).strip("_") for t, _ in topics]

    def record(kind, data):
        return struct.pack("<HH", kind, len(data)) + data

    date = int(os.environ.get("SOURCE_DATE_EPOCH", time.time()))
    # magic, version 1.21 (3.1), date, flags 0 = no compression; title and contents topic
    system = internal_file(struct.pack("<HHHiH", 0x036C, 21, 1, date, 0)
                           + record(1, TITLE.encode("cp1252") + b"\0")
                           + record(3, struct.pack("<i", offsets[0])))
    # Two fonts (facenames of 20 bytes): Arial 10 pt, Arial 12 pt bold.
    font = struct.pack("<HHHH", 1, 2, 8, 28) + b"Arial".ljust(20, b"\0")
    for bold, half_points in ((0, 20), (1, 24)):
        font += struct.pack("<BBBH3s3s", bold, half_points, 3, 0, bytes(3), b"\xff" * 3)
    context = btree(b"L4", [struct.pack("<ii", h, o) for h, o in
                            sorted((hash_context(n), o) for n, o in zip(names, offsets))])
    ttl = btree(b"Lz", [struct.pack("<i", o) + t + b"\0" for o, t in zip(offsets, titles)])
    # Each title is also a keyword, for the index; |KWDATA holds their topic offsets.
    kws = sorted(zip(titles, offsets), key=lambda k: k[0].lower())
    kwbtree = btree(b"F24", [t + b"\0" + struct.pack("<hi", 1, 4 * i)
                             for i, (t, _) in enumerate(kws)])
    kwdata = internal_file(b"".join(struct.pack("<i", o) for _, o in kws))
    files = {"|CONTEXT": context, "|FONT": internal_file(font), "|KWBTREE": kwbtree,
             "|KWDATA": kwdata, "|SYSTEM": system, "|TOPIC": topic, "|TTLBTREE": ttl}

    # Header, the internal files, then the directory (a B+ tree of name -> file offset).
    out, entries = b"", []
    for name in sorted(files):
        entries.append(name.encode() + b"\0" + struct.pack("<i", 16 + len(out)))
        out += files[name]
    directory = btree(b"z4", entries, page_size=1024, directory=True)
    dir_start = 16 + len(out)
    size = dir_start + len(directory)
    return struct.pack("<Iiii", 0x00035F3F, dir_start, -1, size) + out + directory


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else HERE
    data = build(read_topics(os.path.join(HERE, "help.txt")))
    with open(os.path.join(folder, "PGPBridge.Hlp"), "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
