// What the item paints, read back from its window: backgrounds, both views, texts, portraits, arrows.
// The item runs from the real DLL under a host window; notices arrive as the main application sends them.
// At the default font setting and 96 dpi the font is 12 pixels high and lines are 20 (text offset 0).
#include "link/LinkProtocol.h"
#include "render/Metrics.h"
#include "settings/SystemFontSize.h"
#include "support/ItemHarness.h"
#include "support/NoticeFeed.h"
#include "support/Rects.h"
#include "support/Registry.h"
#include "support/Surface.h"
#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 240, kHeight = 60;
constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kOrange = RGB(0xFF, 0x8C, 0x00);     // arrow
constexpr COLORREF kBrown = RGB(0x5C, 0x33, 0x17);      // highlighted arrow
constexpr COLORREF kAppBlue = RGB(0x1E, 0x6F, 0xD9);    // application icon
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

RECT Widened(const RECT& r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

class ItemPaint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(item.item, nullptr);
        item.Resize(kWidth, kHeight);
        mainApplication.answers[LINKM_PING] = 1;  // alive, for the host's refresh queries
    }
    // A paint through the window procedure, as the host's window manager asks for one.
    Capture Painted() {
        InvalidateRect(item.item, nullptr, FALSE);
        return CaptureWindow(item.item);
    }
    void Feed(const std::vector<Notice>& notices) { FeedNotices(item.item, mainApplication.hwnd(), notices); }
    void Feed(int n) { Feed(NumberedNotices(n)); }
    void Select() { item.Send(WM_TODAYCUSTOM_RECEIVEDSELECTION); }
    void Key(UINT virtualKey) { item.Send(WM_TODAYCUSTOM_USERNAVIGATION, virtualKey); }
    // The highlight timer's repaint has come: no arrow is lit any more.
    bool HighlightEnds() {
        return PumpUntil([&] { return CaptureWindow(item.item).Count(kAll, kBrown) == 0; }, 3000);
    }

    AbsentRegistryKey fontSize{TEST_FONT_SIZE_KEY};  // the default setting
    RecordingWindow mainApplication{L"TestMainApplication", L"Ardeno"};
    LoadedItem item;
};

Capture Texts(COLORREF background, COLORREF colour, const std::vector<TextAt>& texts, int fontHeight = 12) {
    return RenderTexts(kWidth, kHeight, background, colour, texts, fontHeight);
}

// Every pixel of a one-pixel outline is grey.
::testing::AssertionResult GreyOutline(const Capture& c, const RECT& outline) {
    const int right = outline.right - 1, bottom = outline.bottom - 1;
    int missing = c.Count({outline.left, outline.top, outline.right, outline.top + 1}, kGrey) - (right - outline.left + 1);
    missing += c.Count({outline.left, bottom, outline.right, bottom + 1}, kGrey) - (right - outline.left + 1);
    missing += c.Count({outline.left, outline.top, outline.left + 1, outline.bottom}, kGrey) - (bottom - outline.top + 1);
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
        Capture oneLine = Painted();
        EXPECT_EQ(CountOther(oneLine, kLowerLines, k.background), 0);
        EXPECT_TRUE(SameInArea(oneLine, Texts(k.background, k.text, {{L"Ardeno", kOneLineTitle}}), kOneLineTitleArea));

        Feed(1);
        Capture threeLines = Painted();
        EXPECT_TRUE(SameInArea(threeLines,
                               Texts(k.background, k.text,
                                     {{L"Ardeno  (1)new messages.", kTitleText}, {L"[1/1] ", kTitleText, DT_RIGHT}}),
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
    const Capture title = Texts(kHostWatermarkColor, kHostTextColor, {{L"Ardeno", kOneLineTitle}});
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        k.arrange();
        Capture c = Painted();
        EXPECT_TRUE(SameInArea(c, title, kOneLineTitleArea));
        EXPECT_EQ(CountOther(c, kLowerLines, kHostWatermarkColor), 0);
        EXPECT_GT(c.Count(kAppIconCell, kAppBlue), 0);
    }
}

TEST_F(ItemPaint, OneNoticeShowsItsTextsWithoutArrows) {
    Notice notice;
    notice.sender = L"Alice";
    notice.text = L"See you at nine";
    notice.time = TimeField(9, 5);
    Feed({notice});
    Capture c = Painted();
    EXPECT_TRUE(SameInArea(c,
                           Texts(kHostWatermarkColor, kHostTextColor,
                                 {{L"Ardeno  (1)new messages.", kTitleText}, {L"[1/1] ", kTitleText, DT_RIGHT},
                                  {L"Alice", kOneNotice.name}, {L"[9:05]", kOneNotice.name, DT_RIGHT},
                                  {L"See you at nine", kOneNotice.text}}),
                           {42, 0, kWidth, kHeight}));
    EXPECT_EQ(c.Count(kAll, kOrange) + c.Count(kAll, kBrown), 0);
    EXPECT_GT(c.Count(kAppIconCell, kAppBlue), 0);
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
        EXPECT_TRUE(SameInArea(Painted(),
                               Texts(kHostWatermarkColor, kHostTextColor,
                                     {{L"Bob", kOneNotice.name}, {k.shown, kOneNotice.name, DT_RIGHT}}),
                               kOneNotice.name));
    }
}

