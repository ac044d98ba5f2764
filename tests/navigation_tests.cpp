// Paging through notices with the keys and the arrows, taps that open the messenger, the arrow highlight
// and its timer, and the selection callbacks: driven through the item window and the real timer, observed
// through what the item draws and what it hands back to the main application.
#include "kit/LinkWire.h"
#include "render/Metrics.h"
#include "support/ItemHarness.h"
#include "support/MainApplication.h"
#include "toolbox/WindowCapture.h"
#include "support/Sections.h"
#include "toolbox/Utf8.h"
#include <gtest/gtest.h>
#include <ostream>

namespace {

constexpr COLORREF kArrowColour = RGB(0xFF, 0x8C, 0x00);
constexpr COLORREF kLitArrowColour = RGB(0x5C, 0x33, 0x17);
// Where the 16-pixel arrow icons stand in a 240 x 60 item with 20-pixel lines.
constexpr RECT kPrevArrowIcon = {0, 30, 16, 46};
constexpr RECT kNextArrowIcon = {223, 30, 239, 46};

enum class Arrow { Hidden, Normal, Lit, Mixed };

std::ostream& operator<<(std::ostream& out, Arrow arrow) {
    const char* names[] = {"hidden", "normal", "lit", "mixed"};
    return out << names[static_cast<int>(arrow)];
}

Arrow ArrowIn(const Capture& capture, const RECT& area) {
    const bool normal = capture.Any(area, kArrowColour), lit = capture.Any(area, kLitArrowColour);
    if (normal && lit) return Arrow::Mixed;
    if (lit) return Arrow::Lit;
    return normal ? Arrow::Normal : Arrow::Hidden;
}

// One navigation step and what it must leave behind.
struct Step {
    UINT key;
    LRESULT result;
    const wchar_t* shownKey;  // the notice the action hands back afterwards
    bool repaintRequested;
    Arrow prev;
    Arrow next;
};

class NavigationTest : public ::testing::Test {
protected:
    // The main application attaches and shows `count` notices; the host sizes the item for three lines.
    void Show(int count) {
        main.Show(loaded.item, NumberedNotices(count));
        loaded.Resize(240, 60);
        loaded.Repaint();
    }
    bool RepaintRequested() const { return GetUpdateRect(loaded.item, nullptr, FALSE) != FALSE; }
    LRESULT Navigate(UINT key) const { return loaded.Send(WM_TODAYCUSTOM_USERNAVIGATION, key); }

    // The key of the shown notice, as the action hands it back (the main application takes it, so the
    // action changes nothing else).
    std::wstring ShownKey() {
        main.Clear();
        loaded.Act();
        auto keys = main.KeysReceived();
        main.Clear();
        return keys.size() == 1 ? keys[0] : L"<" + std::to_wstring(keys.size()) + L" keys>";
    }
    // A stylus tap; true when it ran the action (the main application was asked to come up).
    bool Tap(int x, int y) {
        main.Clear();
        loaded.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        loaded.Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        bool acted = !main.MessagesNumbered(LINKM_ACTIVATE).empty();
        main.Clear();
        return acted;
    }

    void RunSteps(const std::vector<Step>& steps) {
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            SCOPED_TRACE("step " + std::to_string(i) + ", key " + std::to_string(step.key));
            EXPECT_EQ(Navigate(step.key), step.result);
            EXPECT_EQ(RepaintRequested(), step.repaintRequested);
            Capture capture = CaptureWindow(loaded.item);
            EXPECT_EQ(ArrowIn(capture, kPrevArrowIcon), step.prev);
            EXPECT_EQ(ArrowIn(capture, kNextArrowIcon), step.next);
            EXPECT_EQ(ToUtf8(ShownKey()), ToUtf8(step.shownKey));
        }
    }

    MainApplicationWindow main;  // outlives the item, which says goodbye to it at unload
    LoadedItem loaded;
};

TEST_F(NavigationTest, KeysPageBetweenTwoNoticesAndStopAtBothEnds) {
    Show(2);
    Capture first = CaptureWindow(loaded.item);
    ASSERT_EQ(ArrowIn(first, kPrevArrowIcon), Arrow::Hidden);
    ASSERT_EQ(ArrowIn(first, kNextArrowIcon), Arrow::Normal);
    // At the last notice the lit next arrow is not drawn at all; the previous one stays unlit.
    RunSteps({
        {VK_RIGHT, 1, L"k1", true, Arrow::Normal, Arrow::Hidden},
        {VK_RIGHT, 1, L"k1", false, Arrow::Normal, Arrow::Hidden},
        {VK_UP, 0, L"k1", false, Arrow::Normal, Arrow::Hidden},
        {VK_RETURN, 0, L"k1", false, Arrow::Normal, Arrow::Hidden},
        {VK_LEFT, 1, L"k0", true, Arrow::Hidden, Arrow::Normal},
        {VK_LEFT, 1, L"k0", false, Arrow::Hidden, Arrow::Normal},
        {VK_DOWN, 0, L"k0", false, Arrow::Hidden, Arrow::Normal},
    });
}

