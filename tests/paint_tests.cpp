// What the item paints, read back from its window: backgrounds, both views, texts, portraits, arrows.
// The item runs from the real DLL under a host window; notices arrive as the main application sends them.
// At the default font setting and 96 dpi the font is 12 pixels high and lines are 20 (text offset 0).
#include "kit/LinkWire.h"
#include "render/Metrics.h"
#include "render/PaintItem.h"
#include "support/ScenePaint.h"
#include "settings/SystemFontSize.h"
#include "support/ItemHarness.h"
#include "support/NoticeFeed.h"
#include "support/Rects.h"
#include "support/Registry.h"
#include "support/Surface.h"
#include "toolbox/Utf8.h"
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr int kWidth = 240, kHeight = 60;
constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kOrange = RGB(0xFF, 0x8C, 0x00);   // arrow
constexpr COLORREF kBrown = RGB(0x5C, 0x33, 0x17);    // highlighted arrow
constexpr COLORREF kAppBlue = RGB(0x1E, 0x6F, 0xD9);  // application icon
constexpr COLORREF kPortrait = RGB(0xE0, 0x10, 0xC0);
constexpr int kArrowPixels = 64;  // one solid triangle

const RECT kAll = {0, 0, kWidth, kHeight};
const RECT kFirstLine = {0, 0, kWidth, 20};
const RECT kLowerLines = {0, 20, kWidth, kHeight};
// Title texts, inset by 2: the count left-aligned and the position right-aligned. Rows 0-17 hold nothing
// else (the portrait frame's top edge is row 18).
const RECT kTitleText = {30, 2, 238, 18};
const RECT kTitleArea = {28, 0, kWidth, 18};
// One-line view: the product name at (28, (20 - 12 - 6) / 2).
const RECT kOneLineTitle = {28, 1, 428, 21};
const RECT kOneLineTitleArea = {28, 0, kWidth, 20};
const RECT kAppIconCell = {2, 2, 18, 18};
// Arrows at (L, 30) and (R - 17, 30), 16 pixels square.
const RECT kPrevArrowBox = {0, 30, 16, 46};
const RECT kNextArrowBox = {223, 30, 239, 46};

// The second and third lines' text rectangles (inset by 2), by whether arrows have room.
struct LowerTexts {
    RECT name;  // name and time share it: name from the left, time from the right
    RECT text;
};
const LowerTexts kOneNotice = {{45, 21, 236, 37}, {45, 40, 236, 56}};
const LowerTexts kSeveralNotices = {{57, 21, 224, 37}, {57, 40, 224, 56}};

class ItemPaint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(item.item, nullptr);
        item.Resize(kWidth, kHeight);
        mainApplication.answers[LINKM_PING] = 1;  // alive, for the host's refresh queries
    }
    void Feed(const std::vector<Notice>& notices) { FeedNotices(item.item, mainApplication.hwnd(), notices); }
    void Feed(int n) { Feed(NumberedNotices(n)); }
    void Select() { item.Send(WM_TODAYCUSTOM_RECEIVEDSELECTION); }
    void Key(UINT virtualKey) { item.Send(WM_TODAYCUSTOM_USERNAVIGATION, virtualKey); }
    // The highlight timer's repaint has come: no arrow is lit any more.
    PumpResult HighlightEnds() {
        return PumpUntil([&] { return CaptureWindow(item.item).Count(kAll, kBrown) == 0; }, 3000);
    }

    AbsentRegistryKey fontSize{TEST_FONT_SIZE_KEY};  // the default setting
    RecordingWindow mainApplication{L"TestMainApplication", L"Ardeno"};
    LoadedItem item;
};

// What the item should show: the texts in the host's colours unless others are given.
Capture Texts(const std::vector<TextAt>& texts, COLORREF background = kHostWatermarkColor,
              COLORREF colour = kHostTextColor) {
    return RenderTexts(kWidth, kHeight, background, colour, texts);
}

// Every pixel of a one-pixel outline is grey.
::testing::AssertionResult GreyOutline(const Capture& c, const RECT& outline) {
    const int right = outline.right - 1, bottom = outline.bottom - 1;
    int missing =
        c.Count({outline.left, outline.top, outline.right, outline.top + 1}, kGrey) - (right - outline.left + 1);
    missing += c.Count({outline.left, bottom, outline.right, bottom + 1}, kGrey) - (right - outline.left + 1);
    missing +=
        c.Count({outline.left, outline.top, outline.left + 1, outline.bottom}, kGrey) - (bottom - outline.top + 1);
    missing += c.Count({right, outline.top, right + 1, outline.bottom}, kGrey) - (bottom - outline.top + 1);
    if (missing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << -missing << " outline pixels are not grey";
}

}  // namespace

