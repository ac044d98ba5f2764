#!/usr/bin/env python3
"""Writes the item's five icons into this folder, each with a 16 x 16, a 24 x 24 and a 32 x 32 picture.

    app.ico            103  the messenger: a blue speech bubble with a white dot trio
    prev_arrow.ico     121  orange triangle pointing left
    prev_arrow_lit.ico 122  the same in dark brown (highlighted)
    next_arrow.ico     123  orange triangle pointing right
    next_arrow_lit.ico 125  the same in dark brown (highlighted)

The item asks for the size held here nearest to 16 x 16 scaled to the screen (16 up to 122 dpi, 24 from 123
to 170 dpi, 32 above), and the handheld does not stretch icons, so every size is drawn here. Each size is stored
twice: with 32-bit pixels and with 8-bit (the application icon, 256 colours) or 24-bit pixels (the arrows),
every image with its 1-bit AND mask. The 16 x 16 application icon is drawn pixel by pixel; the larger ones
are the same shapes drawn at their size, not enlarged copies.
Run it again after changing a picture; the .ico files are committed.
"""
import os
import struct

ORANGE = (0xFF, 0x8C, 0x00)
BROWN = (0x5C, 0x33, 0x17)
BLUE = (0x1E, 0x6F, 0xD9)
WHITE = (0xFF, 0xFF, 0xFF)


# --- Pictures: rows[y][x] is an (r, g, b) tuple or None for transparent; y = 0 is the top row. ---------------

def blank(size):
    return [[None] * size for _ in range(size)]


def paint(rows, colour, inside, samples=4):
    """Colours every pixel that the shape covers at least half; inside(x, y) tests a point."""
    size = len(rows)
    step = 1.0 / samples
    for y in range(size):
        for x in range(size):
            covered = sum(inside(x + (i + 0.5) * step, y + (j + 0.5) * step)
                          for i in range(samples) for j in range(samples))
            if covered * 2 >= samples * samples:
                rows[y][x] = colour


def in_triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def triangle(colour, pointing_right, size):
    if size in (16, 24):
        # A solid triangle half as wide as the cell and one row less than it high, its point on the middle row:
        # 8 x 15 at 16, 12 x 23 at 24.
        rows = blank(size)
        middle, left = size // 2, size // 4
        for y in range(1, size):
            half = middle - 1 - abs(y - middle)  # 0 at the tips
            for d in range(half + 1):
                x = left + d if pointing_right else size - 1 - left - d
                rows[y][x] = colour
        return rows
    # The same triangle at 32: 15 wide and 30 high, its edges one pixel per row, its point on the middle two.
    rows = blank(32)
    for y in range(2, 32):
        for d in range(min(y - 1, 32 - y)):
            x = 8 + d if pointing_right else 23 - d
            rows[y][x] = colour
    return rows


def app_icon(size):
    rows = blank(size)
    if size == 16:
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

    # The bubble as drawn at 32, scaled to the size: rounded corners, a tail down from its lower left, three
    # round dots (at 24, two pixels square and centred on pixel corners, so that all three come out alike).
    k = size / 32
    dots, dot_row, dot_radius = ((10.0, 16.0, 22.0), 14.0, 2.1) if size == 32 else ((7.0, 12.0, 17.0), 10.0, 1.2)

    def in_bubble(x, y, left=2 * k, top=2 * k, right=30 * k, bottom=24 * k, radius=4.5 * k):
        if not (left <= x <= right and top <= y <= bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2

    paint(rows, BLUE, in_bubble)
    paint(rows, BLUE, in_triangle((6.0 * k, 23.0 * k), (12.5 * k, 23.0 * k), (6.0 * k, 30.5 * k)))
    for centre in dots:
        paint(rows, WHITE, lambda x, y, c=centre: (x - c) ** 2 + (y - dot_row) ** 2 <= dot_radius ** 2, samples=1)
    return rows


# --- The .ico file --------------------------------------------------------------------------------------

def mask_bits(pixels):
    size = len(pixels)
    row_bytes = (size + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(size)):  # DIB rows run bottom-up
        bits = 0
        for x in range(size):
            if pixels[y][x] is None:
                bits |= 1 << (size - 1 - x)
        mask += bits.to_bytes(size // 8, "big") + bytes(row_bytes - size // 8)
    return mask


def header(size, bits, image_bytes, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, image_bytes, 0, 0, colours_used, 0)


def image_32(pixels):
    size = len(pixels)
    xor = bytearray()
    for y in reversed(range(size)):
        for p in pixels[y]:
            xor += bytes((p[2], p[1], p[0], 0xFF)) if p else bytes(4)
    mask = mask_bits(pixels)
    return header(size, 32, len(xor) + len(mask)) + xor + mask


def image_24(pixels):
    size = len(pixels)
    xor = bytearray()
    for y in reversed(range(size)):
        row = bytearray()
        for p in pixels[y]:
            row += bytes((p[2], p[1], p[0])) if p else bytes(3)
        xor += row + bytes(-len(row) % 4)
    mask = mask_bits(pixels)
    return header(size, 24, len(xor) + len(mask)) + xor + mask


def image_8(pixels):
    """256 colours: the picture's own colours after black, which transparent pixels take."""
    size = len(pixels)
    palette = [(0, 0, 0)]
    for row in pixels:
        for p in row:
            if p and p not in palette:
                palette.append(p)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    xor = bytearray()
    for y in reversed(range(size)):
        xor += bytes(palette.index(p) if p else 0 for p in pixels[y])  # 16, 24 and 32 are whole 32-bit rows
    mask = mask_bits(pixels)
    return header(size, 8, len(xor) + len(mask), 256) + table + xor + mask


def write_ico(path, images):
    """images: (size, bits, image bytes) in directory order."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, bits, image in images:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(image), offset)
        offset += len(image)
        data += image
    with open(path, "wb") as f:
        f.write(directory + data)


def icon_images(draw, low_bits):
    # 16 x 16 first: a load that asks for no particular size takes the first picture's.
    low = {8: image_8, 24: image_24}[low_bits]
    images = []
    for size in (16, 24, 32):
        pixels = draw(size)
        images += [(size, 32, image_32(pixels)), (size, low_bits, low(pixels))]
    return images


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    icons = {
        "app.ico": (app_icon, 8),
        "prev_arrow.ico": (lambda size: triangle(ORANGE, False, size), 24),
        "prev_arrow_lit.ico": (lambda size: triangle(BROWN, False, size), 24),
        "next_arrow.ico": (lambda size: triangle(ORANGE, True, size), 24),
        "next_arrow_lit.ico": (lambda size: triangle(BROWN, True, size), 24),
    }
    for name, (draw, low_bits) in icons.items():
        write_ico(os.path.join(here, name), icon_images(draw, low_bits))


if __name__ == "__main__":
    main()
