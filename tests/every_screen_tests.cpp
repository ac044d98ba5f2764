// The item on every screen a handheld has, painted in-process from a scene: each width and resolution, both
// languages, each view, and the smallest, default and largest font settings. From the boxes the paint reports,
// nothing it drew overlaps anything else it drew, everything lies inside the item, and every text is whole.
// Also the portrait's size in its cell, and its stretched copy made once.
#include "render/PaintItem.h"
#include "support/ScenePaint.h"
#include "support/ItemHarness.h"
#include "support/Rects.h"
#include "support/Surface.h"
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kPaper = RGB(0xFF, 0xFF, 0xFF);

// The item is as wide as the screen; only the width and the resolution reach it.
const struct Screen {
    const char* name;
    int width, dpi;
} kScreens[] = {
    {"240x320 or 240x240", 240, 96}, {"320x240", 320, 96},   {"480x640, 480x480 or 480x800", 480, 192},
    {"640x480", 640, 192},           {"800x480", 800, 192},  {"240 wide", 240, 120},
    {"320 wide", 320, 120},          {"240 wide", 240, 128}, {"320 wide", 320, 128},
    {"240 wide", 240, 131},          {"320 wide", 320, 131}, {"240 wide", 240, 144},
    {"320 wide", 320, 144},
};

const struct Language {
    bool chinese;
    std::wstring sender, text;
} kLanguages[] = {
    {false, L"Maximilian Alexander Featherstonehaugh", L"Are we still on for dinner tomorrow at the usual place?"},
    {true, L"\u6B27\u9633\u8BF8\u845B\u660E\u6708",
     L"\u660E\u5929\u665A\u4E0A\u8FD8\u5728\u8001\u5730\u65B9\u5403\u996D\u5417\uFF1F\u6211\u4E03\u70B9\u5230"},
};

enum class View { OneLine, ThreeLines, ArrowsLit };
const View kViews[] = {View::OneLine, View::ThreeLines, View::ArrowsLit};
const DWORD kFontSettings[] = {500, 900, 1200};

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

GdiObject<HBITMAP> SolidBitmap(int width, int height, COLORREF colour) {
    Surface surface(1, 1, colour);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(surface.dc(), width, height));
    MemoryDC dc(surface.dc());
    SelectedObject selected(dc.get(), bitmap.get());
    RECT all = {0, 0, width, height};
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc.get(), &all, brush.get());
    return bitmap;
}

// The item's icons as it loads them at one resolution, with where each shows inside its picture: the arrows'
// pictures are wider than their triangles, and only what shows may not cover the texts.
struct LoadedIcons {
    explicit LoadedIcons(HMODULE module, int dpi) : icons(module) {
        icons.LoadIcons(dpi, dpi);
        for (const ItemIcon* icon : {&icons.appIcon, &icons.prevArrow, &icons.nextArrow}) {
            Surface surface(icon->size.cx, icon->size.cy, kPaper);
            DrawIconEx(surface.dc(), 0, 0, icon->get(), 0, 0, 0, nullptr, DI_NORMAL);
            shows[icon] = InkBounds(surface.Pixels(), kPaper);
        }
    }
    RECT Showing(const ItemIcon& icon, const RECT& placed) const {
        if (Empty(placed)) return placed;
        const RECT& ink = shows.at(&icon);
        return {placed.left + ink.left, placed.top + ink.top, placed.left + ink.right, placed.top + ink.bottom};
    }
    ItemIcons icons;
    std::map<const ItemIcon*, RECT> shows;
};

struct Row {
    const Screen& screen;
    const Language& language;
    View view;
    DWORD fontSetting;
};

std::vector<Row> Table() {
    std::vector<Row> rows;
    for (const Screen& screen : kScreens)
        for (const Language& language : kLanguages)
            for (View view : kViews)
                for (DWORD setting : kFontSettings) rows.push_back({screen, language, view, setting});
    return rows;
}

std::string Describe(const Row& row) {
    const char* views[] = {"one line", "three lines", "arrows lit"};
    return std::string(row.screen.name) + " at " + std::to_string(row.screen.dpi) + " dpi, " +
           (row.language.chinese ? "Chinese, " : "Latin, ") + views[static_cast<int>(row.view)] + ", font setting " +
           std::to_string(row.fontSetting);
}