TEST_F(NavigationTest, OnlyTheArrowOfTheLastStepIsLit) {
    Show(3);
    RunSteps({
        {VK_RIGHT, 1, L"k1", true, Arrow::Normal, Arrow::Lit},
        {VK_RIGHT, 1, L"k2", true, Arrow::Normal, Arrow::Hidden},
        {VK_LEFT, 1, L"k1", true, Arrow::Lit, Arrow::Normal},
    });
}

TEST_F(NavigationTest, HighlightGoesOutTwoHundredMillisecondsAfterTheStep) {
    Show(3);
    const DWORD stepped = GetTickCount();
    ASSERT_EQ(Navigate(VK_RIGHT), 1);
    ASSERT_EQ(ArrowIn(CaptureWindow(loaded.item), kNextArrowIcon), Arrow::Lit);

    Capture capture;
    ASSERT_TRUE(PumpUntil(
        [&] {
            capture = CaptureWindow(loaded.item);
            return ArrowIn(capture, kNextArrowIcon) != Arrow::Lit;
        },
        3000));
    const DWORD elapsed = GetTickCount() - stepped;
    EXPECT_GE(elapsed, 150u);  // the timer's interval, less the tick counter's coarseness
    EXPECT_EQ(ArrowIn(capture, kPrevArrowIcon), Arrow::Normal);
    EXPECT_EQ(ArrowIn(capture, kNextArrowIcon), Arrow::Normal);
    EXPECT_EQ(ToUtf8(ShownKey()), "k1");  // the timeout moves nothing
}

TEST_F(NavigationTest, WithFewerThanTwoNoticesLeftAndRightAreAbsorbed) {
    for (int count : {0, 1}) {
        SCOPED_TRACE("notices: " + std::to_string(count));
        Show(count);
        const Capture before = CaptureWindow(loaded.item);
        for (UINT key : {UINT(VK_LEFT), UINT(VK_RIGHT)}) {
            EXPECT_EQ(Navigate(key), 1);
            EXPECT_FALSE(RepaintRequested());
        }
        for (UINT key : {UINT(VK_UP), UINT(VK_DOWN), UINT(VK_RETURN), 0u}) EXPECT_EQ(Navigate(key), 0) << "key " << key;
        loaded.Repaint();
        EXPECT_EQ(CaptureWindow(loaded.item).pixels, before.pixels);
        EXPECT_EQ(ToUtf8(ShownKey()), count ? "k0" : "<0 keys>");
    }
}

TEST_F(NavigationTest, TapsOnTheArrowsPageOnStylusDownAndNeverAct) {
    Show(2);
    struct {
        int x, y;
        const wchar_t* shownKey;
    } taps[] = {
        {20, 40, L"k0"},   // previous arrow on the first notice: nothing to do
        {220, 40, L"k1"},  // next arrow pages
        {220, 40, L"k1"},  // next arrow on the last notice
        {20, 40, L"k0"},   // previous arrow pages back
    };
    for (const auto& tap : taps) {
        EXPECT_FALSE(Tap(tap.x, tap.y)) << tap.x << "," << tap.y;
        EXPECT_EQ(ToUtf8(ShownKey()), ToUtf8(tap.shownKey)) << tap.x << "," << tap.y;
    }
}

TEST_F(NavigationTest, ArrowHitAreasIncludeAllFourEdges) {
    Show(2);  // hit areas (0,19,40,59) and (200,19,240,59)
    struct {
        int x, y;
        bool acts;
    } taps[] = {
        {0, 19, false},   {40, 19, false},  {0, 59, false},   {40, 59, false},   // previous arrow corners
        {200, 19, false}, {240, 19, false}, {200, 59, false}, {240, 59, false},  // next arrow corners
        {41, 40, true},   {199, 40, true},  {120, 40, true},                     // between the two
        {20, 18, true},   {220, 18, true},  {120, 10, true},                     // first line
        {20, 60, true},   {220, 60, true},                                       // below
    };
    for (const auto& tap : taps) EXPECT_EQ(Tap(tap.x, tap.y), tap.acts) << tap.x << "," << tap.y;
}

