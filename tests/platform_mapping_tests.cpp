// What the platform mappings give their callers beyond what the item's own tests see.
#include "platform/SendMessageTimeout.h"
#include "support/RecordingWindow.h"
#include "support/ThreadedMainApplication.h"
#include <gtest/gtest.h>

// A failed bounded send leaves the reason: a window that exists but did not answer in time (busy or hung)
// is told apart from one that is gone.
TEST(BoundedSend, AnsweredTimedOutAndGoneAreToldApart) {
    RecordingWindow answering(L"TestAnsweringWindow", L"");
    answering.answers[WM_USER + 1] = 7;
    ThreadedMainApplication hung(ThreadedMainApplication::Unlisted(true));
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    const struct {
        const char* name;
        HWND window;
        bool answered;
        DWORD_PTR answer;
        DWORD error;
    } cases[] = {
        {"answered", answering.hwnd(), true, 7, 0},
        {"hung", hung.hwnd(), false, 0, ERROR_TIMEOUT},
        {"gone", gone, false, 0, ERROR_INVALID_WINDOW_HANDLE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD_PTR answer = 0;
        SetLastError(0);
        const LRESULT sent = PlatformSendMessageTimeout(c.window, WM_USER + 1, 0, 0, 100, &answer);
        const DWORD error = GetLastError();
        EXPECT_EQ(sent != 0, c.answered);
        EXPECT_EQ(answer, c.answer);
        if (!c.answered) {
            EXPECT_EQ(error, c.error);
        }
    }
}
