// How the item window answers the host: the routing table, the refresh query, colours and the stylus.
#include "frame/MessengerTodayItem.h"
#include "frame/ModuleState.h"
#include "kit/LinkWire.h"
#include "support/ItemHarness.h"
#include "support/Surface.h"
#include <gtest/gtest.h>

TEST(ItemWindow, RoutingTableResults) {
    LoadedItem loaded;
    struct Row {
        UINT message;
        WPARAM wParam;
        LRESULT expected;
    };
    const Row rows[] = {
        {WM_DESTROY, 0, 1},     // ignored, the window stays
        {WM_ERASEBKGND, 0, 1},  // the paint covers everything
        {WM_TODAYCUSTOM_CLEARCACHE, 0, 1},
        {WM_TODAYCUSTOM_RECEIVEDSELECTION, VK_DOWN, 1},
        {WM_TODAYCUSTOM_LOSTSELECTION, 0, 1},
        {WM_TODAYCUSTOM_USERNAVIGATION, VK_LEFT, 1},
        {WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 1},
        {WM_TODAYCUSTOM_USERNAVIGATION, VK_UP, 0},  // not used: the host moves the selection
        {WM_TODAYCUSTOM_USERNAVIGATION, VK_DOWN, 0},
        {WM_GETTEXTLENGTH, 0, 10},  // unknown: the default procedure answers
        {WM_USER + 500, 0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(loaded.Send(row.message, row.wParam), row.expected) << "message " << row.message;
    }
    EXPECT_TRUE(IsWindow(loaded.item));
}

TEST(ItemWindow, PaintMessageAnswersOneAndClearsDirty) {
    LoadedItem loaded;
    EXPECT_EQ(loaded.Query(), 0);  // the new window was shown and painted at once
    loaded.Send(WM_TODAYCUSTOM_CLEARCACHE);
    EXPECT_EQ(loaded.Query(), 1);
    EXPECT_EQ(loaded.Send(WM_PAINT), 1);  // nothing invalid: nothing shown, so still dirty
    EXPECT_EQ(loaded.Query(), 1);
    InvalidateRect(loaded.item, nullptr, FALSE);
    EXPECT_EQ(loaded.Send(WM_PAINT), 1);
    EXPECT_EQ(loaded.Query(), 0);
}

TEST(ItemWindow, RefreshQueryReportsDirtyAndHeight) {
    LoadedItem loaded;
    EXPECT_EQ(loaded.Send(WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0), 0);  // no record
    loaded.Repaint();
    EXPECT_EQ(loaded.Query(), 0);
    loaded.Send(WM_TODAYCUSTOM_CLEARCACHE);
    EXPECT_EQ(loaded.Query(), 1);
    EXPECT_EQ(loaded.Query(), 1);  // the query itself does not clear it; a paint does
    loaded.Repaint();
    EXPECT_EQ(loaded.Query(), 0);

    // A changed height is stored and reported even when nothing else changed.
    loaded.record.cyp = 33;
    EXPECT_EQ(loaded.Query(), 1);
    EXPECT_EQ(loaded.record.cyp, 20u);
}

TEST(ItemWindow, RefreshQueryWaitsForTheShell) {
    LoadedItem loaded;
    loaded.ready.Reset();
    loaded.record.cyp = 0;
    EXPECT_EQ(loaded.Query(), 0);  // dirty and wrong height, but the shell is not ready
    EXPECT_EQ(loaded.record.cyp, 0u);
    loaded.ready.Set();
    EXPECT_EQ(loaded.Query(), 1);
    EXPECT_EQ(loaded.record.cyp, 20u);
}

TEST(ItemWindow, SelectionMarksDirtyAndLosingItDoesNot) {
    LoadedItem loaded;
    loaded.Repaint();
    loaded.Send(WM_TODAYCUSTOM_LOSTSELECTION);
    EXPECT_EQ(loaded.Query(), 0);
    loaded.Send(WM_TODAYCUSTOM_RECEIVEDSELECTION, VK_DOWN);
    EXPECT_EQ(loaded.Query(), 1);
}

TEST(ItemWindow, PaintAsksForTheThreeColoursInOrder) {
    LoadedItem loaded;
    loaded.host.Clear();
    loaded.Repaint();
    std::vector<WPARAM> asked;
    for (const auto& m : loaded.host.MessagesNumbered(TODAYM_GETCOLOR)) asked.push_back(m.wParam);
    EXPECT_EQ(asked, (std::vector<WPARAM>{TODAYCOLOR_TEXT, TODAYCOLOR_HIGHLIGHTEDTEXT, TODAYCOLOR_HIGHLIGHT}));
}

TEST(ItemWindow, StylusDownPostsTookSelectionToTheHost) {
    LoadedItem loaded;
    DrainMessages();
    loaded.host.Clear();
    EXPECT_EQ(loaded.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 10)), 1);
    // Posted, not sent: nothing has reached the host until its queue is pumped.
    EXPECT_TRUE(loaded.host.MessagesNumbered(TODAYM_TOOKSELECTION).empty());
    DrainMessages();
    ASSERT_TRUE(SequenceIs(loaded.host.MessagesNumbered(TODAYM_TOOKSELECTION),
                           {{TODAYM_TOOKSELECTION, Delivery::Posted, reinterpret_cast<WPARAM>(loaded.item)}}));
    EXPECT_EQ(loaded.host.MessagesNumbered(TODAYM_TOOKSELECTION)[0].lParam, 0);
    EXPECT_EQ(loaded.Query(), 1);  // the selection made it dirty
}