struct Box {
    const char* name;
    RECT rect;
};

void ExpectWellPlaced(const DrawnBoxes& drawn, const RECT& item, const LoadedIcons& loaded) {
    for (const DrawnText* text : {&drawn.title, &drawn.count, &drawn.position, &drawn.name, &drawn.time, &drawn.text})
        EXPECT_TRUE(Empty(text->box) || Inside(text->box, text->room)) << "a text is cut";
    for (const RECT* icon : {&drawn.appIcon, &drawn.prevArrow, &drawn.nextArrow})
        EXPECT_TRUE(Empty(*icon) || Inside(*icon, item)) << "an icon's picture is cut at the item's edge";
    const ItemIcons& icons = loaded.icons;
    const Box boxes[] = {{"application icon", loaded.Showing(icons.appIcon, drawn.appIcon)},
                         {"previous arrow", loaded.Showing(icons.prevArrow, drawn.prevArrow)},
                         {"next arrow", loaded.Showing(icons.nextArrow, drawn.nextArrow)},
                         {"portrait", drawn.portrait},
                         {"title", drawn.title.box},
                         {"count", drawn.count.box},
                         {"position", drawn.position.box},
                         {"name", drawn.name.box},
                         {"time", drawn.time.box},
                         {"text", drawn.text.box}};
    for (const Box& a : boxes) {
        if (Empty(a.rect)) continue;
        EXPECT_TRUE(Inside(a.rect, item)) << a.name << " leaves the item";
        for (const Box* b = &a + 1; b != std::end(boxes); ++b)
            EXPECT_FALSE(Overlap(a.rect, b->rect)) << a.name << " and " << b->name;
    }
}

}  // namespace

TEST(EveryScreen, NothingOverlapsNothingSpillsEveryTextIsWhole) {
    ItemDll dll;
    ASSERT_NE(dll.module, nullptr);
    const GdiObject<HBITMAP> portrait = SolidBitmap(96, 96, RGB(0xE0, 0x10, 0xC0));  // larger than every cell
    SYSTEMTIME late = {2024, 5, 0, 17, 23, 59, 0, 0};
    FILETIME time = {};
    SystemTimeToFileTime(&late, &time);
    std::map<int, std::unique_ptr<LoadedIcons>> iconsAt;
    const std::vector<Row> table = Table();
    EXPECT_EQ(table.size(), 234u);
    for (const Row& row : table) {
        SCOPED_TRACE(Describe(row));
        auto& loaded = iconsAt[row.screen.dpi];
        if (!loaded) loaded = std::make_unique<LoadedIcons>(dll.module, row.screen.dpi);
        const bool threeLines = row.view != View::OneLine;
        ItemScene scene;
        scene.view = threeLines ? ItemView::ThreeLines : ItemView::OneLine;
        scene.chineseTexts = row.language.chinese;
        scene.fontSizeSetting = row.fontSetting;
        scene.scale = ItemScale(row.screen.dpi);
        scene.icons = &loaded->icons;
        // One notice: no arrows, the portrait at the item's left edge. Many: "[64/128] " beside the count.
        const bool arrows = row.view == View::ArrowsLit;
        scene.noticeCount = arrows ? 128 : threeLines ? 1 : 0;
        scene.cursor = arrows ? 63 : 0;
        scene.canGoPrevious = scene.canGoNext = scene.prevArrowLit = scene.nextArrowLit = arrows;
        scene.notice = NoticeShown(row.language.sender, row.language.text, time,
                                   row.view == View::ThreeLines ? portrait.get() : nullptr);

        const int height = (threeLines ? 3 : 1) * ComputeLineMetrics(row.fontSetting, scene.scale).lineHeight;
        const RECT item = {0, 0, row.screen.width, height};
        Surface surface(row.screen.width, height, kPaper);
        const DrawnBoxes drawn = PaintScene(surface.dc(), item, Highlight(kPaper), scene).drawn;
        ExpectWellPlaced(drawn, item, *loaded);
        // What each view draws was drawn.
        EXPECT_EQ(Empty(drawn.count.box), !threeLines);
        EXPECT_EQ(Empty(drawn.nextArrow), !arrows);
        EXPECT_FALSE(Empty(threeLines ? drawn.portrait : drawn.title.box));
    }
}

