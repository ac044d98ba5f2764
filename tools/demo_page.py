#!/usr/bin/env python3
"""The demo's pages. index.html tells the story on the default screen (portrait 240 x 320 at 96 dpi, the light
theme): one row per state with the Latin and the Chinese screenshot side by side, the caption the host script
gives it, the height the item reported and what the messenger's stand-in and the item said to each other. The
same story on every other screen and in every other theme has a page of its own, and two pages compare: one
state across every screen (screens.html) and across every theme (themes.html). Every page names every other
in its header, so each is one click away; they refer to the PNGs by relative paths and fetch nothing else.

usage: demo_page.py build OUTDIR SCRIPT RUN...   writes OUTDIR/index.html and the pages it names
       demo_page.py check INDEX.html             exits 1 naming each problem of every page

A RUN is a folder name LANGUAGE-<WIDTH>x<HEIGHT>-<DPI>dpi, with -THEME after it for a theme other than the
light one: its PNGs are in OUTDIR/RUN/, the host's step log and the stand-in's transcript in
OUTDIR/work/RUN/steps.jsonl and peer-transcript.jsonl. Every screenshot is shown at its size in
device-independent pixels (a 192-dpi one at half its pixels), so that screens compare as a person holds them;
a click opens it whole.

The check: every page the index names exists; every state has its caption; every image exists and is a PNG of
its screen's size, shown at that size in device-independent pixels; and on every image the texts and the
item's marks read (demo_readability.py).
"""
import html
import json
import re
import struct
import sys
import zlib
from collections import Counter
from html.parser import HTMLParser
from pathlib import Path, PureWindowsPath

import demo_readability

ITEM = "Ardeno"
RUN_NAME = re.compile(r"^([a-z]+)-(\d+)x(\d+)-(\d+)dpi(?:-([a-z]+))?$")
REFERENCE_DPI = 96
DEFAULT_SCREEN = ((240, 320), 96)
THEMES = {"light": "light", "dark": "dark", "contrast": "high contrast"}  # in the order the pages list them


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
        raise ValueError(f"run '{name}' is not named LANGUAGE-<WIDTH>x<HEIGHT>-<DPI>dpi[-THEME]")
    return match.group(1).capitalize(), (int(match.group(2)), int(match.group(3))), int(match.group(4))


def run_theme(name):
    theme = RUN_NAME.match(name).group(5) or "light"
    if theme not in THEMES:
        raise ValueError(f"run '{name}' names the theme '{theme}', not one of {', '.join(THEMES)}")
    return theme


def screen_title(screen, dpi):
    return f"{screen[0]} x {screen[1]} at {dpi} dpi"


def run_title(name):
    language, screen, dpi = run_label(name)
    theme = run_theme(name)
    return f"{language}, {screen_title(screen, dpi)}" + ("" if theme == "light" else f", {THEMES[theme]} theme")