TEST_F(ItemPaint, BackgroundAndTextColoursFollowTheSelection) {
    struct Case {
        bool selected;
        COLORREF background, text, otherBackground, otherText;
    } cases[] = {
        {false, kHostWatermarkColor, kHostTextColor, kHostHighlightColor, kHostHighlightedTextColor},
        {true, kHostHighlightColor, kHostHighlightedTextColor, kHostWatermarkColor, kHostTextColor},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.selected ? "selected" : "not selected");
        if (k.selected) Select();

        // One-line view: nothing below the first line but the background.
        item.Send(LINKM_CLEAR);
        Capture oneLine = item.Painted();
        EXPECT_EQ(CountOther(oneLine, kLowerLines, k.background), 0);
        EXPECT_TRUE(SameInArea(oneLine, Texts({{L"Ardeno", kOneLineTitle}}, k.background, k.text), kOneLineTitleArea));

        Feed(1);
        Capture threeLines = item.Painted();
        EXPECT_TRUE(SameInArea(
            threeLines,
            Texts({{L"Ardeno  (1)new messages.", kTitleText}, {L"[1/1] ", kTitleText, DT_RIGHT}}, k.background, k.text),
            kTitleArea));
        EXPECT_EQ(threeLines.At(kWidth - 1, kHeight - 1), k.background);
        EXPECT_EQ(threeLines.At(kWidth - 1, 0), k.background);
        for (const Capture* c : {&oneLine, &threeLines}) {
            EXPECT_EQ(c->Count(kAll, k.otherBackground), 0);
            EXPECT_EQ(c->Count(kAll, k.otherText), 0);
            EXPECT_GT(c->Count(kAll, k.text), 0);
        }
    }
}

TEST_F(ItemPaint, OneLineViewWhileThereIsNothingToPage) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"no main application, notices held",
         [&] {
             item.Send(LINKM_MAIN_DETACH);
             for (const Notice& n : NumberedNotices(2)) SendNotice(item.item, n);
         }},
        {"status mode, notices held",
         [&] {
             Feed(0);
             item.Send(LINKM_STATUS, 1);
             for (const Notice& n : NumberedNotices(2)) SendNotice(item.item, n);
         }},
        {"main application, empty list", [&] { Feed(0); }},
    };
    const Capture title = Texts({{L"Ardeno", kOneLineTitle}});
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        k.arrange();
        Capture c = item.Painted();
        EXPECT_TRUE(SameInArea(c, title, kOneLineTitleArea));
        EXPECT_EQ(CountOther(c, kLowerLines, kHostWatermarkColor), 0);
        EXPECT_GT(c.Count(kAppIconCell, kAppBlue), 0);
    }
}

// One notice: its texts as typed (an ampersand is no prefix), without arrows.
TEST_F(ItemPaint, OneNoticeShowsItsTextsAsTypedWithoutArrows) {
    const struct {
        const wchar_t *sender, *text;
    } cases[] = {{L"Alice", L"See you at nine"}, {L"R&D", L"Tom & Jerry &more"}};
    for (const auto& k : cases) {
        SCOPED_TRACE(ToUtf8(k.text));
        Notice notice;
        notice.sender = k.sender;
        notice.text = k.text;
        notice.time = TimeField(9, 5);
        Feed({notice});
        Capture c = item.Painted();
        EXPECT_TRUE(SameInArea(c,
                               Texts({{L"Ardeno  (1)new messages.", kTitleText},
                                      {L"[1/1] ", kTitleText, DT_RIGHT},
                                      {k.sender, kOneNotice.name, DT_NOPREFIX},
                                      {L"[9:05]", kOneNotice.name, DT_RIGHT},
                                      {k.text, kOneNotice.text, DT_NOPREFIX}}),
                               {42, 0, kWidth, kHeight}));
        EXPECT_EQ(c.Count(kAll, kOrange) + c.Count(kAll, kBrown), 0);
        EXPECT_GT(c.Count(kAppIconCell, kAppBlue), 0);
    }
    // The prefix reading would underline instead: the two are told apart here.
    EXPECT_FALSE(SameInArea(item.Painted(), Texts({{L"R&D", kOneNotice.name}}), {45, 21, 80, 37}));
}