TEST_F(ItemPaint, AmpersandsInNameAndTextShowAsTyped) {
    Notice notice;
    notice.sender = L"R&D";
    notice.text = L"Tom & Jerry &more";
    notice.time = TimeField(9, 5);
    Feed({notice});
    Capture c = Painted();
    EXPECT_TRUE(SameInArea(c,
                           Texts(kHostWatermarkColor, kHostTextColor,
                                 {{L"R&D", kOneNotice.name, DT_NOPREFIX}, {L"[9:05]", kOneNotice.name, DT_RIGHT},
                                  {L"Tom & Jerry &more", kOneNotice.text, DT_NOPREFIX}}),
                           {42, 19, kWidth, kHeight}));
    // The prefix reading would underline instead: the two are told apart here.
    EXPECT_FALSE(SameInArea(c, Texts(kHostWatermarkColor, kHostTextColor, {{L"R&D", kOneNotice.name}}),
                            {45, 21, 80, 37}));
}

TEST_F(ItemPaint, LongNameIsCutBeforeTheTime) {
    Notice notice;
    notice.sender = L"Maximilian Alexander Bartholomew Featherstonehaugh";
    notice.time = TimeField(12, 34);
    Feed({notice});
    Capture c = Painted();
    // The name area ends where the right-aligned time begins.
    const RECT nameArea = {kOneNotice.name.left, kOneNotice.name.top,
                           kOneNotice.name.right - ItemTextWidth(L"[12:34]"), kOneNotice.name.bottom};
    std::vector<Capture> cuts;
    for (size_t n = 0; n < notice.sender.size(); ++n)
        cuts.push_back(Texts(kHostWatermarkColor, kHostTextColor,
                             {{notice.sender.substr(0, n) + L"...", nameArea}, {L"[12:34]", kOneNotice.name, DT_RIGHT}}));
    const int shown = MatchingPicture(c, cuts, kOneNotice.name);
    EXPECT_GT(shown, 10) << "drawn as a prefix of that many characters and \"...\"";
}

TEST_F(ItemPaint, MissingPortraitIsAGreyFrameOnePixelAboveTheCell) {
    Feed(1);  // no portrait path: the load fails
    Capture c = Painted();
    // Portrait cell (2, 19, 42, 59): the outline runs over rows 18 to 57 and columns 2 to 41.
    EXPECT_TRUE(GreyOutline(c, {2, 18, 42, 58}));
    EXPECT_EQ(c.Count({2, 58, 42, 59}, kGrey), 0);
    EXPECT_EQ(CountOther(c, {3, 19, 41, 57}, kHostWatermarkColor), 0);
    EXPECT_EQ(c.Count(kAll, kGrey), 2 * 40 + 2 * 38);
}

