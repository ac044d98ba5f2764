#!/usr/bin/env python3
"""The demo page's readability check, measured on its screenshots: each line of text in the colour it was
drawn in against the background behind that line at 4.5:1 at least, and the item's other marks (its arrows,
the frame of a missing portrait and of a lit arrow's hit area) at 3:1 at least against what lies behind them,
by WCAG's relative luminance.

Where a line or a mark lies follows from the screen as the host and the item lay it out (their measures at 96
dpi, grown with the screen): the bar, the bubble while a notification is up, the date line, then the item in
one line or three. Its colours are read from the picture: a line's is the one of its pixels that stands out
most from the background of its row (a glyph's core; its smoothed edges only stand out less), a mark's is the
colour most of its pixels share.
"""
import math
import struct
import zlib
from collections import Counter
from pathlib import Path

TEXT_MINIMUM = 4.5
MARK_MINIMUM = 3.0
# The colours the item chose for a light Today screen: its arrows (orange, and dark brown while lit) and its
# frames (grey). The default theme keeps them as they always were, even where they fall below the rule.
ITEM_OWN_MARK_COLOURS = {0xFF8C00, 0x5C3317, 0x808080}
DEFAULT_THEME = "light"


# --- Pictures ---------------------------------------------------------------------------------------------

class Picture:
    """A PNG's pixels as 0xRRGGBB integers, rows top-down, each read when first asked for: the check looks at the
    upper part of a screen."""

    def __init__(self, width, height, raw, channels):
        self.width, self.height, self._raw, self._channels = width, height, raw, channels
        self._rows, self._row_colours = {}, {}

    def row(self, y):
        if y not in self._rows:
            step, start = self._channels, y * (self.width * self._channels + 1) + 1
            line = self._raw[start:start + self.width * step]
            self._rows[y] = [(r << 16) | (g << 8) | b for r, g, b in zip(line[0::step], line[1::step], line[2::step])]
        return self._rows[y]

    def row_colour(self, y):
        """The colour most of a row's pixels have: what lies behind the few that marks and texts cover."""
        if y not in self._row_colours:
            self._row_colours[y] = Counter(self.row(y)).most_common(1)[0][0]
        return self._row_colours[y]


def read_png(path):
    """The pixels of an 8-bit RGB or RGBA PNG whose rows are stored unfiltered, as the host writes them;
    ValueError for anything else."""
    data = Path(path).read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    position, header, compressed = 8, None, []
    while position + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body[:13])
        elif kind == b"IDAT":
            compressed.append(body)
        elif kind == b"IEND":
            break
    if not header or header[2] != 8 or header[3] not in (2, 6) or header[6] != 0:
        raise ValueError("not an 8-bit RGB or RGBA picture")
    width, height, channels = header[0], header[1], 3 if header[3] == 2 else 4
    raw = zlib.decompress(b"".join(compressed))
    stride = width * channels + 1
    if len(raw) < height * stride or any(raw[y * stride] for y in range(height)):
        raise ValueError("its rows are cut short or stored filtered")
    return Picture(width, height, raw, channels)


# --- Contrast -----------------------------------------------------------------------------------------------

def luminance(colour):
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b)


def contrast(a, b):
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def hex_colour(colour):
    return f"#{colour:06X}"


# --- Where the lines and marks are ---------------------------------------------------------------------------

class Part:
    """A line of text or a mark: its name and the rectangles (left, top, right, bottom) of its pixels. A frame's
    rectangles are its four sides; inside holds the row of pixels just within them."""

    def __init__(self, kind, name, rects, inside=()):
        self.kind, self.name, self.rects, self.inside = kind, name, list(rects), list(inside)


def scaled(pixels_at_96, dpi):
    """A measure given at 96 dpi on a screen of dpi, rounded half up, as the host and the item round it."""
    return (pixels_at_96 * dpi + 48) // 96


def icon_side(dpi):
    """The held icon side (16, 24, 32) nearest to 16 pixels at dpi; on a tie the smaller, as the item asks."""
    wanted = scaled(16, dpi)
    return min((16, 24, 32), key=lambda side: (abs(side - wanted), side))


def ring(left, top, right, bottom, width):
    """The four sides of an outline width pixels thick along the rectangle's inner edges."""
    return [(left, top, right, top + width), (left, bottom - width, right, bottom),
            (left, top + width, left + width, bottom - width), (right - width, top + width, right, bottom - width)]


def screen_parts(width, dpi, item_height, bubble):
    """The lines and marks of one screen: the host's bar, bubble and date line, and the one item below them."""
    def m(pixels):
        return scaled(pixels, dpi)
    bar, header = m(20), m(22)
    parts = [Part("text", "the bar's title and clock", [(m(5), 0, width - m(5), bar)])]
    top = bar
    if bubble:
        box_top, box_bottom = bar + m(3), bar + m(38) - m(3)
        line = (box_bottom - box_top - 2 * m(2)) // 2
        left, right = m(3) + m(5), width - m(3) - m(5)
        parts.append(Part("text", "the bubble's title", [(left, box_top + m(2), right, box_top + m(2) + line)]))
        parts.append(Part("text", "the bubble's text",
                          [(left, box_top + m(2) + line, right, box_top + m(2) + 2 * line)]))
        top += m(38)
    # The date line, right of its calendar leaf and above its separator.
    parts.append(Part("text", "the date line", [(m(26), top, width - m(4), top + header - 1)]))
    return parts + item_parts(width, dpi, top + header, item_height)


