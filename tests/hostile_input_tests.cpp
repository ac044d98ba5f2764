// What the main application sends may be hostile or huge; the Today screen must not go down for it.
// Texts that crash or hang the platform's text functions are painted in a child process.
#include "link/MessageList.h"
#include "support/ChildRun.h"
#include "support/ItemHarness.h"
#include "support/MainApplication.h"
#include "toolbox/WindowCapture.h"
#include "support/ScratchFiles.h"
#include "support/Surface.h"
#include "support/TestData.h"
#include <gtest/gtest.h>

namespace {
constexpr DWORD kChildTimeoutMs = 30000;
}  // namespace

class HostileText : public ::testing::TestWithParam<const wchar_t*> {};

// As found by probing: with their lone surrogates drawn as they came, one of them hangs and the other
// crashes the text functions.
TEST_P(HostileText, IsPaintedTwiceWithoutCrashOrHang) {
    const std::wstring file = TestDataFile(GetParam());
    ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "missing test input";
    ChildRun run = RunChild(L"paint_notice.exe", L"\"" + file + L"\"", kChildTimeoutMs);
    EXPECT_TRUE(run.finished) << "the paint hung";
    EXPECT_EQ(run.exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Probed, HostileText,
                         ::testing::Values(L"hostile-text-hang.utf16le", L"hostile-text-crash.utf16le"),
                         [](const auto& info) {
                             return std::wstring(info.param).find(L"hang") != std::wstring::npos ? "Hang" : "Crash";
                         });

// A text file that cannot be read fails the child: an empty notice painted would pass for the input.
TEST(PaintNotice, FailsWhenTheTextCannotBeRead) {
    ChildRun run = RunChild(L"paint_notice.exe", L"\"" + TestDataFile(L"no-such-text.utf16le") + L"\"", kChildTimeoutMs);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 5u);
}

// Paging through many notices with portraits holds only the last few shown; one shown again is loaded again.
TEST(PortraitMemory, OnlyTheLastShownPortraitsStayLoaded) {
    constexpr int kNotices = 14;
    ScratchFolder files;
    std::vector<Notice> notices = NumberedNotices(kNotices);
    auto colourOf = [](int i) { return RGB(200, 12 * i, 40); };
    for (int i = 0; i < kNotices; ++i)
        notices[i].portraitPath = files.WriteBitmap(L"p" + std::to_wstring(i) + L".bmp", 8, 8, colourOf(i));
    MainApplicationWindow main;
    LoadedItem loaded;
    main.Show(loaded.item, notices);
    loaded.Resize(240, 60);
    // The middle of the portrait cell.
    auto portraitShown = [&](int i) { return loaded.Painted().At(33, 38) == colourOf(i); };
    ASSERT_TRUE(portraitShown(0));
    const int first = CountGdiObjects();
    for (int i = 1; i < kNotices; ++i) {
        loaded.Send(WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT);
        ASSERT_TRUE(portraitShown(i)) << i;
    }
    EXPECT_LE(CountGdiObjects() - first, static_cast<int>(LOADED_PORTRAITS_MAX) - 1);
    for (int i = kNotices - 2; i >= 0; --i) loaded.Send(WM_TODAYCUSTOM_USERNAVIGATION, VK_LEFT);
    EXPECT_TRUE(portraitShown(0));
}
