#!/usr/bin/env python3
"""Writes the preview's background picture: a GIF87a of 258 x 120 pixels with a 256-colour
global palette, a pale blue vertical gradient that is white in the middle.

Usage: make_bg_gif.py OUTPUT
"""
import struct
import sys

WIDTH, HEIGHT = 258, 120
EDGE = (0xC6, 0xDC, 0xF5)  # the pale blue at the top and bottom rows
WHITE = (0xFF, 0xFF, 0xFF)


def palette():
    """Entry k blends the edge colour (k = 0) into white (k = 255)."""
    entries = bytearray()
    for k in range(256):
        for edge, white in zip(EDGE, WHITE):
            entries.append(round(edge + (white - edge) * k / 255))
    return bytes(entries)


def pixels():
    middle = (HEIGHT - 1) / 2
    rows = bytearray()
    for y in range(HEIGHT):
        closeness = 1 - abs(y - middle) / middle
        rows += bytes([round(255 * closeness)]) * WIDTH
    return bytes(rows)


def lzw(data, min_code_size=8):
    """GIF's variable-width LZW, codes packed least significant bit first."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bits = 0
    nbits = 0
    width = min_code_size + 1

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    def fresh_table():
        return {bytes([i]): i for i in range(clear)}

    table = fresh_table()
    next_code = end + 1
    emit(clear)
    prefix = b""
    for byte in data:
        candidate = prefix + bytes([byte])
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear)
            table = fresh_table()
            next_code = end + 1
            width = min_code_size + 1
        prefix = bytes([byte])
    if prefix:
        emit(table[prefix])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for start in range(0, len(data), 255):
        chunk = data[start:start + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def gif():
    screen = struct.pack("<HHBBB", WIDTH, HEIGHT, 0xF7, 0, 0)  # global table of 256 entries
    image = b"," + struct.pack("<HHHHB", 0, 0, WIDTH, HEIGHT, 0)
    return (b"GIF87a" + screen + palette() + image + bytes([8]) + sub_blocks(lzw(pixels()))
            + b";")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as output:
        output.write(gif())


if __name__ == "__main__":
    main()