TEST_F(ItemPaint, PortraitIsCentredInItsCellUnscaled) {
    struct Case {
        int width, height;
        RECT drawn;
    } cases[] = {
        {21, 11, {11, 33, 32, 44}},  // (2 + 19 / 2, 19 + 29 / 2)
        {40, 40, {2, 19, 42, 59}},
        {60, 50, {0, 14, 52, 60}},  // larger than the cell: overflows on both sides, cut only by the window
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.width) + " x " + std::to_string(k.height));
        Notice notice;
        notice.sender = notice.text = L"";  // nothing drawn over the picture
        notice.portraitPath = TemporaryFile(L"portrait.bmp");
        WriteSolidBitmapFile(notice.portraitPath, k.width, k.height, kPortrait);
        Feed({notice});
        Capture c = Painted();
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
        {0, false, true, L"[1/3] "},
        {VK_RIGHT, true, true, L"[2/3] "},
        {VK_RIGHT, true, false, L"[3/3] "},
        {VK_RIGHT, true, false, L"[3/3] "},  // stops at the end
        {VK_LEFT, true, true, L"[2/3] "},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.position, s.position + 6));
        if (s.key) {
            Key(s.key);
            ASSERT_TRUE(HighlightEnds());
        }
        Capture c = Painted();
        EXPECT_EQ(c.Count(kPrevArrowBox, kOrange), s.previous ? kArrowPixels : 0);
        EXPECT_EQ(c.Count(kNextArrowBox, kOrange), s.next ? kArrowPixels : 0);
        EXPECT_EQ(c.Count(kAll, kOrange), kArrowPixels * (s.previous + s.next));  // nowhere else
        EXPECT_TRUE(SameInArea(c,
                               Texts(kHostWatermarkColor, kHostTextColor,
                                     {{L"Ardeno  (3)new messages.", kTitleText}, {s.position, kTitleText, DT_RIGHT}}),
                               kTitleArea));
    }
    // The triangles sit in their boxes as drawn at (L, 30) and (R - 17, 30), and point outwards: each
    // tip is a single pixel on the outer side of its box.
    Capture c = Painted();
    EXPECT_EQ(BoundsOf(c, kOrange), (RECT{4, 31, 235, 46}));
    EXPECT_EQ(c.Count({0, 38, 16, 39}, kOrange), 8);
    EXPECT_EQ(c.At(4, 38), kOrange);
    EXPECT_NE(c.At(4, 37), kOrange);
    EXPECT_EQ(c.At(234, 38), kOrange);
    EXPECT_NE(c.At(234, 37), kOrange);
    // Three notices leave room for arrows on both sides of the texts.
    EXPECT_TRUE(SameInArea(c, Texts(kHostWatermarkColor, kHostTextColor, {{L"Sender 2", kSeveralNotices.name}}),
                           {57, 21, 150, 37}));
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
        Capture dim = Painted();
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
    Painted();  // the portrait is loaded once and kept with its notice
    const int before = CountGdiObjects();
    for (int round = 0; round < 40; ++round) {
        Painted();
        Key(VK_RIGHT);  // lit arrow, frame
        CaptureWindow(item.item);
        if (round % 8 == 0) Select();
        if (round % 8 == 4) item.Send(WM_TODAYCUSTOM_LOSTSELECTION);
        if (round % 10 == 9) {
            item.Send(LINKM_STATUS, 1);  // one-line view
            Painted();
            Feed(notices);
            Painted();  // the new notice loads its portrait
            const int afterReload = CountGdiObjects();
            EXPECT_LE(afterReload, before);
            Key(VK_LEFT);
        }
    }
    Painted();
    DeleteFileW(withPortrait.portraitPath.c_str());
    EXPECT_EQ(CountGdiObjects(), before);
}

// Run with LC_ALL=zh_CN.UTF-8, under which Wine reports 2052 as the system default language.
class ChinesePaint : public ItemPaint {};

TEST_F(ChinesePaint, TitlesUseTheChineseTexts) {
    ASSERT_EQ(GetSystemDefaultLangID(), 2052);
    // Real glyphs: ink appears, and two different characters do not draw the same (missing-glyph) box.
    const Capture ya = Texts(kHostWatermarkColor, kHostTextColor, {{L"\u96C5", kOneLineTitle}});
    const Capture nuo = Texts(kHostWatermarkColor, kHostTextColor, {{L"\u8BFA", kOneLineTitle}});
    EXPECT_GT(ya.Count(kOneLineTitleArea, kHostTextColor), 10);
    EXPECT_FALSE(SameInArea(ya, nuo, kOneLineTitleArea));

    Capture oneLine = Painted();
    EXPECT_TRUE(SameInArea(oneLine, Texts(kHostWatermarkColor, kHostTextColor, {{L"\u96C5\u8BFA", kOneLineTitle}}),
                           kOneLineTitleArea));
    EXPECT_FALSE(SameInArea(oneLine, Texts(kHostWatermarkColor, kHostTextColor, {{L"Ardeno", kOneLineTitle}}),
                            kOneLineTitleArea));
    EXPECT_GT(oneLine.Count(kOneLineTitleArea, kHostTextColor), 10);

    Feed(2);
    EXPECT_TRUE(SameInArea(Painted(),
                           Texts(kHostWatermarkColor, kHostTextColor,
                                 {{L"\u96C5\u8BFA  (2)\u6761\u65B0\u6D88\u606F", kTitleText},
                                  {L"[1/2] ", kTitleText, DT_RIGHT}}),
                           kTitleArea));
}

