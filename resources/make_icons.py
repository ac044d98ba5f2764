#!/usr/bin/env python3
"""Writes the item's five 16 x 16 icons (32-bit BGRA pixels plus a 1-bit AND mask) into this folder.

    app.ico            103  the messenger: a blue speech bubble with a white dot trio
    prev_arrow.ico     121  orange triangle pointing left
    prev_arrow_lit.ico 122  the same in dark brown (highlighted)
    next_arrow.ico     123  orange triangle pointing right
    next_arrow_lit.ico 125  the same in dark brown (highlighted)
Run it again after changing a picture; the .ico files are committed.
"""
import os
import struct

SIZE = 16
ORANGE = (0xFF, 0x8C, 0x00)
BROWN = (0x5C, 0x33, 0x17)
BLUE = (0x1E, 0x6F, 0xD9)
WHITE = (0xFF, 0xFF, 0xFF)


def write_ico(path, pixels):
    """pixels[y][x] is an (r, g, b) tuple or None for transparent; y = 0 is the top row."""
    xor = bytearray()
    for y in reversed(range(SIZE)):  # DIB rows run bottom-up
        for x in range(SIZE):
            p = pixels[y][x]
            xor += bytes((p[2], p[1], p[0], 0xFF)) if p else bytes(4)
    mask = bytearray()
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            if pixels[y][x] is None:
                bits |= 1 << (15 - x)
        mask += struct.pack(">H", bits) + bytes(2)  # rows padded to 32 bits
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


def triangle(colour, pointing_right):
    # A solid triangle 8 wide and 15 high, centred in the 16 x 16 cell.
    rows = [[None] * SIZE for _ in range(SIZE)]
    for y in range(1, 16):
        half = 7 - abs(y - 8)  # 0 at the tips, 7 in the middle
        for d in range(half + 1):
            x = 4 + d if pointing_right else 11 - d
            rows[y][x] = colour
    return rows


def app_icon():
    rows = [[None] * SIZE for _ in range(SIZE)]
    for y in range(1, 12):
        for x in range(1, 15):
            corner = (y in (1, 11)) and (x in (1, 14))
            if not corner:
                rows[y][x] = BLUE
    for y, xs in ((12, (3, 4, 5)), (13, (3, 4)), (14, (3,))):  # the bubble's tail
        for x in xs:
            rows[y][x] = BLUE
    for x in (4, 5, 7, 8, 10, 11):  # three dots
        for y in (6, 7):
            rows[y][x] = WHITE
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    icons = {
        "app.ico": app_icon(),
        "prev_arrow.ico": triangle(ORANGE, False),
        "prev_arrow_lit.ico": triangle(BROWN, False),
        "next_arrow.ico": triangle(ORANGE, True),
        "next_arrow_lit.ico": triangle(BROWN, True),
    }
    for name, pixels in icons.items():
        write_ico(os.path.join(here, name), pixels)


if __name__ == "__main__":
    main()
