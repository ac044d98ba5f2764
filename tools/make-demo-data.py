#!/usr/bin/env python3
"""Writes the demo's notices files and portrait bitmaps.

usage: make-demo-data.py OUTDIR PORTRAIT_DIR_AS_WINDOWS_PATH latin|chinese
Creates OUTDIR/notices-first.json (three notices), OUTDIR/notices-more.json (two more) and OUTDIR/*.bmp.
The notices name their portraits by the Windows path given, since the item loads them inside Wine.
"""
import json
import struct
import sys
from pathlib import Path

SIZE = 36  # fits the portrait cell (two lines high) at 96 and at 192 dpi

PEOPLE = {
    "li": {"background": (92, 142, 210), "figure": (236, 242, 250)},
    "mara": {"background": (214, 120, 92), "figure": (252, 238, 226)},
    "ana": {"background": (96, 170, 120), "figure": (232, 248, 236)},
}

NOTICES = {
    "latin": {
        "first": [
            ("k1", "li", "Li Wei", "Are we still on for lunch today?", "2025-12-07 09:05"),
            ("k2", "mara", "Mara Quinn", "Sent you the slides & the notes for Monday", "2025-12-07 09:30"),
            ("k3", None, "Tom", "Call me when you land, the meeting moved to Thursday afternoon", "2025-12-07 08:12"),
        ],
        "more": [
            ("k4", "ana", "Ana", "Running ten minutes late", "2025-12-07 09:38"),
            ("k5", "li", "Li Wei", "Found a table by the window", "2025-12-07 09:40"),
        ],
    },
    "chinese": {
        "first": [
            ("k1", "li", "李伟", "今天中午还一起吃饭吗？", "2025-12-07 09:05"),
            ("k2", "mara", "王芳", "幻灯片和笔记已经发给你了", "2025-12-07 09:30"),
            ("k3", None, "张强", "落地后给我打电话，会议改到周四下午了", "2025-12-07 08:12"),
        ],
        "more": [
            ("k4", "ana", "陈静", "我晚到十分钟", "2025-12-07 09:38"),
            ("k5", "li", "李伟", "找到靠窗的位子了", "2025-12-07 09:40"),
        ],
    },
}


def portrait_pixels(background, figure):
    """A head-and-shoulders silhouette on a coloured square with a darker border; rows top-down."""
    border = tuple(c * 3 // 4 for c in background)
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            colour = background
            head = (x - 17.5) ** 2 + (y - 13.0) ** 2 <= 7.0 ** 2
            shoulders = ((x - 17.5) / 13.0) ** 2 + ((y - 35.0) / 12.0) ** 2 <= 1.0
            if head or shoulders:
                colour = figure
            if x in (0, SIZE - 1) or y in (0, SIZE - 1):
                colour = border
            row.append(colour)
        rows.append(row)
    return rows


def write_bmp(path, rows):
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # a BMP stores its bottom row first
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    path.write_bytes(header + info + bytes(pixels))


def main():
    if len(sys.argv) != 4 or sys.argv[3] not in NOTICES:
        sys.exit(__doc__)
    out, portrait_dir, language = Path(sys.argv[1]), sys.argv[2].rstrip("\\"), sys.argv[3]
    out.mkdir(parents=True, exist_ok=True)
    for name, colours in PEOPLE.items():
        write_bmp(out / f"{name}.bmp", portrait_pixels(colours["background"], colours["figure"]))
    for part, notices in NOTICES[language].items():
        entries = []
        for key, portrait, sender, text, time in notices:
            entry = {"key": key, "sender": sender, "text": text, "time": time}
            if portrait:
                entry["portrait"] = f"{portrait_dir}\\{portrait}.bmp"
            entries.append(entry)
        (out / f"notices-{part}.json").write_text(json.dumps({"notices": entries}, ensure_ascii=False, indent=1),
                                                  encoding="utf-8")


if __name__ == "__main__":
    main()
