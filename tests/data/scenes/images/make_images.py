#!/usr/bin/env python3
"""Writes the tiny test images of the scene-document tests (run once; the files are committed)."""
import struct
import zlib


def png(path, width, height, rows):
    """rows: list of rows, each a list of (r, g, b, a)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


def tga(path, width, height, rows):
    """Uncompressed 32-bit true-colour, stored bottom row first (the format's default origin)."""
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, 32, 8)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    with open(path, "wb") as f:
        f.write(header + pixels)


png("tiny.png", 2, 2, [[(255, 0, 0, 255), (0, 255, 0, 255)],
                       [(0, 0, 255, 255), (255, 255, 255, 128)]])
tga("tiny.tga", 3, 1, [[(10, 20, 30, 255), (40, 50, 60, 255), (70, 80, 90, 0)]])
with open("corrupt.png", "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + b"this is not image data" * 3)
