#include <gtest/gtest.h>
#include "ListState.h"

namespace {

TEST(ListState, SelectAndClearHandBackTheIndexThatHadTheSelection) {
    ListState list;
    EXPECT_EQ(ListState::NONE, list.Select(2));
    EXPECT_EQ(2, list.Select(0));
    EXPECT_EQ(0, list.ClearSelection());
    EXPECT_EQ(ListState::NONE, list.Selected());
}

TEST(ListState, MovesStartNextToTheSelectionOrAtTheEndTheKeyPointsFrom) {
    ListState list;
    EXPECT_EQ(0, list.FirstCandidate(true, 4));
    EXPECT_EQ(3, list.FirstCandidate(false, 4));
    list.Select(1);
    EXPECT_EQ(2, list.FirstCandidate(true, 4));
    EXPECT_EQ(0, list.FirstCandidate(false, 4));
}

TEST(ListState, ScrollRequestsMoveWithinTheContentAndReportWhetherTheyMoved) {
    // 500 rows of content in a 200-row viewport: offsets 0 to 300; lines of 20.
    struct Case {
        int from;
        WORD request;
        int track;
        int to;
    } cases[] = {
        {0, SB_LINEDOWN, 0, 20},         {40, SB_LINEUP, 0, 20},
        {10, SB_LINEUP, 0, 0},           {0, SB_LINEUP, 0, 0},
        {0, SB_PAGEDOWN, 0, 200},        {200, SB_PAGEDOWN, 0, 300},
        {250, SB_PAGEUP, 0, 50},         {120, SB_TOP, 0, 0},
        {0, SB_BOTTOM, 0, 300},          {0, SB_THUMBTRACK, 123, 123},
        {0, SB_THUMBPOSITION, 999, 300}, {60, SB_ENDSCROLL, 0, 60},
    };
    for (const Case& c : cases) {
        ListState list;
        list.Scroll(SB_THUMBPOSITION, c.from, 20, 500, 200);
        EXPECT_EQ(c.to != c.from, list.Scroll(c.request, c.track, 20, 500, 200)) << c.request << " from " << c.from;
        EXPECT_EQ(c.to, list.Offset()) << c.request << " from " << c.from;
    }
}

TEST(ListState, ShowAndClampKeepTheOffsetUseful) {
    ListState list;
    EXPECT_TRUE(list.Show(250, 290, 100));  // below the viewport: just far enough to show its bottom
    EXPECT_EQ(190, list.Offset());
    EXPECT_FALSE(list.Show(200, 290, 100));
    list.Clamp(250, 100);  // the content shrank: no further than its end
    EXPECT_EQ(150, list.Offset());
    list.Clamp(80, 100);  // everything fits
    EXPECT_EQ(0, list.Offset());
    list.Select(1);
    list.Reset();
    EXPECT_EQ(ListState::NONE, list.Selected());
}

}  // namespace