TEST_F(ItemPaint, TimeShowsHourUnpaddedAndTwoDigitMinutes) {
    struct Case {
        std::wstring field, shown;
    } cases[] = {
        {TimeField(9, 5), L"[9:05]"},
        {TimeField(0, 0), L"[0:00]"},
        {TimeField(23, 59), L"[23:59]"},
        {L"-1", L"[0:00]"},  // at or above 2^63 the conversion fails and the zeroed time shows
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.shown.begin(), k.shown.end()));
        Notice notice;
        notice.sender = L"Bob";
        notice.time = k.field;
        Feed({notice});
        EXPECT_TRUE(SameInArea(item.Painted(), Texts({{L"Bob", kOneNotice.name}, {k.shown, kOneNotice.name, DT_RIGHT}}),
                               kOneNotice.name));
    }
}

TEST_F(ItemPaint, LongNameIsCutBeforeTheTime) {
    Notice notice;
    notice.sender = L"Maximilian Alexander Bartholomew Featherstonehaugh";
    notice.time = TimeField(12, 34);
    Feed({notice});
    Capture c = item.Painted();
    // The name area ends where the right-aligned time begins.
    const RECT nameArea = {kOneNotice.name.left, kOneNotice.name.top, kOneNotice.name.right - ItemTextWidth(L"[12:34]"),
                           kOneNotice.name.bottom};
    std::vector<Capture> cuts;
    for (size_t n = 0; n < notice.sender.size(); ++n)
        cuts.push_back(
            Texts({{notice.sender.substr(0, n) + L"...", nameArea}, {L"[12:34]", kOneNotice.name, DT_RIGHT}}));
    const int shown = MatchingPicture(c, cuts, kOneNotice.name);
    EXPECT_GT(shown, 10) << "drawn as a prefix of that many characters and \"...\"";
}

TEST_F(ItemPaint, MissingPortraitIsAGreyFrameOnePixelAboveTheCell) {
    Feed(1);  // no portrait path: the load fails
    Capture c = item.Painted();
    // Portrait cell (2, 19, 42, 59): the outline runs over rows 18 to 57 and columns 2 to 41.
    EXPECT_TRUE(GreyOutline(c, {2, 18, 42, 58}));
    EXPECT_EQ(c.Count({2, 58, 42, 59}, kGrey), 0);
    EXPECT_EQ(CountOther(c, {3, 19, 41, 57}, kHostWatermarkColor), 0);
    EXPECT_EQ(c.Count(kAll, kGrey), 2 * 40 + 2 * 38);
}

TEST_F(ItemPaint, PortraitIsCentredInItsCellAndNeverLeavesIt) {
    struct Case {
        int width, height;
        RECT drawn;
    } cases[] = {
        {21, 11, {11, 33, 32, 44}},  // (2 + 19 / 2, 19 + 29 / 2), as it is
        {40, 40, {2, 19, 42, 59}},
        {60, 50, {2, 22, 42, 55}},  // larger than the cell: shrunk to 40 x 33, keeping its proportions
        {96, 96, {2, 19, 42, 59}},  // drawn as it is, it covered the name and the text
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.width) + " x " + std::to_string(k.height));
        Notice notice;
        notice.sender = notice.text = L"";  // nothing drawn over the picture
        notice.portraitPath = TemporaryFile(L"portrait.bmp");
        WriteSolidBitmapFile(notice.portraitPath, k.width, k.height, kPortrait);
        Feed({notice});
        Capture c = item.Painted();
        DeleteFileW(notice.portraitPath.c_str());
        EXPECT_EQ(BoundsOf(c, kPortrait), k.drawn);
        EXPECT_EQ(c.Count(kAll, kPortrait), (k.drawn.right - k.drawn.left) * (k.drawn.bottom - k.drawn.top));
        EXPECT_EQ(c.Count(kAll, kGrey), 0);  // no frame with a portrait
    }
}

