// What the screen shows: the background behind items, item pixels in screenshots, the notification bar.
#include <gtest/gtest.h>
#include "HostTestSupport.h"
#include "support/ScratchFiles.h"
#include "toolbox/MessagePump.h"
#include "PngFile.h"
#include "ScriptRunner.h"
#include "platform/aygshell.h"
#include "toolbox/Utf8.h"

namespace {

const CLSID kNoticeClass = {0x46FC2BFD, 0xF90A, 0x4462, {0xB7, 0x37, 0x5F, 0x1D, 0xFA, 0x5B, 0x40, 0xF1}};

class HostScreen : public HostTest {
protected:
    void SetUp() override {
        registry.Add({L"Short", 'A', 0, TEST_ITEM_FLAGS(20, 1) | TEST_ITEM_LAZY});
        registry.Add({L"Tall", 'B', 1, TEST_ITEM_FLAGS(40, 3)});
        ASSERT_TRUE(StartHost());
    }
    Capture Shot() {
        DrainMessages();
        Capture pixels = CaptureWindow(host->Window());
        EXPECT_FALSE(pixels.pixels.empty());
        return pixels;
    }
};

TEST_F(HostScreen, AnItemsBackgroundContinuesTheHostsPictureWhereTheItemStands) {
    Capture pixels = Shot();
    // Points inside both items away from their text and marker, and points of the host's own background.
    const int x = pixels.width * 5 / 8;
    const RECT& tall = Item(L"Tall").rect;
    for (int y : {static_cast<int>(Item(L"Short").rect.top) + 2, static_cast<int>(tall.top) + 1,
                  static_cast<int>(tall.bottom) - 1, static_cast<int>(tall.bottom) + 30, pixels.height - 1}) {
        EXPECT_EQ(host->Background().ColorAt(x, y), pixels.At(x, y)) << "row " << y;
    }
    // The picture changes from top to bottom, so a background drawn from the wrong origin shows.
    EXPECT_NE(host->Background().ColorAt(x, tall.top + 1), host->Background().ColorAt(x, 1));
}

TEST_F(HostScreen, AScreenshotHoldsTheItemWindowsPixels) {
    Capture pixels = Shot();
    const RECT& tall = Item(L"Tall").rect;
    const int markerX = tall.right - 4 - TEST_ITEM_MARKER_SIZE / 2, markerY = tall.top + 4 + TEST_ITEM_MARKER_SIZE / 2;
    EXPECT_EQ(kTestItemColors[3], pixels.At(markerX, markerY));

    // Written as PNG and read back, the pixels are unchanged.
    const ScratchFolder scratch;
    const std::wstring png = scratch.Path(L"screen.png");
    std::wstring error;
    ASSERT_TRUE(SavePng(pixels, png, error)) << ToUtf8(error);

    Capture reread;
    ASSERT_TRUE(LoadPng(png, reread));
    ASSERT_EQ(pixels.width, reread.width);
    ASSERT_EQ(pixels.height, reread.height);
    EXPECT_EQ(pixels.pixels, reread.pixels);
}

TEST_F(HostScreen, AnItemIsRepaintedInTheHighlightColourWhileSelectedAndBackAfter) {
    // Short does not repaint itself when the selection comes or goes: the host must.
    const RECT& item = Item(L"Short").rect;
    const int x = item.right * 5 / 8, y = item.top + 2;
    host->PressKey(VK_DOWN);
    EXPECT_EQ(host->Colors().highlight, Shot().At(x, y));
    host->Tap({2, 2});  // the bar: the host's own area
    EXPECT_EQ(host->Background().ColorAt(x, y), Shot().At(x, y));
}

TEST_F(HostScreen, TheThemeStepChangesTheColoursAnsweredTheBackgroundAndEveryItemAtOnce) {
    // Short is selected and lazy: it does not repaint itself, so only the host's repaint shows the new highlight.
    host->PressKey(VK_DOWN);
    const RECT& tall = Item(L"Tall").rect;
    const RECT& selected = Item(L"Short").rect;
    const POINT inTall = {tall.right * 5 / 8, tall.top + 1}, inSelected = {selected.right * 5 / 8, selected.top + 2};
    const Capture before = Shot();
    // Back to light last: the first picture again, pixel for pixel.
    for (Theme theme : {Theme::Dark, Theme::Contrast, Theme::Light}) {
        const ColorScheme expected = ThemeColors(theme);
        std::vector<ScriptStep> steps;
        ScriptProblem problem;
        ASSERT_TRUE(ParseStepList(std::wstring(L"theme ") + ThemeName(theme), steps, problem));
        ScriptRunner runner(*host, L"steps");
        runner.StayOpenAtEnd(true);
        ASSERT_EQ(0, runner.Run(steps));
        SCOPED_TRACE(ToUtf8(ThemeName(theme)));
        for (WPARAM index : {TODAYCOLOR_TEXT, TODAYCOLOR_HIGHLIGHT, TODAYCOLOR_HIGHLIGHTEDTEXT})
            EXPECT_EQ(expected.ForTodayIndex(index),
                      static_cast<COLORREF>(SendMessageW(host->Window(), TODAYM_GETCOLOR, index, 0)));
        const Capture pixels = Shot();
        EXPECT_EQ(expected.barTop, pixels.At(pixels.width / 2, 0));
        EXPECT_EQ(host->Background().ColorAt(inTall.x, inTall.y), pixels.At(inTall.x, inTall.y));
        EXPECT_EQ(expected.highlight, pixels.At(inSelected.x, inSelected.y));
        EXPECT_EQ(theme == Theme::Light, pixels.pixels == before.pixels);
    }
}

TEST_F(HostScreen, TheNotificationAreaShowsAnAddedNotificationAndDropsItOnRemove) {
    const int listTop = host->ListTop();
    const LONG shortTop = Item(L"Short").rect.top;

    SHNOTIFICATIONDATA data = {};
    data.cbStruct = sizeof(data);
    data.dwID = 6377;
    data.npPriority = SHNP_INFORM;
    data.clsid = kNoticeClass;
    data.pszTitle = L"Ardeno";
    data.pszHTML = L"<html><body>2 new messages</body></html>";
    ASSERT_EQ(ERROR_SUCCESS, SHNotificationAdd(&data));

    ASSERT_EQ(1u, host->Notifications().Items().size());
    EXPECT_EQ(L"2 new messages", host->Notifications().Items()[0].text);
    // The bubble opens below the bar and the list moves down to make room.
    const int bubble = host->ListTop() - listTop;
    EXPECT_GT(bubble, 0);
    EXPECT_EQ(shortTop + bubble, Item(L"Short").rect.top);
    Capture pixels = Shot();
    EXPECT_EQ(host->Colors().bubbleFill, pixels.At(pixels.width - 6, listTop + bubble / 2));

    EXPECT_EQ(static_cast<LRESULT>(ERROR_INVALID_PARAMETER), SHNotificationRemove(&kNoticeClass, 0));
    EXPECT_EQ(1u, host->Notifications().Items().size());
    EXPECT_EQ(ERROR_SUCCESS, SHNotificationRemove(&kNoticeClass, 6377));
    EXPECT_TRUE(host->Notifications().Items().empty());
    EXPECT_EQ(listTop, host->ListTop());
    EXPECT_EQ(shortTop, Item(L"Short").rect.top);
    pixels = Shot();
    EXPECT_EQ(host->Background().ColorAt(pixels.width - 6, listTop + bubble / 2),
              pixels.At(pixels.width - 6, listTop + bubble / 2))
        << "where the bubble was, the background shows again";
}

}  // namespace

// A tall handheld screen is taller than the desktop Wine offers (1024 x 768), which keeps no pixels beyond it.
class HostTallScreen : public HostTest {};

TEST_F(HostTallScreen, AScreenTallerThanTheDisplayIsWholeOnItsWindowAndInItsScreenshot) {
    registry.Add({L"Top", 'A', 0, TEST_ITEM_FLAGS(600, 0)});
    registry.Add({L"Low", 'B', 1, TEST_ITEM_FLAGS(40, 3)});
    HostConfig config = TestHostConfig();
    config.screen.size = {240, 1100};
    ASSERT_TRUE(StartHost(config));
    RECT client;
    GetClientRect(host->Window(), &client);
    EXPECT_EQ(1100, client.bottom);
    const Capture pixels = CaptureWindow(host->Window());
    ASSERT_EQ(1100, pixels.height);
    const RECT& low = Item(L"Low").rect;
    EXPECT_EQ(kTestItemColors[3], pixels.At(low.right - 4 - TEST_ITEM_MARKER_SIZE / 2, low.top + 4 + 5));
    for (int y : {800, 1099}) EXPECT_EQ(host->Background().ColorAt(120, y), pixels.At(120, y)) << "row " << y;
}
