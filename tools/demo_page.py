#!/usr/bin/env python3
"""The demo's page: one section per state, with the screenshot of every run side by side, the caption the
host script gives it, the item's reported height, and the stand-in's transcript lines of that step.

usage: demo_page.py build OUTDIR SCRIPT RUN...   writes OUTDIR/index.html
       demo_page.py check INDEX.html             exits 1 naming each problem

A RUN is a folder name LANGUAGE-<WIDTH>x<HEIGHT>-<DPI>dpi, its screen: its PNGs are in OUTDIR/RUN/, the host's
step log and the stand-in's transcript in OUTDIR/work/RUN/steps.jsonl and peer-transcript.jsonl. The page shows
every screenshot at its size in device-independent pixels (a 192-dpi one at half its pixels), so that the
screens of all runs compare as a person holds them; a click opens it whole. It refers to the PNGs by relative
paths and fetches nothing else, so it opens from the file system.
"""
import html
import json
import re
import struct
import sys
import zlib
from html.parser import HTMLParser
from pathlib import Path, PureWindowsPath

ITEM = "Ardeno"
RUN_NAME = re.compile(r"^([a-z]+)-(\d+)x(\d+)-(\d+)dpi$")
REFERENCE_DPI = 96


# --- Reading what the runs left -------------------------------------------------------------------------

def screenshot_captions(script_text):
    """Maps the line number of each screenshot step to its caption: the comment lines since the previous
    screenshot. Comments above the first step describe the whole script and belong to no state."""
    captions, comments, seen_step = {}, [], False
    for number, line in enumerate(script_text.splitlines(), start=1):
        text = line.strip()
        if not text:
            continue
        if text.startswith("#"):
            if seen_step:
                comments.append(text.lstrip("#").strip())
            continue
        seen_step = True
        if text.split()[0] == "screenshot":
            captions[number] = " ".join(comments)
            comments = []
    return captions


def read_json_lines(path):
    if not path.exists():
        return []
    return [json.loads(line) for line in path.read_text(encoding="utf-8").splitlines() if line.strip()]


def transcript_lines_between(transcript, start, end):
    """The transcript's lines that lie in bytes [start, end): those written during one stretch of steps."""
    chunk = transcript[start:end].decode("utf-8", errors="replace")
    return [json.loads(line) for line in chunk.splitlines() if line.strip()]


def read_run(out, name):
    """One run's states in order: [{"state", "line", "image", "pixels", "height", "notifications", "transcript"}].
    "pixels" is the screen's size when the shot was taken, as the host logged it (the screen may have turned)."""
    work = out / "work" / name
    steps = read_json_lines(work / "steps.jsonl")
    transcript_path = work / "peer-transcript.jsonl"
    transcript = transcript_path.read_bytes() if transcript_path.exists() else b""
    states, start = [], 0
    for step in steps:
        if step["step"] != "screenshot":
            continue
        end = step.get("watched", start)
        png = PureWindowsPath(step["args"][0]).name
        heights = [item["height"] for item in step.get("items", []) if item.get("name") == ITEM]
        states.append({
            "state": png[:-len(".png")] if png.endswith(".png") else png,
            "line": step["line"],
            "image": f"{name}/{png}",
            "pixels": tuple(step.get("screen") or run_label(name)[1]),
            "height": heights[0] if heights else None,
            "notifications": step.get("notifications", []),
            "transcript": transcript_lines_between(transcript, start, end),
        })
        start = end
    return states


def run_label(name):
    """(language, (width, height), dpi) of a run, from its name."""
    match = RUN_NAME.match(name)
    if not match:
        raise ValueError(f"run '{name}' is not named LANGUAGE-<WIDTH>x<HEIGHT>-<DPI>dpi")
    return match.group(1).capitalize(), (int(match.group(2)), int(match.group(3))), int(match.group(4))


def run_title(name):
    language, (width, height), dpi = run_label(name)
    return f"{language}, {width} x {height} at {dpi} dpi"


