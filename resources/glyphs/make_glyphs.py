#!/usr/bin/env python3
"""Writes the tool-button glyphs as 16-colour bitmaps: black strokes ("#") on
silver (".") background, at 100 % (NAME.bmp) and drawn again from the same
grid for 125, 150, 175 and 200 % (NAME125.bmp ...), each cell filling the
pixels between its scaled edges, so every scale is sharp. Run once when a
glyph changes; the .bmp files are committed, and glyphs.rc lists them."""
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


SCALES = (100, 125, 150, 175, 200)


def edge(index, percent):
    """A cell edge at a scale, rounded to the nearest pixel (halves up)."""
    return (index * percent + 50) // 100


def triangle(percent):
    """The popup arrow: a row one pixel high per scaled row of the grid, each
    two pixels narrower than the one above, down to a single point."""
    height = edge(4, percent)
    width = 2 * height - 1
    return ["." * y + "#" * (width - 2 * y) + "." * y for y in range(height)]


def scaled(rows, percent):
    """The grid drawn at `percent`: each pixel takes the cell its centre lies in."""
    if rows is GLYPHS["Popup"]:
        return triangle(percent)
    width, height = edge(len(rows[0]), percent), edge(len(rows), percent)
    def cell(pixel, cells):
        return next(i for i in range(cells) if edge(i + 1, percent) > pixel)
    return ["".join(rows[cell(y, len(rows))][cell(x, len(rows[0]))] for x in range(width))
            for y in range(height)]


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for name, rows in GLYPHS.items():
        for percent in SCALES:
            suffix = "" if percent == 100 else str(percent)
            with open(os.path.join(here, name + suffix + ".bmp"), "wb") as out:
                out.write(bitmap(scaled(rows, percent)))