TEST(PortraitFit, ShownAtItsOwnSizeGrownWithTheScreenAndNeverLargerThanTheCell) {
    const struct {
        SIZE picture, cell;
        int dpi;
        SIZE shown;
    } cases[] = {
        {{21, 11}, {40, 40}, 96, {21, 11}},   // fits: as it is
        {{40, 40}, {40, 40}, 96, {40, 40}},   //
        {{96, 96}, {40, 40}, 96, {40, 40}},   // shrunk to the cell
        {{60, 50}, {40, 40}, 96, {40, 33}},   // keeping its proportions, rounded
        {{50, 60}, {40, 40}, 96, {33, 40}},   //
        {{1000, 1}, {40, 40}, 96, {40, 1}},   // never thinner than a pixel
        {{40, 40}, {80, 80}, 192, {80, 80}},  // grown as the cell is
        {{21, 11}, {80, 80}, 192, {42, 22}},  //
        {{3000, 2000}, {80, 80}, 192, {80, 53}}, {{40, 40}, {54, 54}, 131, {54, 54}},  // grown to 55, then fitted
        {{0, 0}, {40, 40}, 96, {0, 0}},                                                // nothing to show
    };
    for (const auto& c : cases) {
        const SIZE shown = PortraitShownSize(c.picture, c.cell, ItemScale(c.dpi));
        EXPECT_EQ(shown.cx, c.shown.cx) << c.picture.cx << " x " << c.picture.cy << " at " << c.dpi;
        EXPECT_EQ(shown.cy, c.shown.cy) << c.picture.cx << " x " << c.picture.cy << " at " << c.dpi;
    }
}

// The stretch is made at the first paint and drawn from at the next ones, until the cell's size changes; copies
// are kept for at most eight portraits, and only for portraits still in use.
TEST(PortraitFit, StretchedOnceForEachCellSizeAndKeptOnlyWhileItsPortraitIs) {
    Surface surface(100, 100, kPaper);
    const GdiObject<HBITMAP> picture = SolidBitmap(96, 96, RGB(0, 0x80, 0));
    FittedPortraits fitted;
    const ItemScale scale(96);
    bool drawn = false;
    EXPECT_EQ(fitted.Draw(surface.dc(), 1, picture.get(), {0, 0, 40, 40}, scale, &drawn), (RECT{0, 0, 40, 40}));
    EXPECT_TRUE(drawn);
    ASSERT_EQ(fitted.Count(), 1u);
    const int objects = CountGdiObjects();
    fitted.Draw(surface.dc(), 1, picture.get(), {10, 10, 50, 50}, scale, &drawn);
    EXPECT_EQ(CountGdiObjects(), objects) << "drawn from the copy made before";

    EXPECT_EQ(fitted.Draw(surface.dc(), 1, picture.get(), {0, 0, 48, 48}, scale, &drawn), (RECT{0, 0, 48, 48}));
    EXPECT_EQ(fitted.Count(), 1u);
    EXPECT_EQ(CountGdiObjects(), objects);  // the copy for 40 x 40 is gone

    fitted.Draw(surface.dc(), 1, picture.get(), {0, 0, 96, 96}, scale, &drawn);  // fits: no copy is kept
    EXPECT_EQ(fitted.Count(), 0u);
    EXPECT_EQ(surface.Pixels().Count({0, 0, 100, 100}, RGB(0, 0x80, 0)), 96 * 96);

    for (unsigned arrival = 1; arrival <= 10; ++arrival)
        fitted.Draw(surface.dc(), arrival, picture.get(), {0, 0, 40, 40}, scale, &drawn);
    EXPECT_EQ(fitted.Count(), FITTED_PORTRAITS_MAX);
    const PortraitInUse inUse[] = {{10, picture.get()}, {9, nullptr}, {2, picture.get()}};
    fitted.KeepOnly(inUse, 3);
    EXPECT_EQ(fitted.Count(), 1u) << "notice 9's portrait was let go, notice 2's copy went earlier";
}