// With no item (its construction failed), every entry answers as for nothing handled.
TEST(ItemWindow, EntriesWithoutAnItemAnswerAsUnhandled) {
    ASSERT_EQ(itemPointer, nullptr);
    HostWindow host;
    TODAYLISTITEM record = MakeRecord();
    EXPECT_EQ(InitializeCustomItem(&record, host.hwnd()), nullptr);
    EXPECT_EQ(record.cyp, 0u);
    EXPECT_FALSE(CustomItemOptionsDlgProc(host.hwnd(), WM_INITDIALOG, 0, 0));
    EXPECT_FALSE(CustomItemOptionsDlgProc(host.hwnd(), WM_COMMAND, 1001, 0));  // OK and Cancel still close
    EXPECT_EQ(ItemWindowProc(host.hwnd(), WM_GETTEXTLENGTH, 0, 0), 5);         // "Today", from the default procedure
    EXPECT_EQ(ItemWindowProc(host.hwnd(), WM_TODAYCUSTOM_ACTION, 0, 0), 0);
    ItemTimerProc(host.hwnd(), WM_TIMER, 6, 0);  // nothing to do, nothing crashes
    DestroyItem();                               // detaching with no item does nothing
    EXPECT_EQ(itemPointer, nullptr);
}

TEST(ItemWindow, CreateAndDestroyItemSetAndClearThePointer) {
    ItemDll dll;  // the module whose icons the item loads
    CreateItem(dll.module);
    ASSERT_NE(itemPointer, nullptr);
    DestroyItem();
    EXPECT_EQ(itemPointer, nullptr);
    DestroyItem();
    EXPECT_EQ(itemPointer, nullptr);
}

// A paint that fails part-way still ends painting, so the device context BeginPaint gave back is released.
// A paint that draws nothing (no memory for its surface, say) still ends painting: the window is validated, and
// nothing is left behind.
TEST(ItemWindow, FailedPaintStillEndsPainting) {
    struct FailingPaintItem : MessengerTodayItem {
        using MessengerTodayItem::MessengerTodayItem;
        void Paint(HDC) override {}
    };
    ItemDll dll;  // the module whose icons the item loads
    ShellReadyEvent ready;
    HostWindow host;
    itemPointer = new FailingPaintItem(dll.module);
    TODAYLISTITEM record = MakeRecord();
    HWND window = InitializeCustomItem(&record, host.hwnd());
    ASSERT_NE(window, nullptr);
    MoveWindow(window, 0, 0, 240, 20, FALSE);
    UpdateWindow(window);
    const int before = CountGdiObjects();
    for (int i = 0; i < 50; ++i) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    }
    EXPECT_LT(CountGdiObjects() - before, 5);
    DestroyItem();
}
