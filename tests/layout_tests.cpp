// The item's twelve rectangles for a client rectangle, a line height and a notice count.
#include "render/ItemLayout.h"
#include "support/Rects.h"
#include <gtest/gtest.h>

namespace {

struct Expected {
    RECT itemRect, firstLine, iconCell, titleLine, lowerBand;
    RECT prevArrowColumn, nextArrowColumn, prevArrowHitArea, nextArrowHitArea;
    RECT portraitCell, nameLine, textLine;
};

void ExpectLayout(const ItemLayout& layout, const Expected& e) {
    EXPECT_EQ(layout.itemRect, e.itemRect);
    EXPECT_EQ(layout.firstLine, e.firstLine);
    EXPECT_EQ(layout.iconCell, e.iconCell);
    EXPECT_EQ(layout.titleLine, e.titleLine);
    EXPECT_EQ(layout.lowerBand, e.lowerBand);
    EXPECT_EQ(layout.prevArrowColumn, e.prevArrowColumn);
    EXPECT_EQ(layout.nextArrowColumn, e.nextArrowColumn);
    EXPECT_EQ(layout.prevArrowHitArea, e.prevArrowHitArea);
    EXPECT_EQ(layout.nextArrowHitArea, e.nextArrowHitArea);
    EXPECT_EQ(layout.portraitCell, e.portraitCell);
    EXPECT_EQ(layout.nameLine, e.nameLine);
    EXPECT_EQ(layout.textLine, e.textLine);
}

const RECT kClient = {0, 0, 240, 60};
const RECT kMarker = {-7, -7, -7, -7};  // a value no computation produces

ItemLayout Marked() {
    ItemLayout layout;
    for (RECT* r : {&layout.itemRect, &layout.firstLine, &layout.lowerBand, &layout.iconCell, &layout.titleLine,
                    &layout.portraitCell, &layout.nameLine, &layout.textLine, &layout.nextArrowColumn,
                    &layout.prevArrowColumn, &layout.nextArrowHitArea, &layout.prevArrowHitArea})
        *r = kMarker;
    return layout;
}

}  // namespace

// Each rectangle for a client, a notice count and a line height, from a layout whose rectangles all held a
// marker before: a rectangle left alone keeps it.
TEST(ItemLayout, EveryRectangleForClientCountAndLineHeight) {
    const Expected oneNotice = {{0, 0, 240, 60},  {0, 0, 240, 20}, {0, 0, 28, 20},     {28, 0, 240, 20},
                                {0, 19, 240, 59}, {0, 19, 0, 59},  {240, 19, 240, 59}, kMarker,
                                kMarker,          {2, 19, 42, 59}, {43, 19, 238, 39},  {43, 38, 238, 58}};
    const Expected twoOrMore = {{0, 0, 240, 60},    {0, 0, 240, 20},  {0, 0, 28, 20},     {28, 0, 240, 20},
                                {0, 19, 240, 59},   {0, 19, 12, 59},  {228, 19, 240, 59}, {0, 19, 40, 59},
                                {200, 19, 240, 59}, {14, 19, 54, 59}, {55, 19, 226, 39},  {55, 38, 226, 58}};
    const Expected lines24 = {{0, 0, 240, 72},    {0, 0, 240, 24},  {0, 0, 28, 24},     {28, 0, 240, 24},
                              {0, 23, 240, 71},   {0, 23, 12, 71},  {228, 23, 240, 71}, {0, 23, 40, 71},
                              {200, 23, 240, 71}, {14, 23, 62, 71}, {63, 23, 226, 47},  {63, 46, 226, 70}};
    const Expected shifted = {{3, 7, 203, 67},    {3, 7, 203, 27},  {3, 7, 31, 27},     {31, 7, 203, 27},
                              {3, 26, 203, 66},   {3, 26, 15, 66},  {191, 26, 203, 66}, {3, 26, 43, 66},
                              {163, 26, 203, 66}, {17, 26, 57, 66}, {58, 26, 189, 46},  {58, 45, 189, 65}};
    const struct {
        const char* name;
        RECT client;
        int notices, lineHeight;
        Expected expected;
    } cases[] = {
        {"one notice: no arrow columns, the hit areas untouched", kClient, 1, 20, oneNotice},
        {"two notices make room for the arrows", kClient, 2, 20, twoOrMore},
        {"three notices", kClient, 3, 20, twoOrMore},
        {"1000 notices", kClient, 1000, 20, twoOrMore},
        {"24-pixel lines", {0, 0, 240, 72}, 2, 24, lines24},
        {"the client's origin is followed, not zero", {3, 7, 203, 67}, 2, 20, shifted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ItemLayout layout = Marked();
        layout.ComputeLayout(c.client, c.notices, c.lineHeight);
        ExpectLayout(layout, c.expected);
    }
}

// Falling back to one notice leaves the hit areas of the last layout with arrows.
TEST(ItemLayout, OneNoticeAfterSeveralKeepsTheHitAreas) {
    const struct {
        int line;
        RECT prevHit, nextHit, portrait, name, text;
    } cases[] = {
        {20, {0, 19, 40, 59}, {200, 19, 240, 59}, {2, 19, 42, 59}, {43, 19, 238, 39}, {43, 38, 238, 58}},
        {24, {0, 23, 40, 71}, {200, 23, 240, 71}, {2, 23, 50, 71}, {51, 23, 238, 47}, {51, 46, 238, 70}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ItemLayout layout;
        layout.ComputeLayout({0, 0, 240, 3 * c.line}, 2, c.line);
        layout.ComputeLayout({0, 0, 240, 3 * c.line}, 1, c.line);
        EXPECT_EQ(layout.prevArrowHitArea, c.prevHit);
        EXPECT_EQ(layout.nextArrowHitArea, c.nextHit);
        EXPECT_EQ(layout.portraitCell, c.portrait);
        EXPECT_EQ(layout.nameLine, c.name);
        EXPECT_EQ(layout.textLine, c.text);
    }
}

TEST(ItemLayout, NoNoticesChangeOnlyTheFirstFiveRectangles) {
    ItemLayout layout;
    layout.ComputeLayout(kClient, 3, 20);
    const ItemLayout before = layout;
    layout.ComputeLayout({5, 4, 205, 28}, 0, 24);
    EXPECT_EQ(layout.itemRect, (RECT{5, 4, 205, 28}));
    EXPECT_EQ(layout.firstLine, (RECT{5, 4, 205, 28}));
    EXPECT_EQ(layout.iconCell, (RECT{5, 4, 33, 28}));
    EXPECT_EQ(layout.titleLine, (RECT{33, 4, 205, 28}));
    EXPECT_EQ(layout.lowerBand, (RECT{5, 27, 205, 75}));
    EXPECT_EQ(layout.portraitCell, before.portraitCell);
    EXPECT_EQ(layout.nameLine, before.nameLine);
    EXPECT_EQ(layout.textLine, before.textLine);
    EXPECT_EQ(layout.prevArrowColumn, before.prevArrowColumn);
    EXPECT_EQ(layout.nextArrowColumn, before.nextArrowColumn);
    EXPECT_EQ(layout.prevArrowHitArea, before.prevArrowHitArea);
    EXPECT_EQ(layout.nextArrowHitArea, before.nextArrowHitArea);
}
