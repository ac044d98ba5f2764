#!/usr/bin/env python3
"""The demo pages' generator and their check, on fixture runs made here (no Wine, no demo run)."""
import json
import shutil
import struct
import sys
import tempfile
import unittest
import zlib
from pathlib import Path

sys.dont_write_bytecode = True  # no cache files beside the tools
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tools"))
import demo_page  # noqa: E402
import demo_readability  # noqa: E402

SCRIPT = """# The whole script: no state's caption.
timeout 100

# The item alone.
screenshot "%DEMO_OUT%\\01-alone.png"

# The messenger starts
# and pushes a notice.
start peer.exe
refresh
screenshot "%DEMO_OUT%\\02-pushed.png"
pump 10
# A "quoted" tap.
tap-item Ardeno 1 1
screenshot "%DEMO_OUT%\\03-tapped.png"
"""
SHOT_LINES = {"01-alone": 5, "02-pushed": 11, "03-tapped": 15}

TRANSCRIPT = [
    {"dir": "called", "name": "SHNotificationAdd", "id": 6377, "result": 0, "html": "<p>1 new message</p>", "t": 1},
    {"dir": "sent", "msg": 1124, "name": "LINKM_MAIN_ATTACH", "wParam": 65604, "lParam": 0, "result": 1, "t": 2},
    {"dir": "sent", "msg": 74, "name": "WM_COPYDATA", "wParam": 65604, "dwData": 0, "cbData": 20,
     "text": "k1\u0000\u0000Li\u0000hi <b>\u00007", "hex": "", "result": 1, "t": 2},
    {"dir": "received", "msg": 1132, "name": "LINKM_PING", "wParam": 0, "lParam": 0, "result": 1, "t": 5},
    {"dir": "received", "msg": 74, "name": "WM_COPYDATA", "wParam": 1, "dwData": 0, "cbData": 4, "text": "k1",
     "hex": "6b003100", "result": 1, "t": 9},
    {"dir": "self", "name": "OpenNotice", "key": "k1", "found": True, "pending": 0, "t": 9},
    {"dir": "self", "name": "Restart", "awayMs": 500, "t": 10},
]
# Background and text of a fixture screen, by theme.
COLOURS = {"light": (0xDCE7F8, 0x14223C), "dark": (0x1C2331, 0xE4EAF4)}