def item_parts(width, dpi, top, height):
    def m(pixels):
        return scaled(pixels, dpi)
    line, inset, frame = m(20), m(2), m(1)
    if height <= 0:
        return []  # not shown
    if height < 2 * line:
        return [Part("text", "the item's line", [(m(28), top + inset, width, top + line - inset)])]
    band_top, band_bottom = top + line - m(1), top + 3 * line - m(1)
    side = icon_side(dpi)
    arrow_top = (band_top + band_bottom - 1) // 2 - side // 2
    hit = m(40)
    portrait_left = m(12) + m(2)
    text_left = portrait_left + 2 * line + m(1)
    # The next arrow reaches out of its column over the lines' last pixels; a lit next arrow's frame crosses them.
    text_right = min(width - m(12) - m(2) - inset, width - m(1) - side)
    crossing = width - hit

    def text_line(name, line_top):
        rows = (line_top + inset, line_top + line - inset)
        return Part("text", name, [(text_left + inset, rows[0], crossing, rows[1]),
                                   (crossing + frame, rows[0], text_right, rows[1])])

    def frame_part(name, left, right):
        outline = (left, band_top - frame, right, band_bottom - frame)
        inner = (outline[0] + frame, outline[1] + frame, outline[2] - frame, outline[3] - frame)
        return Part("frame", name, ring(*outline, frame), ring(*inner, 1))

    text_bottom = band_bottom - m(1)
    return [
        Part("text", "the item's first line", [(m(28), top + inset, width, top + line - inset)]),
        text_line("the item's name line", band_top),
        text_line("the item's text line", text_bottom - line),
        Part("arrow", "the previous arrow", [(0, arrow_top, side, arrow_top + side)]),
        Part("arrow", "the next arrow", [(width - m(1) - side, arrow_top, width - m(1), arrow_top + side)]),
        frame_part("the missing portrait's frame", portrait_left, portrait_left + 2 * line),
        frame_part("the previous arrow's frame", 0, hit),
        frame_part("the next arrow's frame", width - hit, width),
    ]


# --- Measuring -----------------------------------------------------------------------------------------------

def pixels_of(picture, rects):
    for left, top, right, bottom in rects:
        for y in range(max(top, 0), min(bottom, picture.height)):
            row = picture.row(y)
            for x in range(max(left, 0), min(right, picture.width)):
                yield x, y, row[x]


def standing_out(picture, part):
    """The part's pixels that differ from their row's own colour, counted by colour, with the rows each is in."""
    counts, rows_of, total = Counter(), {}, 0
    for _, y, colour in pixels_of(picture, part.rects):
        total += 1
        if colour != picture.row_colour(y):
            counts[colour] += 1
            rows_of.setdefault(colour, set()).add(y)
    return counts, rows_of, total


def against_rows(picture, colour, rows):
    """(colour, background, ratio) against the least contrasting of these rows' own colours."""
    background = min({picture.row_colour(y) for y in rows}, key=lambda b: contrast(colour, b))
    return colour, background, contrast(colour, background)


def measure_text(picture, part):
    """(text colour, background, ratio): of the pixels that differ from their row's own colour, the colour that
    stands out most (seen three times at least, so that no stray pixel counts), against the row behind it that
    is closest to it. A line with no such pixels shows no text: its ratio is 1."""
    counts, rows_of, _ = standing_out(picture, part)
    rows = {y for _, top, _, bottom in part.rects for y in range(max(top, 0), min(bottom, picture.height))}
    if not rows:
        return None
    behind = Counter(picture.row_colour(y) for y in rows).most_common(1)[0][0]
    seen = [colour for colour, count in counts.items() if count >= 3]
    if not seen:
        return behind, behind, 1.0
    text = max(seen, key=lambda colour: contrast(colour, behind))
    return against_rows(picture, text, rows_of[text])


def measure_arrow(picture, part):
    """(colour, background, ratio) of an arrow, or None where none is drawn: its colour is the one most of the
    box's pixels share apart from their rows' own, and it covers a tenth of the box at least (the background's
    faint stripes never do)."""
    counts, rows_of, total = standing_out(picture, part)
    if not counts or counts.most_common(1)[0][1] * 10 < total:
        return None
    colour = counts.most_common(1)[0][0]
    return against_rows(picture, colour, rows_of[colour])


def measure_frame(picture, part):
    """(colour, background, ratio) of a frame, or None where none is drawn: drawn, nine in ten of its pixels
    have one colour that the row just inside it does not have."""
    counts = Counter(colour for _, _, colour in pixels_of(picture, part.rects))
    inside = Counter(colour for _, _, colour in pixels_of(picture, part.inside))
    if not counts or not inside:
        return None
    colour, count = counts.most_common(1)[0]
    background = inside.most_common(1)[0][0]
    if count * 10 < sum(counts.values()) * 9 or colour == background:
        return None
    return colour, background, contrast(colour, background)


MEASURES = {"text": (measure_text, TEXT_MINIMUM), "arrow": (measure_arrow, MARK_MINIMUM),
            "frame": (measure_frame, MARK_MINIMUM)}


def check_picture(picture, name, dpi, item_height, bubble, theme):
    """(problems, kept): a message for each line or mark below its minimum, and for each mark in the item's
    own colours that the default theme keeps below it."""
    problems, kept = [], []
    for part in screen_parts(picture.width, dpi, item_height, bubble):
        measure, minimum = MEASURES[part.kind]
        found = measure(picture, part)
        if found is None:
            continue
        colour, background, ratio = found
        if ratio >= minimum:
            continue
        what = "text" if part.kind == "text" else part.kind
        message = (f"{name}: {part.name}: {what} {hex_colour(colour)} on {hex_colour(background)} is "
                   f"{math.floor(ratio * 100) / 100:.2f}:1, below {minimum}:1")
        if part.kind != "text" and theme == DEFAULT_THEME and colour in ITEM_OWN_MARK_COLOURS:
            kept.append(message)
        else:
            problems.append(message)
    return problems, kept
