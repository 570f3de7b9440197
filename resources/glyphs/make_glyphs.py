#!/usr/bin/env python3
"""Writes the tool-button glyphs as 16-colour bitmaps: black strokes ("#") on
silver (".") background. Run once when a glyph changes; the .bmp files are
committed."""
import os
import struct

GLYPHS = {
    "ArrowLeft": ["....##...", "...###...", "..#######", ".########", "#########",
                  ".########", "..#######", "...###...", "....##..."],
    "ArrowRight": ["...##....", "...###...", "#######..", "########.", "#########",
                   "########.", "#######..", "...###...", "...##...."],
    "Close": ["..........", ".##....##.", "..##..##..", "...####...", "....##....",
              "...####...", "..##..##..", ".##....##.", ".........."],
    "Maximize": ["..........", ".########.", ".#......#.", ".#......#.", ".#......#.",
                 ".#......#.", ".#......#.", ".########.", ".........."],
    "Minimize": ["..........", "..........", "..........", "..........", "..........",
                 "..........", ".########.", ".########.", ".........."],
    "Popup": ["#######", ".#####.", "..###..", "...#..."],
    "Restore": ["..........", ".########.", ".#..#...#.", ".#..#...#.", ".#..#####.",
                ".#......#.", ".#......#.", ".########.", ".........."],
}

# The standard 16-colour palette as (red, green, blue); index 0 black, 7 silver.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def bitmap(rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = b""
    for row in reversed(rows):  # bottom-up
        nibbles = [0 if c == "#" else 7 for c in row]
        if len(nibbles) % 2:
            nibbles.append(0)
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        pixels += data + b"\0" * (stride - len(data))
    palette = b"".join(struct.pack("<BBBB", blue, green, red, 0) for (red, green, blue) in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for name, rows in GLYPHS.items():
        with open(os.path.join(here, name + ".bmp"), "wb") as out:
            out.write(bitmap(rows))
