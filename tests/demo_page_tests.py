#!/usr/bin/env python3
"""The demo page's generator and its check, on fixture runs made here (no Wine, no demo run)."""
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


def png(width, height):
    """A valid grey PNG of this size."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\0" + b"\x80" * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


class DemoPageTest(unittest.TestCase):
    RUNS = ["latin-240x320-96dpi", "chinese-480x640-192dpi"]

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
        scale = 2 if run.endswith("192dpi") else 1
        (self.out / run).mkdir()
        work = self.out / "work" / run
        work.mkdir(parents=True)
        lines = [json.dumps(line) + "\n" for line in TRANSCRIPT]
        (work / "peer-transcript.jsonl").write_text("".join(lines), encoding="utf-8")
        ends = [0, sum(len(line.encode()) for line in lines[:4]), sum(len(line.encode()) for line in lines)]
        steps = [{"line": 2, "step": "timeout", "args": ["100"], "items": []}]
        screens = [(240 * scale, 320 * scale)] * 2 + [(320 * scale, 240 * scale)]
        for (name, line), end, height, screen in zip(SHOT_LINES.items(), ends, (20, 60, 60), screens):
            (self.out / run / f"{name}.png").write_bytes(png(*screen))
            steps.append({"line": line, "step": "screenshot", "args": [f"Z:\\demo\\{run}\\{name}.png"],
                          "items": [{"name": "Other", "height": 5}, {"name": "Ardeno", "height": height * scale}],
                          "notifications": ["1 new message"] if end else [], "watched": end, "screen": screen})
        (work / "steps.jsonl").write_text("".join(json.dumps(step) + "\n" for step in steps), encoding="utf-8")

    def build(self):
        return demo_page.build_page(self.out, self.script, self.RUNS)

    def test_each_state_has_its_caption_images_height_and_transcript_lines(self):
        page = self.build().read_text(encoding="utf-8")
        self.assertEqual(demo_page.check_page(self.out / "index.html"), [])
        sections = page.split('<section class="state"')[1:]
        self.assertEqual(len(sections), 3)
        expected = [
            ("The item alone.", "item 20 px high", "item 40 px high", "wrote nothing"),
            ("The messenger starts and pushes a notice.", "item 60 px high", "item 120 px high",
             "notice &#x27;k1&#x27;: Li: hi &lt;b&gt;"),
            ("A &quot;quoted&quot; tap.", "notification: 1 new message", "chinese-480x640-192dpi/03-tapped.png",
             "opened &#x27;k1&#x27;, marked read; 0 pending", "Chinese, 480 x 640 at 192 dpi (turned)"),
        ]
        for section, texts in zip(sections, expected):
            for text in texts:
                self.assertIn(text, section)
        # Lines land in the step that wrote them, and only there.
        self.assertNotIn("LINKM_PING", sections[0] + sections[2])
        self.assertIn("LINKM_PING", sections[1])
        self.assertNotIn("key handed back", sections[1])
        self.assertIn("key handed back: &#x27;k1&#x27;", sections[2])
        self.assertIn("window gone without a goodbye; a new one 500 ms later", sections[2])
        self.assertNotIn("The whole script", "".join(sections).split("<h2>The host script")[0])
        self.assertNotIn("http", page.split("<pre>")[0], "nothing is fetched from elsewhere")
        # Shown at their sizes in device-independent pixels, a 192-dpi shot at half its pixels; a click opens it.
        self.assertIn('<a href="chinese-480x640-192dpi/01-alone.png"><img src="chinese-480x640-192dpi/01-alone.png" '
                      'width="240" height="320"', sections[0])
        self.assertIn('src="latin-240x320-96dpi/03-tapped.png" width="320" height="240"', sections[2])

    def test_check_names_every_missing_wrong_or_uncaptioned_state(self):
        self.build()
        latin, chinese = (self.out / run for run in self.RUNS)
        (latin / "01-alone.png").unlink()
        (chinese / "02-pushed.png").write_bytes(png(240, 320))
        (latin / "03-tapped.png").write_bytes(b"GIF89a not a picture at all")
        (chinese / "01-alone.png").write_bytes(png(480, 640)[:60])  # a write cut short
        index = self.out / "index.html"
        page = index.read_text(encoding="utf-8").replace("The messenger starts and pushes a notice.", " ")
        # Shown at its pixel size, as if at 96 dpi.
        page = page.replace('03-tapped.png" width="320" height="240" data-dpi="192"',
                            '03-tapped.png" width="640" height="480" data-dpi="192"')
        index.write_text(page, encoding="utf-8")
        problems = "\n".join(demo_page.check_page(index))
        for text in ("state state-01: image 'latin-240x320-96dpi/01-alone.png' does not exist",
                     "image 'chinese-480x640-192dpi/02-pushed.png' is 240 x 320, not 480 x 640 as its screen",
                     "image 'latin-240x320-96dpi/03-tapped.png' is not a whole PNG",
                     "image 'chinese-480x640-192dpi/01-alone.png' is not a whole PNG",
                     "state state-02 has no caption",
                     "image 'chinese-480x640-192dpi/03-tapped.png' is shown 640 x 480, not 320 x 240 "
                     "device-independent pixels at 192 dpi"):
            self.assertIn(text, problems)
        self.assertEqual(len(demo_page.check_page(index)), 6)
        self.assertEqual(demo_page.check_page(self.out / "none.html"), [f"{self.out / 'none.html'} does not exist"])

    def test_runs_that_took_no_screenshots_or_are_misnamed_stop_the_build(self):
        shutil.rmtree(self.out / "work" / "chinese-480x640-192dpi")
        with self.assertRaisesRegex(ValueError, "chinese-480x640-192dpi' took no screenshots"):
            self.build()
        for name in ("latin", "latin-96dpi", "latin-240x320"):
            with self.assertRaisesRegex(ValueError, "not named LANGUAGE-<WIDTH>x<HEIGHT>-<DPI>dpi"):
                demo_page.build_page(self.out, self.script, [name])


if __name__ == "__main__":
    unittest.main()
