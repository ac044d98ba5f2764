// The item's action: bringing the main application up (asking it, finding its window, or starting its
// program), handing the shown notice's key back, and the fallback when nobody takes the key. Starts are
// counted from the real processes, with the install path pointing at launch_recorder.exe.
#include "kit/LinkWire.h"
#include "support/ItemHarness.h"
#include "support/LaunchRecorder.h"
#include "support/MainApplication.h"
#include "toolbox/WindowCapture.h"
#include "support/Sections.h"
#include "support/ThreadedMainApplication.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr COLORREF kArrowColour = RGB(0xFF, 0x8C, 0x00);

std::vector<Notice> KeyedNotices(std::initializer_list<const wchar_t*> keys) {
    std::vector<Notice> notices = NumberedNotices(static_cast<int>(keys.size()));
    auto key = keys.begin();
    for (auto& notice : notices) notice.key = *key++;
    return notices;
}

// A window the main application's program would show, found by class and title.
struct ProgramWindow : RecordingWindow {
    explicit ProgramWindow(const wchar_t* title, const wchar_t* className = MAIN_WINDOW_CLASS)
        : RecordingWindow(className, title) {}
    bool BroughtUp() const { return GetForegroundWindow() == hwnd() && IsZoomed(hwnd()) && !IsIconic(hwnd()); }
    bool Untouched() const { return GetForegroundWindow() != hwnd() && !IsZoomed(hwnd()) && !IsIconic(hwnd()); }
};

class LaunchTest : public ::testing::Test {
protected:
    LRESULT Act() const { return loaded.Act(); }
    // The host initialises the item again: its connect step learns the main window from the main
    // application's section and leaves the notices alone.
    void Reinitialise(HWND mainWindowOrNull) {
        mainSection.WriteHandle(mainWindowOrNull);
        loaded.item = loaded.dll.initialize(&loaded.record, loaded.host.hwnd());
    }

    LaunchRecorder recorder;  // before the item loads: it reads the install path once
    HeldSection mainSection{MAIN_SECTION_NAME};
    MainApplicationWindow main;
    LoadedItem loaded;
};

TEST_F(LaunchTest, WithoutMainWindowOrNoticesTheProgramStartsOnceAndTheSelectionEnds) {
    loaded.Resize(240, 20);
    loaded.Send(WM_TODAYCUSTOM_RECEIVEDSELECTION);
    loaded.Repaint();
    ASSERT_TRUE(CaptureWindow(loaded.item).Any({0, 0, 240, 20}, kHostHighlightColor));

    EXPECT_EQ(Act(), 1);
    ASSERT_TRUE(recorder.WaitForStart());
    EXPECT_EQ(recorder.StartsWhenAllEnded(), 1);
    auto started = recorder.CommandLines();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_NE(started[0].find(LaunchRecorder::RecorderPath()), std::wstring::npos);

    loaded.Repaint();
    const Capture after = CaptureWindow(loaded.item);
    EXPECT_FALSE(after.Any({0, 0, 240, 20}, kHostHighlightColor));
    EXPECT_TRUE(after.Any({0, 0, 240, 20}, kHostWatermarkColor));
}

TEST_F(LaunchTest, WithoutMainWindowButWithNoticesTheProgramStartsOnceAndTheNoticesGo) {
    for (const auto& notice : NumberedNotices(2)) SendNotice(loaded.item, notice);
    Reinitialise(main.hwnd());
    ASSERT_EQ(loaded.Height(), 60u);  // the notices are held
    Reinitialise(nullptr);            // unlinked again, notices kept

    Act();
    ASSERT_TRUE(recorder.WaitForStart());
    EXPECT_EQ(recorder.StartsWhenAllEnded(), 1);  // not a second time for the key nobody took
    Reinitialise(main.hwnd());
    EXPECT_EQ(loaded.Height(), 20u);
}

TEST_F(LaunchTest, MainApplicationThatComesUpItselfIsNeitherSearchedForNorStarted) {
    ProgramWindow program(MAIN_WINDOW_TITLE_CHINESE);
    main.Attach(loaded.item);
    SetForegroundWindow(main.hwnd());

    Act();
    EXPECT_TRUE(SequenceIs(main.Messages(), {{LINKM_ACTIVATE, Delivery::Sent, reinterpret_cast<WPARAM>(loaded.item)}}));
    EXPECT_EQ(recorder.StartsWhenAllEnded(), 0);
    EXPECT_TRUE(program.Untouched());
    EXPECT_EQ(GetForegroundWindow(), main.hwnd());
}