// In the prefixes whose screens report 131 and 192 dpi: the hit areas grow with the screen, and taps find them
// (the default setting, three lines of 27 or 40 pixels, on a screen 240 pixels wide at 96 dpi grown with it).
class HighDpiNavigation : public NavigationTest {};

TEST_F(HighDpiNavigation, TapsHitTheScaledArrows) {
    struct Screen {
        int dpi, width, height;
        RECT prev, next;
    } screens[] = {
        {131, 328, 81, {0, 26, 55, 80}, {273, 26, 328, 80}},
        {192, 480, 120, {0, 38, 80, 118}, {400, 38, 480, 118}},
    };
    const int dpi = ScreenDeviceCaps(LOGPIXELSY);
    const Screen* screen = nullptr;
    for (const Screen& s : screens)
        if (s.dpi == dpi) screen = &s;
    ASSERT_NE(screen, nullptr) << "no expectations for " << dpi << " dpi";
    main.Show(loaded.item, NumberedNotices(2));
    loaded.Resize(screen->width, screen->height);
    loaded.Repaint();
    const RECT &p = screen->prev, &n = screen->next;
    const int middle = (p.top + p.bottom) / 2;
    // The arrows page...
    EXPECT_FALSE(Tap(n.right - 10, middle));
    EXPECT_EQ(ToUtf8(ShownKey()), "k1");
    EXPECT_FALSE(Tap(p.left + 10, middle));
    EXPECT_EQ(ToUtf8(ShownKey()), "k0");
    // ...and their hit areas reach to all four edges; just outside, a tap acts.
    struct {
        int x, y;
        bool acts;
    } taps[] = {
        {p.left, p.top, false},     {p.right, p.bottom, false},    {n.left, n.top, false},
        {n.right, n.bottom, false}, {p.right + 1, middle, true},   {n.left - 1, middle, true},
        {p.left, p.top - 1, true},  {n.right, n.bottom + 1, true},
    };
    for (const auto& tap : taps) EXPECT_EQ(Tap(tap.x, tap.y), tap.acts) << tap.x << "," << tap.y;
}

TEST_F(NavigationTest, WithFewerThanTwoNoticesEveryTapActsEvenOnAStaleArrow) {
    Show(2);  // the last paint with two notices leaves the arrow hit areas behind
    for (int count : {1, 0}) {
        SCOPED_TRACE("notices: " + std::to_string(count));
        Show(count);
        for (POINT point : {POINT{20, 40}, POINT{220, 40}, POINT{120, 40}})
            EXPECT_TRUE(Tap(point.x, point.y)) << point.x << "," << point.y;
    }
}

TEST_F(NavigationTest, ReceivingTheSelectionMarksTheItemDirtyLosingItDoesNot) {
    Show(2);
    loaded.Query();  // takes the three-line height
    ASSERT_EQ(loaded.Query(), 0);

    loaded.Send(WM_TODAYCUSTOM_LOSTSELECTION);
    EXPECT_EQ(loaded.Query(), 0);
    loaded.Send(WM_TODAYCUSTOM_RECEIVEDSELECTION);
    EXPECT_EQ(loaded.Query(), 1);
    EXPECT_EQ(loaded.Query(), 1);  // stays dirty until painted
    loaded.Repaint();
    EXPECT_EQ(loaded.Query(), 0);
    loaded.Send(WM_TODAYCUSTOM_LOSTSELECTION);
    EXPECT_EQ(loaded.Query(), 0);
}

}  // namespace

// The host initialises the item again while an arrow is lit: the highlight timer died with the old window,
// so nothing may stay lit on the new one.
TEST_F(NavigationTest, ASecondInitialisationLeavesNoArrowLit) {
    Show(3);
    ASSERT_EQ(Navigate(VK_RIGHT), 1);
    ASSERT_EQ(ArrowIn(CaptureWindow(loaded.item), kNextArrowIcon), Arrow::Lit);
    HeldSection mainSection(MAIN_SECTION_NAME);
    mainSection.WriteHandle(main.hwnd());
    loaded.item = loaded.dll.initialize(&loaded.record, loaded.host.hwnd());
    loaded.Resize(240, 60);
    loaded.Repaint();
    const Capture after = CaptureWindow(loaded.item);
    EXPECT_EQ(ArrowIn(after, kPrevArrowIcon), Arrow::Normal);
    EXPECT_EQ(ArrowIn(after, kNextArrowIcon), Arrow::Normal);
}
