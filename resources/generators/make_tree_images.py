#!/usr/bin/env python3
"""Writes the category tree's pictures: one 24-bit bitmap of 32 x 16 pixels holding two 16 x 16
pictures side by side, with magenta (255, 0, 255) as the mask colour. Picture 0 is a white speech
balloon with a blue letter i, picture 1 a white sheet with a blue pen.

Usage: make_tree_images.py OUTPUT
"""
import struct
import sys

COLOURS = {
    ".": (255, 0, 255),  # mask colour: transparent
    "k": (40, 56, 96),  # outline
    "w": (255, 255, 255),
    "g": (200, 208, 224),  # shadow and ruled lines
    "b": (0, 90, 230),  # blue
    "d": (0, 40, 140),  # dark blue: the pen's outline
    "t": (70, 70, 70),  # the pen's nib
}

BALLOON = [
    "................",
    "...kkkkkkkkkk...",
    "..kwwwwwwwwwwk..",
    ".kwwwwwbbwwwwwk.",
    ".kwwwwwbbwwwwgk.",
    ".kwwwwwwwwwwwgk.",
    ".kwwwwbbbwwwwgk.",
    ".kwwwwwbbwwwwgk.",
    ".kwwwwwbbwwwwgk.",
    ".kwwwwwbbwwwwgk.",
    "..kwwwbbbbwwgk..",
    "...kkkwwkkkkk...",
    ".....kwgk.......",
    "....kwgk........",
    "....kkk.........",
    "................",
]

SHEET = [
    "................",
    ".kkkkkkkkk......",
    ".kwwwwwwwkk.....",
    ".kwwwwwwwkwk....",
    ".kwggggwwkkkk...",
    ".kwwwwwwwwwgk...",
    ".kwgggggggwgk...",
    ".kwwwwwwwwwgk...",
    ".kwggggggwwgk...",
    ".kwwwwwwwwwgk...",
    ".kwgggggwwwgk...",
    ".kwwwwwwwwwgk...",
    ".kwwwwwwwwwgk...",
    ".kgggggggggggk..",
    ".kkkkkkkkkkkkk..",
    "................",
]


def add_pen(rows):
    """Lays a pen across the sheet, from its top right to its lower middle."""
    grid = [list(row) for row in rows]
    start, end = (14.5, 1.5), (6.5, 10.5)
    dx, dy = end[0] - start[0], end[1] - start[1]
    length2 = dx * dx + dy * dy
    for y in range(16):
        for x in range(16):
            px, py = x + 0.5, y + 0.5
            t = max(0.0, min(1.0, ((px - start[0]) * dx + (py - start[1]) * dy) / length2))
            distance = ((px - start[0] - t * dx) ** 2 + (py - start[1] - t * dy) ** 2) ** 0.5
            # The pen narrows to its nib over the last part of its length.
            width = 1.3 if t < 0.8 else 1.3 * (1 - t) / 0.2 + 0.3
            if distance < width * 0.6:
                grid[y][x] = "t" if t >= 0.85 else "b"
            elif distance < width + 0.35:
                grid[y][x] = "d"
    return ["".join(row) for row in grid]


def bitmap(pictures):
    width, height = 16 * len(pictures), 16
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in reversed(range(height)):  # rows bottom-up
        row = bytearray()
        for picture in pictures:
            for symbol in picture[y]:
                r, g, b = COLOURS[symbol]
                row += bytes((b, g, r))
        rows += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return file_header + info + bytes(rows)


def main():
    with open(sys.argv[1], "wb") as out:
        out.write(bitmap([BALLOON, add_pen(SHEET)]))


if __name__ == "__main__":
    main()
