#include <gtest/gtest.h>
#include "ItemStack.h"

namespace {

void ExpectRect(const RECT& rect, int left, int top, int right, int bottom) {
    EXPECT_EQ(left, rect.left);
    EXPECT_EQ(top, rect.top);
    EXPECT_EQ(right, rect.right);
    EXPECT_EQ(bottom, rect.bottom);
}

TEST(ItemStack, StacksItemsBelowTheHeaderEachAsHighAsItsCypAcrossTheWidth) {
    StackLayout layout = StackItems({20, 60, 24}, 20, 240, 22, 0);
    ExpectRect(layout.header, 0, 20, 240, 42);
    ASSERT_EQ(3u, layout.items.size());
    ExpectRect(layout.items[0], 0, 42, 240, 62);
    ExpectRect(layout.items[1], 0, 62, 240, 122);
    ExpectRect(layout.items[2], 0, 122, 240, 146);
    EXPECT_EQ(22 + 20 + 60 + 24, layout.contentHeight);
}

TEST(ItemStack, AnItemOfHeightZeroTakesNoRoomAndGetsAnEmptyRect) {
    StackLayout layout = StackItems({20, 0, 30}, 0, 480, 44, 0);
    ExpectRect(layout.items[1], 0, 0, 0, 0);
    EXPECT_EQ(layout.items[0].bottom, layout.items[2].top);
    EXPECT_EQ(44 + 20 + 30, layout.contentHeight);
}

TEST(ItemStack, ScrollingMovesHeaderAndItemsUpButNotTheContentHeight) {
    StackLayout layout = StackItems({100, 100}, 20, 240, 22, 50);
    EXPECT_EQ(20 - 50, layout.header.top);
    EXPECT_EQ(20 - 50 + 22, layout.items[0].top);
    EXPECT_EQ(222, layout.contentHeight);
}

TEST(ItemStack, ScrollToShowMovesOnlyAsFarAsNeeded) {
    // Rows 250..290 in a 100-row viewport scrolled to 0: scroll so that the bottom is just visible.
    EXPECT_EQ(190, ScrollToShow(0, 250, 290, 100));
    // Already visible: unchanged.
    EXPECT_EQ(190, ScrollToShow(190, 200, 290, 100));
    // Above the viewport: scroll up to its top.
    EXPECT_EQ(40, ScrollToShow(190, 40, 60, 100));
    // Taller than the viewport: its top wins.
    EXPECT_EQ(300, ScrollToShow(0, 300, 500, 100));
}

TEST(ItemStack, MaxScrollOffsetIsZeroWhenEverythingFits) {
    EXPECT_EQ(0, MaxScrollOffset(200, 300));
    EXPECT_EQ(50, MaxScrollOffset(350, 300));
}

}  // namespace
