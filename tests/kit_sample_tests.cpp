// The kit's sample messenger (kit/sample/) with the Today host simulator and the real item, each in its own
// process as on a device. The host runs a script; the test meets it halfway through named objects: the script
// runs launch_recorder.exe, which releases a semaphore, once the key has been handed back, and waits for an event
// the test sets once the sample has gone.
#include "kit/LinkWire.h"
#include "toolbox/MessagePump.h"
#include "support/PeerProcess.h"
#include "toolbox/Utf8.h"
#include <gtest/gtest.h>

namespace {

constexpr wchar_t kKeyHandedBack[] = L"KitSampleKeyHandedBack";
constexpr wchar_t kSampleGone[] = L"KitSampleGone";

// The host's item is named after its DLL; 20-pixel lines at 96 dpi.
constexpr char kScript[] =
    "refresh\n"
    "expect-height ArdenoToday 60\n"
    "key down\n"
    "key enter\n"
    "run \"%TODAY_HOST_DIR%\\launch_recorder.exe\"\n"
    "wait-event KitSampleGone\n"
    "refresh\n"
    "expect-height ArdenoToday 20\n";

std::wstring WindowText(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, ARRAYSIZE(text));
    return text;
}

TEST(KitSample, ShowsThreeLinesTakesTheShownNoticesKeyAndLeavesOneLineAfterItsGoodbye) {
    ChildProcessSweep sweep;
    ASSERT_EQ(FindWindowW(MAIN_WINDOW_CLASS, nullptr), nullptr) << "a messenger from elsewhere is running";
    // Started as the item starts a messenger, and running before the item loads: the item's attach finds it.
    ChildProcess sample;
    ASSERT_TRUE(sample.StartWithoutCommandLine(ProgramFolder() + L"\\SampleMessenger.exe", {}));
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN)) != nullptr; },
                          kChildWaitMs));
    // Answered from its message loop: by then its window is published and its first push (to no item) is done.
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kChildWaitMs, &answer));
    const HWND openedLine = FindWindowExW(window, nullptr, L"STATIC", nullptr);
    const HWND logLine = FindWindowExW(window, openedLine, L"STATIC", nullptr);
    EXPECT_EQ(WindowText(logLine), L"push: LINK_NO_ITEM: no item runs, nothing was sent; it attaches when it starts");

    KernelHandle keyHandedBack(CreateSemaphoreW(nullptr, 0, 1, kKeyHandedBack));
    KernelHandle sampleGone(CreateEventW(nullptr, TRUE, FALSE, kSampleGone));
    ScratchFolder scratch;
    const std::wstring script = scratch.Write(L"sample.script", kScript);
    ChildProcess host;
    ASSERT_TRUE(host.StartProgram(L"TodayHost.exe",
                                  L"--qvga --refresh-interval 0 --item " +
                                      Quoted(ProgramFolder() + L"\\ArdenoToday.dll") + L" --script " + Quoted(script),
                                  {{L"ARDENO_LAUNCH_SIGNAL", kKeyHandedBack}}));

    const HANDLE reached[] = {keyHandedBack.get(), host.Handle()};
    ASSERT_EQ(WaitForMultipleObjects(2, reached, FALSE, kChildWaitMs), WAIT_OBJECT_0)
        << "the script ended early: " << host.ErrorOutput();
    // The earliest notice is shown after a push; its key came back and the sample opened that message.
    EXPECT_EQ(WindowText(openedLine), L"Li Wei: Lunch at noon?");
    EXPECT_EQ(WindowText(logLine), L"push: LINK_DONE: the item took it") << "the two left were pushed again";

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(sample.Handle(), kChildWaitMs), WAIT_OBJECT_0);
    EXPECT_EQ(sample.ExitCode(), 0u);
    SetEvent(sampleGone.get());
    ASSERT_EQ(WaitForSingleObject(host.Handle(), kChildWaitMs), WAIT_OBJECT_0);
    EXPECT_EQ(host.ExitCode(), 0u) << host.ErrorOutput();
}

}  // namespace