TEST_F(ItemPaint, ArrowsShowWhereTheCursorCanMove) {
    Feed(3);
    struct Step {
        UINT key;  // 0: none
        bool previous, next;
        const wchar_t* position;
    } steps[] = {
        {0, false, true, L"[1/3] "},        {VK_RIGHT, true, true, L"[2/3] "},
        {VK_RIGHT, true, false, L"[3/3] "}, {VK_RIGHT, true, false, L"[3/3] "},  // stops at the end
        {VK_LEFT, true, true, L"[2/3] "},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.position, s.position + 6));
        if (s.key) {
            Key(s.key);
            ASSERT_TRUE(HighlightEnds());
        }
        Capture c = item.Painted();
        EXPECT_EQ(c.Count(kPrevArrowBox, kOrange), s.previous ? kArrowPixels : 0);
        EXPECT_EQ(c.Count(kNextArrowBox, kOrange), s.next ? kArrowPixels : 0);
        EXPECT_EQ(c.Count(kAll, kOrange), kArrowPixels * (s.previous + s.next));  // nowhere else
        EXPECT_TRUE(SameInArea(
            c, Texts({{L"Ardeno  (3)new messages.", kTitleText}, {s.position, kTitleText, DT_RIGHT}}), kTitleArea));
    }
    // The triangles sit in their boxes as drawn at (L, 30) and (R - 17, 30), and point outwards: each
    // tip is a single pixel on the outer side of its box.
    Capture c = item.Painted();
    EXPECT_EQ(BoundsOf(c, kOrange), (RECT{4, 31, 235, 46}));
    EXPECT_EQ(c.Count({0, 38, 16, 39}, kOrange), 8);
    EXPECT_EQ(c.At(4, 38), kOrange);
    EXPECT_NE(c.At(4, 37), kOrange);
    EXPECT_EQ(c.At(234, 38), kOrange);
    EXPECT_NE(c.At(234, 37), kOrange);
    // Three notices leave room for arrows on both sides of the texts.
    EXPECT_TRUE(SameInArea(c, Texts({{L"Sender 2", kSeveralNotices.name}}), {57, 21, 150, 37}));
    EXPECT_TRUE(GreyOutline(c, {14, 18, 54, 58}));
}

TEST_F(ItemPaint, LitArrowIsDarkAndFramedAroundItsHitArea) {
    Feed(3);
    struct Case {
        std::vector<UINT> keys;
        RECT litBox, dimBox;
        RECT frame;  // the hit area drawn one pixel higher
    } cases[] = {
        {{VK_RIGHT}, kNextArrowBox, kPrevArrowBox, {200, 18, 240, 58}},
        {{VK_RIGHT, VK_RIGHT, VK_LEFT}, kPrevArrowBox, kNextArrowBox, {0, 18, 40, 58}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.keys.size());
        Key(VK_LEFT);
        Key(VK_LEFT);
        ASSERT_TRUE(HighlightEnds());
        for (UINT key : k.keys) Key(key);
        Capture lit = CaptureWindow(item.item);  // the key's repaint, before the timer can run
        EXPECT_EQ(lit.Count(k.litBox, kBrown), kArrowPixels);
        EXPECT_EQ(lit.Count(k.dimBox, kOrange), kArrowPixels);
        EXPECT_EQ(lit.Count(kAll, kBrown), kArrowPixels);
        EXPECT_TRUE(GreyOutline(lit, k.frame));

        ASSERT_TRUE(HighlightEnds());
        Capture dim = item.Painted();
        EXPECT_EQ(dim.Count(k.litBox, kOrange), kArrowPixels);
        EXPECT_FALSE(GreyOutline(dim, k.frame));
    }
}

// Painting creates and deletes its drawing objects; nothing is left behind, whatever is drawn.
TEST_F(ItemPaint, PaintsLeaveTheGdiObjectCountUnchanged) {
    Notice withPortrait;
    withPortrait.portraitPath = TemporaryFile(L"leak.bmp");
    WriteSolidBitmapFile(withPortrait.portraitPath, 30, 30, kPortrait);
    std::vector<Notice> notices = NumberedNotices(3);
    notices.insert(notices.begin(), withPortrait);
    Feed(notices);
    item.Painted();  // the portrait is loaded once and kept with its notice
    const int before = CountGdiObjects();
    for (int round = 0; round < 40; ++round) {
        item.Painted();
        Key(VK_RIGHT);  // lit arrow, frame
        CaptureWindow(item.item);
        if (round % 8 == 0) Select();
        if (round % 8 == 4) item.Send(WM_TODAYCUSTOM_LOSTSELECTION);
        if (round % 10 == 9) {
            item.Send(LINKM_STATUS, 1);  // one-line view
            item.Painted();
            Feed(notices);
            item.Painted();  // the new notice loads its portrait
            const int afterReload = CountGdiObjects();
            EXPECT_LE(afterReload, before);
            Key(VK_LEFT);
        }
    }
    item.Painted();
    DeleteFileW(withPortrait.portraitPath.c_str());
    EXPECT_EQ(CountGdiObjects(), before);
}

// Run with LC_ALL=zh_CN.UTF-8, under which Wine reports 2052 as the system default language.
class ChinesePaint : public ItemPaint {};

