#!/usr/bin/env python3
"""Writes the program's icon MAINICON: one image of 32 x 32 pixels in 256 colours (an 8-bit
palette bitmap with its AND mask), a blue glass cube on a transparent background.

Usage: make_main_icon.py OUTPUT
"""
import struct
import sys

SIZE = 32
SAMPLES = 4  # sub-pixels per pixel along each axis, for smooth edges

# The cube seen from above: the top rhombus and the two side faces share the front edge.
TOP = [(16.0, 2.5), (29.0, 9.0), (16.0, 15.5), (3.0, 9.0)]
LEFT = [(3.0, 9.0), (16.0, 15.5), (16.0, 29.5), (3.0, 23.0)]
RIGHT = [(16.0, 15.5), (29.0, 9.0), (29.0, 23.0), (16.0, 29.5)]
RIM = (200, 232, 255)


def inside(polygon, x, y):
    result = False
    j = len(polygon) - 1
    for i, (xi, yi) in enumerate(polygon):
        xj, yj = polygon[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def distance_to_edges(polygon, x, y):
    best = float("inf")
    for i, (ax, ay) in enumerate(polygon):
        bx, by = polygon[(i + 1) % len(polygon)]
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        best = min(best, ((x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2) ** 0.5)
    return best


def mix(a, b, t):
    return tuple(p + (q - p) * t for p, q in zip(a, b))


def shade(x, y):
    """Colour of the cube at (x, y), or None outside it."""
    if inside(TOP, x, y):
        face, base = TOP, mix((170, 215, 255), (70, 150, 240), (y - 2.5) / 13)
        # A soft reflection across the top face, as on glass.
        if abs((x - 12) + (y - 7) * 1.6) < 2.2:
            base = mix(base, (255, 255, 255), 0.55)
    elif inside(LEFT, x, y):
        face, base = LEFT, mix((60, 130, 235), (20, 70, 180), (y - 9) / 20)
        if abs((x - 7) - (y - 14) * 0.5) < 1.4 and y < 22:
            base = mix(base, (235, 245, 255), 0.5)
    elif inside(RIGHT, x, y):
        face, base = RIGHT, mix((30, 90, 200), (8, 35, 120), (y - 9) / 20)
        # Light passing through the glass brightens the far bottom of the dark face.
        base = mix(base, (90, 170, 250), max(0.0, (y - 20) / 12) * 0.45)
    else:
        return None
    rim = distance_to_edges(face, x, y)
    if rim < 0.7:
        return mix(base, RIM, 0.75)
    return base


def render():
    pixels = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            colours = []
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = shade(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if c is not None:
                        colours.append(c)
            if len(colours) * 2 < SAMPLES * SAMPLES:
                row.append(None)
            else:
                row.append(tuple(round(sum(c[k] for c in colours) / len(colours)) for k in range(3)))
        pixels.append(row)
    return pixels


def quantize(pixels):
    """A palette of at most 255 colours (entry 0 stays black, behind transparent pixels)."""
    step = 1
    while True:
        def snap(c):
            return tuple(min(255, round(v / step) * step) for v in c)

        colours = sorted({snap(c) for row in pixels for c in row if c is not None})
        if len(colours) <= 255:
            break
        step += 1
    palette = [(0, 0, 0)] + colours
    index = {c: i for i, c in enumerate(palette)}
    indices = [[0 if c is None else index[snap(c)] for c in row] for row in pixels]
    return palette + [(0, 0, 0)] * (256 - len(palette)), indices


def icon(pixels):
    palette, indices = quantize(pixels)
    colour_table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    xor = b"".join(bytes(indices[y]) for y in reversed(range(SIZE)))  # rows bottom-up
    mask = bytearray()
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if pixels[y][x] is None else 0)
        mask += struct.pack(">I", bits)  # 32 pixels: one padded row, leftmost pixel first
    image_size = len(xor) + len(mask)
    # The height counts the colour bitmap and the mask together.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, image_size, 0, 0, 256, 0)
    image = header + colour_table + xor + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    with open(sys.argv[1], "wb") as out:
        out.write(icon(render()))


if __name__ == "__main__":
    main()