def png(width, height, paint=()):
    """An RGB PNG of this size, unfiltered as the host writes them: the background, then (colour, rectangle)s."""
    background = paint[0][0] if paint else 0x808080
    rows = [[background] * width for _ in range(height)]
    for colour, (left, top, right, bottom) in paint[1:]:
        for y in range(max(top, 0), min(bottom, height)):
            rows[y][max(left, 0):min(right, width)] = [colour] * (min(right, width) - max(left, 0))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(p.to_bytes(3, "big") for p in row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def screen(width, height, dpi, item_height, bubble, theme="light", text=None, extra=()):
    """A screen as the check expects it: its background, and a short stroke of text in each line of text."""
    background, ink = COLOURS[theme]
    strokes = [(text or ink, (part.rects[0][0] + 2, part.rects[0][1] + 3, part.rects[0][0] + 12,
                              part.rects[0][1] + 5))
               for part in demo_readability.screen_parts(width, dpi, item_height, bubble) if part.kind == "text"]
    return png(width, height, [(background, None)] + strokes + list(extra))


class DemoPageTest(unittest.TestCase):
    RUNS = ["latin-240x320-96dpi", "chinese-240x320-96dpi", "latin-480x640-192dpi", "chinese-480x640-192dpi",
            "latin-240x320-96dpi-dark", "chinese-240x320-96dpi-dark"]

    def setUp(self):
        self.out = Path(tempfile.mkdtemp(prefix="demo-page-"))
        self.addCleanup(shutil.rmtree, self.out)
        self.script = self.out / "demo.host-script"
        self.script.write_text(SCRIPT, encoding="utf-8")
        for run in self.RUNS:
            self.write_run(run)

    def write_run(self, run):
        """Three screenshots, the last one after the screen turned; the transcript grows by 0, 4 and 2 lines, the
        item by one line to three."""
        _, (width, height), dpi = demo_page.run_label(run)
        scale = dpi // 96
        (self.out / run).mkdir()
        work = self.out / "work" / run
        work.mkdir(parents=True)
        lines = [json.dumps(line) + "\n" for line in TRANSCRIPT]
        (work / "peer-transcript.jsonl").write_text("".join(lines), encoding="utf-8")
        ends = [0, sum(len(line.encode()) for line in lines[:4]), sum(len(line.encode()) for line in lines)]
        steps = [{"line": 2, "step": "timeout", "args": ["100"], "items": []}]
        screens = [(width, height)] * 2 + [(height, width)]
        for (name, line), end, item, size in zip(SHOT_LINES.items(), ends, (20, 60, 60), screens):
            self.shot(run, name, size, item * scale, bool(end))
            steps.append({"line": line, "step": "screenshot", "args": [f"Z:\\demo\\{run}\\{name}.png"],
                          "items": [{"name": "Other", "height": 5}, {"name": "Ardeno", "height": item * scale}],
                          "notifications": ["1 new message"] if end else [], "watched": end, "screen": size})
        (work / "steps.jsonl").write_text("".join(json.dumps(step) + "\n" for step in steps), encoding="utf-8")

    def shot(self, run, name, size, item_height, bubble, **paint):
        _, _, dpi = demo_page.run_label(run)
        (self.out / run / f"{name}.png").write_bytes(
            screen(*size, dpi, item_height, bubble, demo_page.run_theme(run), **paint))

    def build(self):
        return demo_page.build_page(self.out, self.script, self.RUNS)

    def page(self, name):
        return (self.out / name).read_text(encoding="utf-8")

    def test_the_story_comes_first_and_every_screen_and_theme_is_one_click_away(self):
        self.build()
        self.assertEqual(demo_page.check_page(self.out / "index.html"), [])
        index = self.page("index.html")
        self.assertIn("the story on 240 x 320 at 96 dpi", index)
        for page in ("story-480x640-192dpi.html", "story-dark.html", "screens.html", "themes.html"):
            self.assertIn(f'href="{page}"', index)
            self.assertIn('href="index.html"', self.page(page))
        # The story: the Latin and the Chinese picture side by side, the words beside them.
        sections = index.split('<section class="state')[1:]
        self.assertEqual(len(sections), 3)
        expected = [
            ("The item alone.", "item 20 px high", "wrote nothing"),
            ("The messenger starts and pushes a notice.", "item 60 px high", "notice &#x27;k1&#x27;: Li: hi &lt;b&gt;"),
            ("A &quot;quoted&quot; tap.", "notification: 1 new message", "Chinese (turned)",
             "opened &#x27;k1&#x27;, marked read; 0 pending"),
        ]
        for section, texts in zip(sections, expected):
            self.assertEqual(section.count("<img "), 2)
            self.assertIn('src="latin-240x320-96dpi/', section)
            self.assertIn('src="chinese-240x320-96dpi/', section)
            for text in texts:
                self.assertIn(text, section)
        # Lines land in the step that wrote them, and only there.
        self.assertNotIn("LINKM_PING", sections[0] + sections[2])
        self.assertIn("LINKM_PING", sections[1])
        self.assertIn("key handed back: &#x27;k1&#x27;", sections[2])
        self.assertIn("window gone without a goodbye; a new one 500 ms later", sections[2])
        self.assertNotIn("The whole script", "".join(sections).split("<h2>The host script")[0])
        self.assertNotIn("http", index.split("<pre>")[0], "nothing is fetched from elsewhere")
        # The comparisons: one state across every screen (at their sizes in device-independent pixels, a 192-dpi
        # shot at half its pixels) and across every theme.
        screens = self.page("screens.html").split('<section class="state')[1:]
        self.assertEqual([s.count("<img ") for s in screens], [4, 4, 4])
        self.assertIn('<a href="latin-480x640-192dpi/01-alone.png"><img src="latin-480x640-192dpi/01-alone.png" '
                      'width="240" height="320"', screens[0])
        self.assertIn('src="chinese-480x640-192dpi/03-tapped.png" width="320" height="240"', screens[2])
        themes = self.page("themes.html").split('<section class="state')[1:]
        self.assertEqual([s.count("<img ") for s in themes], [4, 4, 4])
        self.assertIn('data-theme="dark"', themes[0])

    def test_check_names_every_missing_wrong_or_uncaptioned_state(self):
        self.build()
        latin, chinese = self.out / "latin-240x320-96dpi", self.out / "chinese-480x640-192dpi"
        (latin / "01-alone.png").unlink()
        (chinese / "02-pushed.png").write_bytes(png(240, 320))
        (latin / "03-tapped.png").write_bytes(b"GIF89a not a picture at all")
        (chinese / "01-alone.png").write_bytes(png(480, 640)[:60])  # a write cut short
        index = self.out / "index.html"
        index.write_text(self.page("index.html").replace("The messenger starts and pushes a notice.", " "),
                         encoding="utf-8")
        screens = self.out / "screens.html"
        # Shown at its pixel size, as if at 96 dpi.
        screens.write_text(self.page("screens.html").replace(
            '03-tapped.png" width="320" height="240" data-dpi="192"',
            '03-tapped.png" width="640" height="480" data-dpi="192"'), encoding="utf-8")
        (self.out / "story-dark.html").unlink()
        problems = "\n".join(demo_page.check_page(index))
        for text in ("index.html: state state-01: image 'latin-240x320-96dpi/01-alone.png' does not exist",
                     "screens.html: state state-02: image 'chinese-480x640-192dpi/02-pushed.png' is 240 x 320, "
                     "not 480 x 640 as its screen",
                     "image 'latin-240x320-96dpi/03-tapped.png' is not a whole PNG",
                     "image 'chinese-480x640-192dpi/01-alone.png' is not a whole PNG",
                     "index.html: state state-02 has no caption",
                     "screens.html: state state-03: image 'chinese-480x640-192dpi/03-tapped.png' is shown 640 x 480, "
                     "not 320 x 240 device-independent pixels at 192 dpi",
                     "the page 'story-dark.html', which the navigation names, is not a page beside the index"):
            self.assertIn(text, problems)
        self.assertEqual(demo_page.check_page(self.out / "none.html"), [f"{self.out / 'none.html'} does not exist"])

    def test_check_measures_every_line_and_mark_on_the_pictures(self):
        def rects(width, name):  # where the check looks for a mark on the default screen, the bubble up
            return next(p.rects for p in demo_readability.screen_parts(width, 96, 60, True) if p.name == name)
        dark, light = "latin-240x320-96dpi-dark", "latin-240x320-96dpi"
        self.build()
        # Text a shade off its background; an arrow in a colour that does not read there and a faint frame, on the
        # turned screen; an arrow as faint as can be.
        self.shot(dark, "02-pushed", (240, 320), 60, True, text=0x3A4356)
        self.shot(dark, "03-tapped", (320, 240), 60, True, extra=[(0x5F0C00, rects(320, "the next arrow")[0])] +
                  [(0x2C3446, side) for side in rects(320, "the missing portrait's frame")])
        self.shot("chinese-240x320-96dpi-dark", "02-pushed", (240, 320), 60, True,
                  extra=[(0xFF8C00, rects(240, "the next arrow")[0]), (0x1D2432, rects(240, "the previous arrow")[0])])
        # The item's own orange, which reads on the dark theme, is kept on the default one as it always was.
        self.shot(light, "02-pushed", (240, 320), 60, True, extra=[(0xFF8C00, rects(240, "the next arrow")[0])])
        kept = []
        problems = "\n".join(demo_page.check_page(self.out / "index.html", kept))
        for text in (f"{dark}/02-pushed.png: the bar's title and clock: text #3A4356 on #1C2331 is 1.58:1, below 4.5:1",
                     f"{dark}/02-pushed.png: the item's text line: text #3A4356 on #1C2331 is 1.58:1, below 4.5:1",
                     f"{dark}/03-tapped.png: the next arrow: arrow #5F0C00 on #1C2331 is 1.",
                     f"{dark}/03-tapped.png: the missing portrait's frame: frame #2C3446 on #1C2331 is 1.",
                     "chinese-240x320-96dpi-dark/02-pushed.png: the previous arrow: arrow #1D2432 on #1C2331 is 1.0"):
            self.assertIn(text, problems)
        self.assertEqual(problems.count("\n") + 1, 7 + 2 + 1, problems)  # every text line of the faint picture
        self.assertEqual(kept, [f"{light}/02-pushed.png: the next arrow: arrow #FF8C00 on #DCE7F8 is 1.86:1, "
                                "below 3.0:1"])

    def test_runs_that_took_no_screenshots_or_are_misnamed_stop_the_build(self):
        shutil.rmtree(self.out / "work" / "chinese-480x640-192dpi")
        with self.assertRaisesRegex(ValueError, "chinese-480x640-192dpi' took no screenshots"):
            self.build()
        for name in ("latin", "latin-96dpi", "latin-240x320"):
            with self.assertRaisesRegex(ValueError, "not named LANGUAGE-<WIDTH>x<HEIGHT>-<DPI>dpi"):
                demo_page.build_page(self.out, self.script, [name])
        with self.assertRaisesRegex(ValueError, "names the theme 'sepia', not one of light, dark, contrast"):
            demo_page.build_page(self.out, self.script, ["latin-240x320-96dpi-sepia"])


if __name__ == "__main__":
    unittest.main()