TEST_F(ChinesePaint, TitlesUseTheChineseTexts) {
    ASSERT_EQ(GetSystemDefaultLangID(), 2052);
    // Real glyphs: ink appears, and two different characters do not draw the same (missing-glyph) box.
    const Capture ya = Texts({{L"\u96C5", kOneLineTitle}});
    const Capture nuo = Texts({{L"\u8BFA", kOneLineTitle}});
    EXPECT_GT(ya.Count(kOneLineTitleArea, kHostTextColor), 10);
    EXPECT_FALSE(SameInArea(ya, nuo, kOneLineTitleArea));

    Capture oneLine = item.Painted();
    EXPECT_TRUE(SameInArea(oneLine, Texts({{L"\u96C5\u8BFA", kOneLineTitle}}), kOneLineTitleArea));
    EXPECT_FALSE(SameInArea(oneLine, Texts({{L"Ardeno", kOneLineTitle}}), kOneLineTitleArea));
    EXPECT_GT(oneLine.Count(kOneLineTitleArea, kHostTextColor), 10);

    Feed(2);
    EXPECT_TRUE(SameInArea(
        item.Painted(),
        Texts({{L"\u96C5\u8BFA  (2)\u6761\u65B0\u6D88\u606F", kTitleText}, {L"[1/2] ", kTitleText, DT_RIGHT}}),
        kTitleArea));
}

// The paint at every setting at 96, 120, 128, 131 and 192 dpi, from a scene alone: no icons, a portrait of the
// background's colour (so nothing but the texts has ink), one notice. Each text line's ink, told apart by
// painting without it, must be as large as the same text's drawn unclipped.
namespace {

constexpr COLORREF kPaper = RGB(0xFF, 0xFF, 0xFF);

struct ScenePainter {
    ScenePainter() : portrait(CreateBitmap(1, 1, 1, 32, &kPaper)) {}
    ~ScenePainter() { DeleteObject(portrait); }
    Capture Paint(const ItemScene& scene, int width, int height) const {
        Surface surface(width, height, kPaper);
        PaintScene(surface.dc(), {0, 0, width, height}, Highlight(kPaper), scene);
        return surface.Pixels();
    }
    HBITMAP portrait;
    ItemIcons noIcons{nullptr};
};

using Size = std::pair<LONG, LONG>;  // width, height
Size SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

// The ink of a text drawn alone and unclipped.
Size InkSize(const std::wstring& text, int fontHeight) {
    const RECT ink = InkBounds(
        RenderTexts(1000, 200, kPaper, kHostTextColor, {{text, {0, 50, 1000, 100}, DT_NOCLIP}}, fontHeight), kPaper);
    return SizeOf(ink);
}

// Pixels that differ between two pictures of the same size.
RECT DifferenceBounds(const Capture& a, const Capture& b) {
    Capture difference = a;
    for (size_t i = 0; i < a.pixels.size(); ++i) difference.pixels[i] = a.pixels[i] == b.pixels[i] ? 0 : 1;
    return InkBounds(difference, 0);
}

}  // namespace

TEST(PaintScene, EveryTextLineIsWholeAtEverySettingAndResolution) {
    struct Language {
        bool chinese;
        std::wstring title, count, sender, text;
    } languages[] = {
        {false, L"Ardeno", L"Ardeno  (1)new messages. [1/1] ", L"[\u00C1gnes] Jqy", L"[2/3] gjpqy"},
        {true, L"\u96C5\u8BFA", L"\u96C5\u8BFA  (1)\u6761\u65B0\u6D88\u606F [1/1] ", L"[\u96C5\u8BFA]",
         L"\u4F60\u597D [2/3] gjpqy"},
    };
    const ScenePainter painter;
    const std::wstring empty;
    for (int dpi : {96, 120, 128, 131, 192}) {
        const ItemScale scale(dpi);
        std::set<int> fontHeights;
        for (DWORD setting = 500; setting <= 1200; ++setting) {
            const LineMetrics metrics = ComputeLineMetrics(setting, scale);
            if (!fontHeights.insert(metrics.fontHeight).second) continue;
            // Wide enough that no line is cut with "...": a cut text's ink can be lower than the whole text's (a
            // descender cut away), which says nothing about the line holding its font. Cut lines: every_screen_tests.
            const int font = metrics.fontHeight, width = scale(480), line = metrics.lineHeight;
            // The line holds the font's whole cell between its insets.
            EXPECT_LE(ItemFontCellHeight(font), line - 2 * metrics.textInset) << dpi << " dpi, setting " << setting;
            for (const Language& language : languages) {
                SCOPED_TRACE(std::to_string(dpi) + " dpi, setting " + std::to_string(setting) +
                             (language.chinese ? ", Chinese" : ", Latin"));
                ItemScene scene;
                scene.scale = scale;
                scene.fontSizeSetting = setting;
                scene.chineseTexts = language.chinese;
                scene.textColor = kHostTextColor;
                scene.icons = &painter.noIcons;
                scene.noticeCount = 1;
                scene.notice = NoticeShown(language.sender, language.text, {0, 0}, painter.portrait);

                scene.view = ItemView::OneLine;
                EXPECT_EQ(SizeOf(InkBounds(painter.Paint(scene, width, line), kPaper)), InkSize(language.title, font));

                scene.view = ItemView::ThreeLines;
                const Capture all = painter.Paint(scene, width, 3 * line);
                scene.notice.senderName = Shown(empty);
                const Capture noName = painter.Paint(scene, width, 3 * line);
                scene.notice.senderName = Shown(language.sender);
                scene.notice.messageText = Shown(empty);
                const RECT name = DifferenceBounds(all, noName);
                const RECT text = DifferenceBounds(all, painter.Paint(scene, width, 3 * line));
                EXPECT_EQ(SizeOf(name), InkSize(language.sender, font));
                EXPECT_EQ(SizeOf(text), InkSize(language.text, font));
                // Above the name line only the title has ink. (The name starts with a bracket, as the time does: the
                // name's ink starts at the top of the line's cell.)
                EXPECT_EQ(SizeOf(InkBounds(all, kPaper, {0, 0, width, name.top})).second,
                          InkSize(language.count, font).second);
            }
        }
    }
}