TEST_F(LaunchTest, UnansweredActivationFindsTheProgramWindowByClassAndTitle) {
    main.answers[LINKM_ACTIVATE] = 0;
    main.Attach(loaded.item);
    struct Row {
        const char* name;
        bool chinese, latin, decoy;  // which windows exist; the decoy has the Chinese title, another class
        int broughtUp;               // 0 none, 1 Chinese, 2 Latin
        int starts;
    } rows[] = {
        {"both titles: the Chinese one, the Latin one untouched", true, true, false, 1, 0},
        {"only the Latin title", false, true, false, 2, 0},
        {"neither: the program starts", false, false, false, 0, 1},
        {"the title alone is not enough", false, false, true, 0, 1},
    };
    int startsSoFar = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<ProgramWindow> chinese, latin, decoy;
        if (row.chinese) chinese = std::make_unique<ProgramWindow>(MAIN_WINDOW_TITLE_CHINESE);
        if (row.latin) latin = std::make_unique<ProgramWindow>(MAIN_WINDOW_TITLE_LATIN);
        if (row.decoy) decoy = std::make_unique<ProgramWindow>(MAIN_WINDOW_TITLE_CHINESE, L"SomeOtherForm");
        SetForegroundWindow(main.hwnd());
        main.Clear();

        Act();
        EXPECT_EQ(main.MessagesNumbered(LINKM_ACTIVATE).size(), 1u);
        if (row.starts) {
            EXPECT_TRUE(recorder.WaitForStart());
        }
        const int starts = recorder.StartsWhenAllEnded();
        EXPECT_EQ(starts - startsSoFar, row.starts);
        startsSoFar = starts;
        if (chinese) {
            EXPECT_TRUE(row.broughtUp == 1 ? chinese->BroughtUp() : chinese->Untouched());
        }
        if (latin) {
            EXPECT_TRUE(row.broughtUp == 2 ? latin->BroughtUp() : latin->Untouched());
        }
        if (decoy) {
            EXPECT_TRUE(decoy->Untouched());
        }
    }
}

TEST_F(LaunchTest, ShownKeyIsHandedBackAsItsCharactersAlone) {
    std::vector<DWORD> byteCounts;
    main.onMessage = [&](UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_COPYDATA) byteCounts.push_back(reinterpret_cast<const COPYDATASTRUCT*>(lParam)->cbData);
        return std::nullopt;
    };
    struct {
        const wchar_t* key;
        std::vector<BYTE> bytes;
    } rows[] = {
        {L"abc", {'a', 0, 'b', 0, 'c', 0}},
        {L"", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "key of " << wcslen(row.key) << " characters");
        main.Show(loaded.item, KeyedNotices({row.key}));
        ASSERT_EQ(loaded.Height(), 60u);
        main.Clear();
        byteCounts.clear();

        Act();
        const HWND item = loaded.item;
        ASSERT_TRUE(SequenceIs(main.Messages(), KeyHandBack(item, row.key)));
        EXPECT_EQ(byteCounts, std::vector<DWORD>{static_cast<DWORD>(row.bytes.size())});
        EXPECT_EQ(main.Messages()[1].copyData, row.bytes);
        EXPECT_EQ(loaded.Height(), 60u);  // taken: the notices stay
    }
    EXPECT_EQ(recorder.StartsWhenAllEnded(), 0);
}

TEST_F(LaunchTest, RefusedKeyStartsTheProgramOnceAndDropsTheNotices) {
    main.answers[WM_COPYDATA] = 0;
    main.Show(loaded.item, NumberedNotices(2));
    ASSERT_EQ(loaded.Height(), 60u);
    loaded.Resize(240, 60);
    loaded.Repaint();
    ASSERT_EQ(loaded.Query(), 0);

    Act();
    ASSERT_TRUE(recorder.WaitForStart());
    EXPECT_EQ(recorder.StartsWhenAllEnded(), 1);
    EXPECT_EQ(loaded.Query(), 1);
    EXPECT_EQ(loaded.record.cyp, 20u);
    loaded.Repaint();
    EXPECT_FALSE(CaptureWindow(loaded.item).Any({200, 19, 240, 59}, kArrowColour));  // the one-line view
}

TEST_F(LaunchTest, MainApplicationGoneWithoutGoodbyeIsStartedOnlyOnce) {
    // Its window is gone: the activation finds nobody and starts the program, and the key then
    // has nobody to take it.
    auto vanished = std::make_unique<MainApplicationWindow>();
    vanished->Show(loaded.item, NumberedNotices(2));
    ASSERT_EQ(loaded.Height(), 60u);
    vanished.reset();

    Act();
    ASSERT_TRUE(recorder.WaitForStart());
    EXPECT_EQ(recorder.StartsWhenAllEnded(), 1);
    EXPECT_EQ(recorder.CommandLines().size(), 1u);
}

TEST(LaunchWithoutProgram, MissingProgramIsPassedOverSilently) {
    LaunchRecorder recorder(L"C:\\no\\such\\folder\\Ardeno.exe");
    LoadedItem loaded;
    for (const auto& notice : NumberedNotices(2)) SendNotice(loaded.item, notice);
    EXPECT_EQ(loaded.Act(), 1);
    EXPECT_EQ(recorder.StartsWhenAllEnded(), 0);
    EXPECT_TRUE(recorder.CommandLines().empty());
}

}  // namespace

// A main application that comes forward but is slow to take the key is busy, not gone: it is not started a
// second time and the notices stay.
TEST_F(LaunchTest, SlowKeyHandBackStartsNothingAndKeepsTheNotices) {
    ThreadedMainApplication slow(ThreadedMainApplication::Unlisted(false));
    slow.HoldOn(WM_COPYDATA);
    loaded.Send(LINKM_MAIN_ATTACH, reinterpret_cast<WPARAM>(slow.hwnd()));
    for (const auto& notice : NumberedNotices(2)) SendNotice(loaded.item, notice);
    loaded.Send(LINKM_SORT);
    ASSERT_EQ(loaded.Height(), 60u);
    Act();
    EXPECT_EQ(slow.Received(LINKM_ACTIVATE), 1);
    EXPECT_EQ(recorder.StartsWhenAllEnded(), 0);
    EXPECT_EQ(loaded.Height(), 60u);
}
