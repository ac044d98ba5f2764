#!/usr/bin/env python3
"""The benchmark table: figures (JSON lines from the bench programs) plus the DLL size beside its floor,
printed and written to results.md and results.json."""
import argparse
import datetime
import json
import os
import platform


def section_sizes(path):
    """File bytes of each section of a PE file."""
    with open(path, "rb") as f:
        data = f.read()
    pe = int.from_bytes(data[0x3C:0x40], "little")
    count = int.from_bytes(data[pe + 6:pe + 8], "little")
    table = pe + 24 + int.from_bytes(data[pe + 20:pe + 22], "little")
    sizes = {}
    for i in range(count):
        entry = data[table + 40 * i:table + 40 * (i + 1)]
        sizes[entry[:8].rstrip(b"\0").decode("ascii", "replace")] = int.from_bytes(entry[16:20], "little")
    return sizes


def size_figure(dll, floor):
    item, base = os.path.getsize(dll), os.path.getsize(floor)
    resources = section_sizes(dll).get(".rsrc", 0)
    above = (item - resources - base) / 1024
    return {
        "name": "item DLL, stripped",
        "value": item / 1024, "unit": "KiB",
        "floorName": "an empty DLL linking the same static runtime (bench/RuntimeFloor.dll)",
        "floor": base / 1024, "ratio": item / base, "above": above,
        "goal": "own code <= 64 KiB above the floor", "met": above <= 64,
        "note": "the item's own code and data: %.1f KiB above the floor; its resources (the five icons, the options "
                "dialog) %.1f KiB besides" % (above, resources / 1024),
    }


def number(value):
    return "%.3g" % value if abs(value) < 100 else "{:,.0f}".format(value)


def unit(text):
    return "µs" if text == "us" else text


def comparison(figure):
    if "above" in figure:
        return "+%.1f KiB" % figure["above"]
    return "%.2fx" % figure["ratio"]


def verdict(figure):
    return "shown" if figure["met"] is None else ("met" if figure["met"] else "NOT met")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--figures", required=True)
    parser.add_argument("--dll", required=True)
    parser.add_argument("--floor-dll", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    with open(args.figures, encoding="utf-8") as lines:
        figures = [json.loads(line) for line in lines if line.strip().startswith("{")]
    figures.append(size_figure(args.dll, args.floor_dll))
    load = os.getloadavg()[0] if hasattr(os, "getloadavg") else None
    when = datetime.datetime.now().strftime("%Y-%m-%d %H:%M")
    machine = "%s, %d cores, load average %.2f" % (platform.node(), os.cpu_count() or 0, load or 0)

    rows = [(f["name"], "%s %s" % (number(f["value"]), unit(f["unit"])), "%s %s" % (number(f["floor"]), unit(f["unit"])),
             comparison(f), f["goal"], verdict(f)) for f in figures]
    head = ("Figure", "Item", "Floor", "Ratio", "Goal", "")
    md = ["# Benchmark results", "",
          "Measured %s on %s, under Wine. Every figure stands beside its floor, measured by the same program in "
          "the same run; the ratio is what the goal speaks of. Produced by `./run bench`." % (when, machine), "",
          "| " + " | ".join(head) + " |", "|" + "---|" * len(head)]
    md += ["| " + " | ".join(row) + " |" for row in rows]
    md += ["", "Floors and notes:", ""]
    md += ["%d. %s: floor is %s. %s" % (i + 1, f["name"], f["floorName"], f["note"]) for i, f in enumerate(figures)]
    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "results.md"), "w", encoding="utf-8") as out:
        out.write("\n".join(md) + "\n")
    with open(os.path.join(args.out, "results.json"), "w", encoding="utf-8") as out:
        json.dump({"measured": when, "machine": machine, "figures": figures}, out, indent=2, ensure_ascii=False)
        out.write("\n")

    widths = [max(len(str(r[i])) for r in rows + [head]) for i in range(len(head))]
    widths[0] = min(widths[0], 60)
    print("\n" + "  ".join(h.ljust(w) for h, w in zip(head, widths)))
    for row in rows:
        print("  ".join(str(c)[:w].ljust(w) for c, w in zip(row, widths)))
    print("\nNotes and floors: %s; figures: %s" % (os.path.join(args.out, "results.md"),
                                                   os.path.join(args.out, "results.json")))


if __name__ == "__main__":
    main()