// The item's own colours stay wherever the host's colours run the usual way; against a host whose colours run
// the other way, a mark that would read below 3:1 takes the text colour. One scene: three notices, both arrows,
// the next one lit and framed, no portrait (its frame).
TEST(PaintScene, MarksKeepTheirOwnColoursUnlessTheHostsColoursRunTheOtherWayAndTheyWouldNotRead) {
    const COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF), kDarkText = RGB(0x10, 0x18, 0x28);
    struct Case {
        const char* what;
        bool selected;
        COLORREF background, text;
        COLORREF dimArrow, litArrow, frames;
    } cases[] = {
        {"the usual selection, white on blue", true, RGB(0x1F, 0x5C, 0xB8), kWhite, kOrange, kBrown, kGrey},
        {"the usual picture, even where orange reads badly on it", false, RGB(0xDC, 0xE7, 0xF8), kHostTextColor,
         kOrange, kBrown, kGrey},
        {"a light selection with dark text", true, RGB(0x8A, 0xB4, 0xF8), kDarkText, kDarkText, kBrown, kDarkText},
        {"a black picture with white text", false, RGB(0, 0, 0), kWhite, kOrange, kWhite, kGrey},
        {"a grey picture with white text", false, RGB(0x60, 0x60, 0x60), kWhite, kWhite, kWhite, kWhite},
    };
    const ItemDll dll;
    HostWindow host;
    ItemIcons icons(dll.module);
    icons.LoadIcons(96, 96);
    const std::wstring sender = L"Tom", text = L"Call me";
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        ItemScene scene;
        scene.view = ItemView::ThreeLines;
        scene.selected = k.selected;
        const ItemBackground background = {nullptr, host.hwnd(), k.selected, k.background};
        host.watermarkColor = k.background;
        scene.textColor = k.text;
        scene.icons = &icons;
        scene.noticeCount = 3;
        scene.cursor = 1;
        scene.canGoPrevious = scene.canGoNext = scene.nextArrowLit = true;
        scene.notice = NoticeShown(sender, text);
        Surface surface(kWidth, kHeight, k.background);
        PaintScene(surface.dc(), kAll, background, scene);
        const Capture c = surface.Pixels();
        EXPECT_EQ(c.Count({0, 30, 14, 46}, k.dimArrow), kArrowPixels);  // left of the portrait's frame
        EXPECT_EQ(c.Count(kNextArrowBox, k.litArrow), kArrowPixels);
        EXPECT_EQ(c.At(20, 18), k.frames) << "the missing portrait's frame";
        EXPECT_EQ(c.At(kWidth - 1, 50), k.frames) << "the lit arrow's frame";
    }
}