def shown_size(pixels, dpi):
    """A screenshot's size in device-independent pixels: as large as the screen would look at 96 dpi."""
    return tuple((side * REFERENCE_DPI + dpi // 2) // dpi for side in pixels)


# --- Writing the page -----------------------------------------------------------------------------------

def notice_fields(text):
    fields = text.split("\0")
    return fields + [""] * (5 - len(fields)) if len(fields) <= 5 else fields


def describe(line):
    """(direction, message, what it carried) of one transcript line, for a person."""
    direction, name = line.get("dir", ""), line.get("name", "")
    if direction == "self" and name == "Restart":
        return "own step", name, (f"window gone without a goodbye; a new one {line.get('awayMs', 0)} ms later, "
                                  "which pushes the pending notices")
    if direction == "self":
        key = line.get("key", "")
        if line.get("found"):
            return "own step", name, f"opened {key!r}, marked read; {line.get('pending')} pending"
        return "own step", name, f"{key!r} is not pending: nothing opened"
    if direction == "called":
        body = re.sub(r"<[^>]*>", " ", line.get("html", "")).strip()
        return "shell", name, body
    if "control" in line:
        # Written when answered, which is once its work (the lines above it) was done.
        return "control command", line["control"], "answered once done"
    where = "to the item" if direction == "sent" else "from the item" if direction == "received" else direction
    if name == "WM_COPYDATA" and line.get("dwData") == 0:
        if direction == "received":
            return where, name, f"key handed back: {line.get('text', '')!r}"
        key, _, sender, text, _ = notice_fields(line.get("text", ""))[:5]
        return where, name, f"notice {key!r}: {sender}: {text}"
    if name in ("LINKM_MAIN_ATTACH", "LINKM_ACTIVATE", "LINKM_ITEM_ATTACH", "LINKM_ITEM_DETACH"):
        return where, name, f"window 0x{line.get('wParam', 0):08X}"
    return where, name or str(line.get("msg", "")), ""


def transcript_table(lines):
    if not lines:
        return '<p class="quiet">The stand-in wrote nothing in this step.</p>'
    rows = []
    for line in lines:
        direction, message, detail = describe(line)
        result = line.get("result", "")
        rows.append("<tr>" + "".join(f"<td>{html.escape(str(cell))}</td>" for cell in
                                     (line.get("t", ""), direction, message, detail, result)) + "</tr>")
    return ('<table class="transcript"><thead><tr><th>t (ms)</th><th>who</th><th>message</th><th>what</th>'
            '<th>answer</th></tr></thead><tbody>' + "".join(rows) + "</tbody></table>")


def figure(name, state):
    _, screen, dpi = run_label(name)
    pixels = state["pixels"]
    width, height = shown_size(pixels, dpi)
    title = run_title(name) + (" (turned)" if pixels != screen else "")
    notes = [f"item {state['height']} px high" if state["height"] is not None else "item not shown"]
    notes += [f"notification: {text}" for text in state["notifications"]]
    src = html.escape(state["image"])
    return (f'<figure><a href="{src}"><img src="{src}" width="{width}" height="{height}" data-dpi="{dpi}" '
            f'data-pixels="{pixels[0]}x{pixels[1]}" data-screen="{screen[0]}x{screen[1]}" '
            f'alt="{html.escape(title)}: {html.escape(state["state"])}"></a>'
            f'<figcaption><b>{html.escape(title)}</b><br>'
            + "<br>".join(html.escape(note) for note in notes) + "</figcaption></figure>")


STYLE = """
body { font: 15px/1.45 system-ui, sans-serif; margin: 0; padding: 1em 1.5em; color: #1d2430;
       background: #f6f7f9; }
header p { max-width: 60em; }
h1 { margin-bottom: 0.2em; }
section.state { background: #fff; border: 1px solid #d8dce3; border-radius: 8px; margin: 1.5em 0;
                padding: 0.5em 1.5em 1em; }
section.state h2 { font-size: 1.15em; margin: 0.6em 0 0.3em; }
p.caption { margin: 0 0 0.8em; max-width: 60em; }
/* The runs stand side by side at their sizes in device-independent pixels, wrapping where the window ends. */
.runs { display: flex; flex-wrap: wrap; gap: 16px; align-items: flex-start; padding-bottom: 4px;
        margin-bottom: 12px; }
figure { flex: none; margin: 0; max-width: 400px; }
figure img { display: block; border: 1px solid #aab; }
figcaption { font-size: 0.85em; color: #445; margin-top: 0.3em; }
table.transcript { border-collapse: collapse; font-size: 0.85em; margin-top: 0.8em; }
table.transcript th, table.transcript td { border: 1px solid #d8dce3; padding: 2px 8px; text-align: left;
                                           vertical-align: top; }
table.transcript th { background: #eef0f4; }
details { margin-top: 0.5em; }
summary { cursor: pointer; font-size: 0.9em; color: #335; }
.quiet { color: #667; font-size: 0.9em; }
pre { background: #fff; border: 1px solid #d8dce3; padding: 1em; overflow-x: auto; font-size: 0.85em; }
nav a { margin-right: 0.8em; }
"""


def build_page(out, script_path, run_names):
    script_text = Path(script_path).read_text(encoding="utf-8")
    captions = screenshot_captions(script_text)
    runs = {name: read_run(out, name) for name in run_names}
    for name in run_names:
        run_label(name)
        if not runs[name]:
            raise ValueError(f"run '{name}' took no screenshots (no {out / 'work' / name / 'steps.jsonl'}?)")
    order = [state["state"] for state in runs[run_names[0]]]
    languages = list(dict.fromkeys(run_label(name)[0] for name in run_names))
    sections, links = [], []
    for index, state_name in enumerate(order, start=1):
        per_run = {name: next((s for s in runs[name] if s["state"] == state_name), None) for name in run_names}
        first = per_run[run_names[0]]
        caption = captions.get(first["line"], "")
        anchor = f"state-{index:02d}"
        links.append(f'<a href="#{anchor}">{index}</a>')
        # One row a language, its screens side by side.
        figures = "".join(
            '<div class="runs">' + "".join(figure(name, state) for name, state in per_run.items()
                                           if state and run_label(name)[0] == language) + "</div>"
            for language in languages)
        tables = transcript_table(first["transcript"])
        others = "".join(
            f"<details><summary>The stand-in's lines in the {html.escape(run_title(name))} run"
            f"</summary>{transcript_table(state['transcript'])}</details>"
            for name, state in per_run.items() if state and name != run_names[0])
        title = re.sub(r"^\d+-", "", state_name).replace("-", " ")
        sections.append(
            f'<section class="state" id="{anchor}"><h2>{index}. {html.escape(title)}</h2>'
            f'<p class="caption">{html.escape(caption)}</p>{figures}'
            f'<p class="quiet">What the stand-in wrote in its transcript during this step ({html.escape(run_title(run_names[0]))} '
            f'run):</p>{tables}{others}</section>')
    screens = list(dict.fromkeys(run_label(name)[1:] for name in run_names))
    labels = (" and ".join(languages) + " on " +
              ", ".join(f"{width} x {height} at {dpi} dpi" for (width, height), dpi in screens))
    page = (
        '<!DOCTYPE html><html lang="en"><head><meta charset="utf-8">'
        f"<title>Ardeno Today item: the demo</title><style>{STYLE}</style></head><body>"
        "<header><h1>Ardeno Today item: the demo</h1>"
        "<p>The Today host simulator runs the item and the messenger's stand-in through the host script below, "
        f"once per run ({html.escape(labels)}). Each section is one state: the host's screen in every run, the "
        "script's own words for what happened, the height the item reported to the host, and the messages the "
        "stand-in exchanged with the item meanwhile. Each screenshot is shown as large as its screen would look at "
        "96 dpi (one of 192 dpi at half its pixels), so that all screens compare side by side; a click opens it "
        "whole.</p>"
        f"<nav>States: {''.join(links)}</nav></header><main data-runs=\"{len(run_names)}\">{''.join(sections)}</main>"
        f"<h2>The host script</h2><pre>{html.escape(script_text)}</pre></body></html>\n")
    index_path = out / "index.html"
    index_path.write_text(page, encoding="utf-8")
    return index_path


# --- Checking the page ----------------------------------------------------------------------------------

class PageReader(HTMLParser):
    """The states of a page: for each, its caption text and its images (their attributes)."""

    def __init__(self):
        super().__init__()
        self.states, self.runs, self.images_outside = [], None, []
        self._in_caption = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "main":
            self.runs = int(attrs.get("data-runs", "0"))
        elif tag == "section" and "state" in attrs.get("class", "").split():
            self.states.append({"id": attrs.get("id", "?"), "caption": "", "images": []})
        elif tag == "p" and "caption" in attrs.get("class", "").split() and self.states:
            self._in_caption = True
        elif tag == "img":
            image = attrs
            (self.states[-1]["images"] if self.states else self.images_outside).append(image)

    def handle_endtag(self, tag):
        if tag == "p":
            self._in_caption = False

    def handle_data(self, data):
        if self._in_caption:
            self.states[-1]["caption"] += data


def png_size(path):
    """(width, height) of a PNG file, or None unless the file is a whole one: the signature, then chunks whose
    checksums hold from IHDR to IEND (a file cut short by a failed write is no picture)."""
    data = Path(path).read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    position, kinds, size = 8, [], None
    while position + 12 <= len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        stored = data[position + 8 + length:position + 12 + length]
        if len(body) != length or len(stored) != 4 or zlib.crc32(kind + body) != struct.unpack(">I", stored)[0]:
            return None
        if kind == b"IHDR" and length >= 8:
            size = struct.unpack(">II", body[:8])
        kinds.append(kind)
        position += 12 + length
        if kind == b"IEND":
            break
    if not kinds or kinds[0] != b"IHDR" or kinds[-1] != b"IEND" or size is None:
        return None
    return size


def number_pair(text):
    match = re.match(r"^(\d+)x(\d+)$", text or "")
    return (int(match.group(1)), int(match.group(2))) if match else None


def check_image(folder, image):
    """What is wrong with one image of the page: the file, its size in pixels, its size as shown."""
    src, dpi = image.get("src", ""), image.get("data-dpi") or ""
    if not src or re.match(r"^[a-z][a-z0-9+.-]*:", src, re.I) or src.startswith("/"):
        return f"image '{src}' is not a path relative to the page"
    path = folder / src
    if not path.is_file():
        return f"image '{src}' does not exist"
    size = png_size(path)
    if size is None:
        return f"image '{src}' is not a whole PNG"
    pixels, screen = number_pair(image.get("data-pixels")), number_pair(image.get("data-screen"))
    if not dpi.isdigit() or int(dpi) == 0 or pixels is None or screen is None:
        return f"image '{src}' does not say its screen and resolution"
    if pixels not in (screen, screen[::-1]):
        return f"image '{src}' claims {pixels[0]} x {pixels[1]}, neither its run's {screen[0]} x {screen[1]} nor turned"
    if size != pixels:
        return f"image '{src}' is {size[0]} x {size[1]}, not {pixels[0]} x {pixels[1]} as its screen"
    shown = tuple(int(side) if (side or "").isdigit() else None for side in (image.get("width"), image.get("height")))
    expected = shown_size(pixels, int(dpi))
    if shown != expected:
        return (f"image '{src}' is shown {shown[0]} x {shown[1]}, not {expected[0]} x {expected[1]} "
                f"device-independent pixels at {dpi} dpi")
    return None


def check_page(index_path):
    """Every problem of the page, as a list of messages (empty when it is sound)."""
    index_path = Path(index_path)
    if not index_path.is_file():
        return [f"{index_path} does not exist"]
    reader = PageReader()
    reader.feed(index_path.read_text(encoding="utf-8"))
    problems = []
    if not reader.states:
        problems.append("the page has no states")
    for state in reader.states:
        if not state["caption"].strip():
            problems.append(f"state {state['id']} has no caption")
        if reader.runs and len(state["images"]) != reader.runs:
            problems.append(f"state {state['id']} shows {len(state['images'])} screenshots, not {reader.runs}")
        for image in state["images"]:
            problem = check_image(index_path.parent, image)
            if problem:
                problems.append(f"state {state['id']}: {problem}")
    for image in reader.images_outside:
        problem = check_image(index_path.parent, image)
        if problem:
            problems.append(problem)
    return problems


def main(argv):
    if len(argv) >= 5 and argv[1] == "build":
        out = Path(argv[2])
        try:
            index_path = build_page(out, argv[3], argv[4:])
        except (OSError, ValueError, KeyError, json.JSONDecodeError) as error:
            print(f"demo_page.py: cannot make the page: {error}", file=sys.stderr)
            return 1
        print(f"demo_page.py: wrote {index_path}")
        return 0
    if len(argv) == 3 and argv[1] == "check":
        problems = check_page(argv[2])
        for problem in problems:
            print(f"demo_page.py: {argv[2]}: {problem}", file=sys.stderr)
        return 1 if problems else 0
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