def shown_size(pixels, dpi):
    """A screenshot's size in device-independent pixels: as large as the screen would look at 96 dpi."""
    return tuple((side * REFERENCE_DPI + dpi // 2) // dpi for side in pixels)


# --- Writing the pages ----------------------------------------------------------------------------------

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
    return ('<div class="exchange"><table class="transcript"><thead><tr><th>t (ms)</th><th>who</th><th>message</th>'
            '<th>what</th><th>answer</th></tr></thead><tbody>' + "".join(rows) + "</tbody></table></div>")


def figure(name, state, title=None):
    """One screenshot at its size in device-independent pixels, with what the check needs to measure it."""
    _, screen, dpi = run_label(name)
    pixels = state["pixels"]
    width, height = shown_size(pixels, dpi)
    title = (title or run_title(name)) + (" (turned)" if pixels != screen else "")
    notes = [f"item {state['height']} px high" if state["height"] is not None else "item not shown"]
    notes += [f"notification: {text}" for text in state["notifications"]]
    src = html.escape(state["image"])
    return (f'<figure><a href="{src}"><img src="{src}" width="{width}" height="{height}" data-dpi="{dpi}" '
            f'data-pixels="{pixels[0]}x{pixels[1]}" data-screen="{screen[0]}x{screen[1]}" '
            f'data-theme="{run_theme(name)}" data-item="{state["height"] or 0}" '
            f'data-notifications="{len(state["notifications"])}" '
            f'alt="{html.escape(title)}: {html.escape(state["state"])}"></a>'
            f'<figcaption><b>{html.escape(title)}</b><br>'
            + "<br>".join(html.escape(note) for note in notes) + "</figcaption></figure>")


STYLE = """
body { font: 15px/1.45 system-ui, sans-serif; margin: 0; padding: 0.6em 1.2em 2em; color: #1d2430;
       background: #f6f7f9; }
h1 { font-size: 1.45em; margin: 0 0 0.15em; }
header p { margin: 0 0 0.4em; max-width: 62em; }
nav.pages { font-size: 0.9em; line-height: 1.9; }
nav.pages b { font-weight: 600; color: #445; margin-right: 0.3em; }
nav.pages a { margin-right: 0.7em; white-space: nowrap; }
nav.pages a[aria-current] { font-weight: 700; color: #1d2430; text-decoration: none; }
nav.states { font-size: 0.9em; margin-top: 0.2em; }
nav.states a { margin-right: 0.6em; }
section.state { background: #fff; border: 1px solid #d8dce3; border-radius: 8px; margin: 0.8em 0;
                padding: 0.6em 1em 0.8em; }
section.state h2 { font-size: 1.1em; margin: 0 0 0.3em; }
p.caption { margin: 0 0 0.5em; max-width: 60em; }
/* The story: the pictures beside the words where the window is wide enough, above them where it is not. */
section.story { display: flex; flex-wrap: wrap; gap: 12px 20px; align-items: flex-start; }
section.story .words { flex: 1 1 22em; min-width: 0; }
/* Screenshots stand side by side at their sizes in device-independent pixels, wrapping where the window ends. */
.runs { display: flex; flex-wrap: wrap; gap: 12px; align-items: flex-start; margin-bottom: 8px; }
/* A caption as wide as its picture, so that the rows of a comparison line up. */
figure { flex: none; margin: 0; display: table; }
figcaption { display: table-caption; caption-side: bottom; }
figure img { display: block; border: 1px solid #aab; }
figcaption { font-size: 0.85em; color: #445; margin-top: 0.3em; }
.exchange { overflow-x: auto; max-width: 100%; }
section.story .exchange { max-height: 17em; overflow-y: auto; }
table.transcript { border-collapse: collapse; font-size: 0.85em; margin-top: 0.4em; }
table.transcript th, table.transcript td { border: 1px solid #d8dce3; padding: 2px 8px; text-align: left;
                                           vertical-align: top; }
table.transcript th { background: #eef0f4; position: sticky; top: 0; }
details { margin-top: 0.5em; }
summary { cursor: pointer; font-size: 0.9em; color: #335; }
.quiet { color: #667; font-size: 0.9em; margin: 0.3em 0; }
pre { background: #fff; border: 1px solid #d8dce3; padding: 1em; overflow-x: auto; font-size: 0.85em; }
@media (max-width: 600px) {
  body { padding: 0.4em 0.6em 1em; }
  h1 { font-size: 1.2em; }
  header p, nav.pages { font-size: 0.85em; }
  section.state { padding: 0.5em 0.6em; }
  /* Each step's heading and caption above its pictures, what was said below them. */
  section.story .words { display: contents; }
  section.story .words > * { flex-basis: 100%; margin: 0; }
  section.story h2, section.story p.caption { order: -1; }
}
"""


class Page:
    """One page: its file, what it shows (for its heading), and its runs. A story page shows the runs of one
    screen and theme, one per language; a comparison page shows each state in every run, a row per language."""

    def __init__(self, file, shows, runs, story):
        self.file, self.shows, self.runs, self.story = file, shows, runs, story


def plan_pages(run_names):
    """The pages, the index first, and the navigation's groups of (file, link text): the story on each screen
    (light theme) and in each theme (the index's screen), and the comparisons where there is something to
    compare."""
    by_view = {}
    for name in run_names:
        _, screen, dpi = run_label(name)
        by_view.setdefault((screen, dpi, run_theme(name)), []).append(name)
    default = (*DEFAULT_SCREEN, "light")
    first = default if default in by_view else next(iter(by_view))
    index = Page("index.html", f"on {screen_title(*first[:2])}", by_view[first], True)
    pages, screens, themes = [index], [(index.file, screen_title(*first[:2]))], [(index.file, THEMES[first[2]])]
    for (screen, dpi, theme), names in by_view.items():
        if (screen, dpi, theme) == first:
            continue
        if theme == first[2]:
            page = Page(f"story-{screen[0]}x{screen[1]}-{dpi}dpi.html", f"on {screen_title(screen, dpi)}", names, True)
            screens.append((page.file, screen_title(screen, dpi)))
        elif (screen, dpi) == first[:2]:
            page = Page(f"story-{theme}.html", f"in the {THEMES[theme]} theme", names, True)
            themes.append((page.file, THEMES[theme]))
        else:
            continue
        pages.append(page)
    compared = []
    same_theme = [name for name in run_names if run_theme(name) == first[2]]
    if len(screens) > 1:
        pages.append(Page("screens.html", "on every screen, side by side", same_theme, False))
        compared.append((pages[-1].file, "every screen"))
    if len(themes) > 1:
        order = list(THEMES)
        same_screen = [name for name in run_names if tuple(run_label(name)[1:]) == first[:2]]
        same_screen.sort(key=lambda name: order.index(run_theme(name)))
        pages.append(Page("themes.html", "in every theme, side by side", same_screen, False))
        compared.append((pages[-1].file, "every theme"))
    themes.sort(key=lambda link: list(THEMES.values()).index(link[1]))
    groups = [("The story on", screens), ("in the theme", themes), ("Side by side:", compared)]
    return pages, [(label, links) for label, links in groups if len(links) > 1 or label == "The story on"]


def navigation(groups, current):
    def link(file, text):
        here = ' aria-current="page"' if file == current.file else ""
        return f'<a href="{file}"{here}>{html.escape(text)}</a>'
    return ('<nav class="pages">' + "<br>".join(
        f"<b>{label}</b> " + " ".join(link(file, text) for file, text in links) for label, links in groups) + "</nav>")


INTRODUCTION = ("The messenger's item on a handheld's Today screen, run under Wine with a stand-in for the "
                "messenger: each row is one step, in Latin and in Chinese, with what the two said to each other.")
COMPARISON = ("Each step of the story {}, one row per language, each screenshot as large as its screen would look at "
              "96 dpi (one of 192 dpi at half its pixels); a click opens it whole.")


def state_title(index, state_name):
    return f"{index}. " + re.sub(r"^\d+-", "", state_name).replace("-", " ")


def exchange(page, per_run):
    """What the stand-in wrote during the step in the page's first run, and in each other run folded away."""
    first = page.runs[0]
    others = "".join(
        f"<details><summary>The stand-in's lines in the {html.escape(run_title(name))} run"
        f"</summary>{transcript_table(state['transcript'])}</details>"
        for name, state in per_run.items() if state and name != first)
    return (f'<p class="quiet">What the stand-in and the item said to each other ({html.escape(run_title(first))} '
            f'run):</p>{transcript_table(per_run[first]["transcript"])}{others}')


def story_section(anchor, title, caption, page, per_run):
    figures = "".join(figure(name, state, run_label(name)[0]) for name, state in per_run.items() if state)
    return (f'<section class="state story" id="{anchor}"><div class="runs">{figures}</div><div class="words">'
            f'<h2>{html.escape(title)}</h2><p class="caption">{html.escape(caption)}</p>'
            f'{exchange(page, per_run)}</div></section>')


def comparison_title(name, page):
    """A screenshot's title among its language's row: its theme on the page of themes, else its screen."""
    language, screen, dpi = run_label(name)
    return f"{language}, " + (f"{THEMES[run_theme(name)]} theme" if page.file == "themes.html" else
                              screen_title(screen, dpi))


def comparison_section(anchor, title, caption, page, per_run):
    languages = list(dict.fromkeys(run_label(name)[0] for name in page.runs))
    rows = "".join(
        '<div class="runs">' + "".join(figure(name, state, comparison_title(name, page)) for name, state in per_run.items()
                                       if state and run_label(name)[0] == language) + "</div>"
        for language in languages)
    return (f'<section class="state" id="{anchor}"><h2>{html.escape(title)}</h2>'
            f'<p class="caption">{html.escape(caption)}</p>{rows}'
            f'<details><summary>What the stand-in and the item said to each other</summary>'
            f'{exchange(page, per_run)}</details></section>')


def write_page(out, page, groups, runs, captions, script_text):
    order = [state["state"] for state in runs[page.runs[0]]]
    sections, links = [], []
    for index, state_name in enumerate(order, start=1):
        per_run = {name: next((s for s in runs[name] if s["state"] == state_name), None) for name in page.runs}
        caption = captions.get(per_run[page.runs[0]]["line"], "")
        anchor = f"state-{index:02d}"
        links.append(f'<a href="#{anchor}">{index}</a>')
        make = story_section if page.story else comparison_section
        sections.append(make(anchor, state_title(index, state_name), caption, page, per_run))
    heading = f"Ardeno Today item: the story {page.shows}"
    script = (f"<h2>The host script</h2><pre>{html.escape(script_text)}</pre>" if page.file == "index.html" else "")
    text = (
        '<!DOCTYPE html><html lang="en"><head><meta charset="utf-8">'
        '<meta name="viewport" content="width=device-width, initial-scale=1">'
        f"<title>{html.escape(heading)}</title><style>{STYLE}</style></head><body>"
        f"<header><h1>{html.escape(heading)}</h1>"
        f"<p>{INTRODUCTION if page.story else COMPARISON.format(page.shows.replace(', side by side', ''))}</p>"
        f"{navigation(groups, page)}<nav class=\"states\"><b>Steps:</b> {' '.join(links)}</nav></header>"
        f"<main data-runs=\"{len(page.runs)}\">{''.join(sections)}</main>{script}</body></html>\n")
    (out / page.file).write_text(text, encoding="utf-8")


def build_page(out, script_path, run_names):
    """Writes every page; returns the index's path."""
    script_text = Path(script_path).read_text(encoding="utf-8")
    captions = screenshot_captions(script_text)
    runs = {}
    for name in run_names:
        run_label(name)
        run_theme(name)
        runs[name] = read_run(out, name)
        if not runs[name]:
            raise ValueError(f"run '{name}' took no screenshots (no {out / 'work' / name / 'steps.jsonl'}?)")
    pages, groups = plan_pages(run_names)
    for page in pages:
        write_page(out, page, groups, runs, captions, script_text)
    return out / "index.html"


# --- Checking the page ----------------------------------------------------------------------------------

class PageReader(HTMLParser):
    """The states of a page: for each, its caption text and its images (their attributes); and the pages its
    navigation names."""

    def __init__(self):
        super().__init__()
        self.states, self.runs, self.images_outside, self.pages = [], None, [], []
        self._in_caption = self._in_pages = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "nav" and "pages" in attrs.get("class", "").split():
            self._in_pages = True
        elif tag == "a" and self._in_pages and attrs.get("href"):
            self.pages.append(attrs["href"])
        elif tag == "main":
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
        elif tag == "nav":
            self._in_pages = False

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


def read_page(path):
    reader = PageReader()
    reader.feed(path.read_text(encoding="utf-8"))
    return reader


def check_states(reader, folder):
    """What is wrong with the states of one page and their images."""
    problems = []
    if not reader.states:
        problems.append("the page has no states")
    for state in reader.states:
        if not state["caption"].strip():
            problems.append(f"state {state['id']} has no caption")
        if reader.runs and len(state["images"]) != reader.runs:
            problems.append(f"state {state['id']} shows {len(state['images'])} screenshots, not {reader.runs}")
        for image in state["images"]:
            problem = check_image(folder, image)
            if problem:
                problems.append(f"state {state['id']}: {problem}")
    for image in reader.images_outside:
        problem = check_image(folder, image)
        if problem:
            problems.append(problem)
    return problems


def check_readable(folder, image, kept):
    """What does not read on one whole image of the right size; marks the default theme keeps go to kept."""
    def number(attribute):
        value = image.get(attribute) or "0"
        return int(value) if value.isdigit() else 0
    try:
        picture = demo_readability.read_png(folder / image["src"])
    except (OSError, ValueError, zlib.error) as error:
        return [f"image '{image['src']}' cannot be measured: {error}"]
    problems, kept_here = demo_readability.check_picture(
        picture, image["src"], number("data-dpi"), number("data-item"), number("data-notifications") > 0,
        image.get("data-theme") or demo_readability.DEFAULT_THEME)
    kept.extend(kept_here)
    return problems


def check_page(index_path, kept=None):
    """Every problem of the index and of every page its navigation names, as a list of messages (empty when all
    are sound). Marks below the rule that the default theme keeps as they always were go to kept, if given."""
    index_path = Path(index_path)
    if not index_path.is_file():
        return [f"{index_path} does not exist"]
    folder, kept = index_path.parent, [] if kept is None else kept
    index = read_page(index_path)
    problems, measured = [], set()
    for name in dict.fromkeys([index_path.name] + index.pages):
        path = folder / name
        if re.match(r"^[a-z][a-z0-9+.-]*:", name, re.I) or "/" in name or not path.is_file():
            problems.append(f"the page '{name}', which the navigation names, is not a page beside the index")
            continue
        reader = index if name == index_path.name else read_page(path)
        here = check_states(reader, folder)
        problems += [f"{name}: {problem}" for problem in here]
        broken = {problem for problem in here}
        for state in reader.states:
            for image in state["images"]:
                src = image.get("src", "")
                if src in measured or any(f"'{src}'" in problem for problem in broken):
                    continue
                measured.add(src)
                problems += check_readable(folder, image, kept)
    return problems


def kept_summary(kept):
    """The kept marks, one line per mark and colours, with the number of pictures."""
    counts = Counter(re.sub(r"^[^:]*: ", "", line) for line in kept)
    return [f"{what} (in {count} picture{'s' if count > 1 else ''})" for what, count in counts.items()]


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
        kept = []
        problems = check_page(argv[2], kept)
        if kept:
            print("demo_page.py: marks in the item's own colours that the default theme keeps as they always were, "
                  "below 3:1:")
            for line in kept_summary(kept):
                print(f"  {line}")
        for problem in problems:
            print(f"demo_page.py: {argv[2]}: {problem}", file=sys.stderr)
        return 1 if problems else 0
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