// In the prefixes whose screens report 192 and 131 dpi, through the real item: the default setting on a screen
// 240 pixels wide at 96 dpi, grown with it. Expectations per resolution, worked out by hand.
namespace {

struct ScaledScreen {
    int dpi;
    int width;
    int line, largeLine;  // the default setting's and 1200's
    int fontHeight;
    int frame;                           // width of the grey frames
    RECT appIcon, prevArrow, nextArrow;  // the icons' boxes, both arrows shown
    RECT titleText, nameText, textText;  // the line rectangles moved and inset, with arrows
    RECT portraitCell;
};

// clang-format off
const ScaledScreen kScaledScreens[] = {
    // Lines 27 (font 16), insets 3, icons 24 (the held size nearest 22; the application icon moved up to stay
    // above the portrait's frame, the next arrow its width and a pixel left of the edge), arrow columns 16 wide,
    // text offset 0.
    {131, 328, 27, 33, 16, 1, {3, 1, 27, 25}, {0, 40, 24, 64}, {303, 40, 327, 64},
     {41, 3, 325, 24}, {77, 29, 306, 50}, {77, 55, 306, 76}, {19, 26, 73, 80}},
    // Lines 40 (font 24), insets 4, icons 32, arrow columns 24 wide, text offset 0.
    {192, 480, 40, 48, 24, 2, {4, 4, 36, 36}, {0, 61, 32, 93}, {446, 61, 478, 93},
     {60, 4, 476, 36}, {114, 42, 448, 74}, {114, 80, 448, 112}, {28, 38, 108, 118}},
};
// clang-format on

}  // namespace