// Run in the prefix whose screen reports 192 dpi: the default setting gives a 24-pixel font on 24-pixel
// lines, so the texts move up by (24 - 24 - 8) / 2 = -4 pixels; icons are 32 pixels square.
class HighDpiPaint : public ItemPaint {
protected:
    static constexpr int kTallHeight = 72;
    void SetUp() override {
        ItemPaint::SetUp();
        ASSERT_EQ(ScreenDeviceCaps(LOGPIXELSY), 192);
        item.Resize(kWidth, kTallHeight);
    }
    Capture Expected(const std::vector<TextAt>& texts) {
        return RenderTexts(kWidth, kTallHeight, kHostWatermarkColor, kHostTextColor, texts, 24);
    }
    DWORD QueriedHeight() {
        item.Send(WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&item.record));
        return item.record.cyp;
    }
};

TEST_F(HighDpiPaint, OneLineViewWithLargeIconAndRaisedTitle) {
    Capture c = Painted();
    // y = (24 - 24 - 6) / 2 = -3; the 32-pixel icon reaches into columns 28-31, so compare right of it.
    EXPECT_TRUE(SameInArea(c, Expected({{L"Ardeno", {28, -3, 428, 17}}}), {34, 0, kWidth, 24}));
    EXPECT_EQ(BoundsOf(c, kAppBlue), (RECT{4, 4, 32, 32}));
    EXPECT_EQ(QueriedHeight(), 24u);
}

TEST_F(HighDpiPaint, ThreeLineTextsMoveUpByFourPixels) {
    Notice notice;
    notice.sender = L"Bob";
    notice.text = L"Hello";
    notice.time = TimeField(9, 5);
    Feed({notice});
    Capture c = Painted();
    // Layout for 24-pixel lines and one notice: title (28, 0, 240, 24), name (51, 23, 238, 47), text
    // (51, 46, 238, 70); each moved up by 4 and inset by 2.
    const Capture expected = Expected({{L"Ardeno  (1)new messages.", {30, -2, 238, 18}},
                                       {L"[1/1] ", {30, -2, 238, 18}, DT_RIGHT},
                                       {L"Bob", {53, 21, 236, 41}},
                                       {L"[9:05]", {53, 21, 236, 41}, DT_RIGHT},
                                       {L"Hello", {53, 44, 236, 64}}});
    EXPECT_TRUE(SameInArea(c, expected, {34, 0, kWidth, 22}));
    EXPECT_TRUE(SameInArea(c, expected, {50, 22, kWidth, kTallHeight}));
    // The portrait frame stays with the cell (2, 23, 50, 71), one pixel higher.
    EXPECT_TRUE(GreyOutline(c, {2, 22, 50, 70}));
    EXPECT_EQ(QueriedHeight(), 72u);
}

// The stock font's description carries a width for its own height; a glyph twice as tall must come out
// about twice as wide, not squeezed to that width.
TEST_F(HighDpiPaint, TextKeepsItsProportions) {
    const RECT small = BoundsOf(RenderTexts(kWidth, 24, kHostWatermarkColor, kHostTextColor,
                                            {{L"Ardeno", {28, 0, 428, 20}}}, 12),
                                kHostTextColor);
    const RECT large = BoundsOf(Painted(), kHostTextColor);
    EXPECT_GT((large.right - large.left) * 10, (small.right - small.left) * 16)
        << "24-pixel title " << large.right - large.left << " wide, 12-pixel title " << small.right - small.left;
}