class HighDpiPaint : public ItemPaint {
protected:
    void SetUp() override {
        ItemPaint::SetUp();
        const int dpi = ScreenDeviceCaps(LOGPIXELSY);
        for (const ScaledScreen& s : kScaledScreens)
            if (s.dpi == dpi) screen = &s;
        ASSERT_NE(screen, nullptr) << "no expectations for " << dpi << " dpi";
        item.Resize(screen->width, 3 * screen->line);
    }
    RECT Item() const { return {0, 0, screen->width, 3 * screen->line}; }
    Capture Expected(const std::vector<TextAt>& texts) {
        return RenderTexts(screen->width, 3 * screen->line, kHostWatermarkColor, kHostTextColor, texts,
                           screen->fontHeight);
    }
    // Pixels of the colour in the icon as loaded at the screen's size.
    int IconPixels(HICON icon, COLORREF colour) {
        Surface surface(64, 64, kHostWatermarkColor);
        DrawIconEx(surface.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        return surface.Pixels().Count({0, 0, 64, 64}, colour);
    }
    const ScaledScreen* screen = nullptr;
};

TEST_F(HighDpiPaint, EveryTextLineIsWholeInItsScaledLine) {
    std::vector<Notice> notices = NumberedNotices(3);
    notices[0].sender = L"\u00C1gnes Jqy";
    notices[0].text = L"[2/3] gjpqy";
    notices[0].time = TimeField(9, 5);
    Feed(notices);
    const Capture c = item.Painted();
    const ScaledScreen& s = *screen;
    const std::vector<TextAt> texts = {{L"Ardeno  (3)new messages.", s.titleText, DT_NOCLIP},
                                       {L"[1/3] ", s.titleText, DT_RIGHT | DT_NOCLIP},
                                       {notices[0].sender, s.nameText, DT_NOCLIP},
                                       {L"[9:05]", s.nameText, DT_RIGHT | DT_NOCLIP},
                                       {notices[0].text, s.textText, DT_NOCLIP}};
    // Drawn where the scaled layout puts them (right of the icon and above the portrait's frame; right of
    // the portrait and left of the next arrow)...
    const Capture expected = Expected(texts);
    const int frameTop = s.portraitCell.top - s.frame;
    EXPECT_TRUE(SameInArea(c, expected, {s.appIcon.right, 0, s.width, frameTop}));
    EXPECT_TRUE(SameInArea(c, expected, {s.portraitCell.right, frameTop, s.nextArrow.left, 3 * s.line}));
    // ...and whole: drawn unclipped, each text's ink lies inside its line's box.
    for (const TextAt& t : texts) {
        const RECT ink = InkBounds(Expected({t}), kHostWatermarkColor);
        EXPECT_TRUE(Inside(ink, t.rect)) << std::string(t.text.begin(), t.text.end());
    }
}

TEST_F(HighDpiPaint, IconsAreWholeInsideTheItemAndClearOfThePortrait) {
    Feed(3);
    Key(VK_RIGHT);  // the second notice: both arrows
    ASSERT_TRUE(PumpUntil([&] { return CaptureWindow(item.item).Count(Item(), kBrown) == 0; }, 3000));
    const Capture c = item.Painted();
    const ScaledScreen& s = *screen;
    ItemIcons icons(item.dll.module);  // as the item loads them, at the screen's size
    icons.LoadIcons();
    const int prevPixels = IconPixels(icons.prevArrow.get(), kOrange),
              nextPixels = IconPixels(icons.nextArrow.get(), kOrange);
    struct {
        const char* name;
        RECT box;
        COLORREF colour;
        int pixels;
    } shown[] = {{"application icon", s.appIcon, kAppBlue, IconPixels(icons.appIcon.get(), kAppBlue)},
                 {"previous arrow", s.prevArrow, kOrange, prevPixels},
                 {"next arrow", s.nextArrow, kOrange, nextPixels}};
    for (const auto& icon : shown) {
        SCOPED_TRACE(icon.name);
        EXPECT_GT(icon.pixels, 0);
        EXPECT_TRUE(Inside(icon.box, Item()));
        EXPECT_EQ(c.Count(icon.box, icon.colour), icon.pixels);  // the whole icon, in its box
        const RECT ink = BoundsOf(c, icon.colour, icon.box);
        EXPECT_FALSE(Overlap(ink, s.portraitCell));
        EXPECT_FALSE(Overlap(ink, s.nameText));
        EXPECT_FALSE(Overlap(ink, s.textText));
    }
    EXPECT_EQ(c.Count(Item(), kOrange), prevPixels + nextPixels);  // nowhere else
    // The portrait's frame follows the scaled cell, as thick as it is scaled, and moved up as much.
    int framePixels = 0;
    for (int i = 0; i < s.frame; ++i) {
        const RECT& p = s.portraitCell;
        const RECT outline = {p.left + i, p.top - s.frame + i, p.right - i, p.bottom - s.frame - i};
        EXPECT_TRUE(GreyOutline(c, outline)) << i;
        framePixels += 2 * (outline.right - outline.left) + 2 * (outline.bottom - outline.top) - 4;
    }
    EXPECT_EQ(c.Count(Item(), kGrey), framePixels);
}

// On the 240-pixel screen that reports 131 dpi the count and the position did not fit side by side: the count is
// cut with "..." and ends where the position begins.
TEST_F(HighDpiPaint, CountIsCutToEndBeforeThePosition) {
    const ScaledScreen& s = *screen;
    constexpr int kNarrow = 240;
    item.Resize(kNarrow, 3 * s.line);
    Feed(3);
    Key(VK_RIGHT);
    ASSERT_TRUE(HighlightEnds());
    const Capture c = item.Painted();
    const int inset = s.titleText.top;
    const RECT title = {s.titleText.left, s.titleText.top, kNarrow - inset, s.titleText.bottom};
    const std::wstring count = L"Ardeno  (3)new messages.", position = L"[2/3] ";
    RECT countArea = title;
    countArea.right -= ItemTextWidth(position, s.fontHeight);
    std::vector<Capture> cuts;
    for (size_t n = 0; n < count.size(); ++n)
        cuts.push_back(Expected({{count.substr(0, n) + L"...", countArea}, {position, title, DT_RIGHT}}));
    const RECT titleArea = {s.appIcon.right, 0, kNarrow, s.portraitCell.top - s.frame};
    EXPECT_GT(MatchingPicture(c, cuts, titleArea), 5) << "the count cut, the position whole beside it";
}

TEST_F(HighDpiPaint, ReportedHeightGrowsWithTheScreen) {
    const DWORD line = screen->line;
    EXPECT_EQ(item.record.cyp, line);  // before any paint: the small line at the screen's scale
    item.Painted();
    EXPECT_EQ(item.Height(), line);
    Feed(3);
    item.Painted();
    EXPECT_EQ(item.Height(), 3 * line);
    ScopedRegistryKey key(TEST_FONT_SIZE_KEY);
    key.SetDword(L"CurFont", 1200);
    item.Painted();
    EXPECT_EQ(item.Height(), 3u * screen->largeLine);
}

// The stock font's description carries a width for its own height; a glyph drawn taller must come out wider
// in proportion, not squeezed to that width.
TEST_F(HighDpiPaint, TextKeepsItsProportions) {
    const RECT small =
        BoundsOf(RenderTexts(kWidth, 24, kHostWatermarkColor, kHostTextColor, {{L"Ardeno", {28, 0, 428, 20}}}, 12),
                 kHostTextColor);
    item.Resize(screen->width, screen->line);
    const RECT large = BoundsOf(item.Painted(), kHostTextColor);
    const int smallWidth = small.right - small.left, largeWidth = large.right - large.left;
    EXPECT_GT(largeWidth * 12 * 10, smallWidth * screen->fontHeight * 8)
        << screen->fontHeight << "-pixel title about " << largeWidth << " wide, 12-pixel title " << smallWidth;
}
