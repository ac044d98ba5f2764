// What the platform mappings give their callers beyond what the item's own tests see.
#include "platform/SendMessageTimeout.h"
#include "platform/TopDownDib.h"
#include "platform/handheld.h"
#include "support/HandheldRules.h"
#include "platform/SurrogateSafeCut.h"
#include "support/RecordingWindow.h"
#include "support/Registry.h"
#include "support/ThreadedMainApplication.h"
#include <gtest/gtest.h>
#include <string>

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

// The rules the DLL's imports are held to cover every function the handheld list offers, each with its page: a
// function added to the list without a row fails here.
TEST(HandheldRules, EveryListedFunctionHasARuleAndAPage) {
    const std::vector<std::string> listed = HandheldApiFunctions();
    ASSERT_GT(listed.size(), 100u) << "platform/handheld-api.txt was not read";
    for (const std::string& call : listed) {
        const HandheldRule* row = HandheldRuleFor(call);
        EXPECT_TRUE(row && *row->rule && *row->page) << call << " has no row in tests/support/HandheldRules.cpp";
    }
}

// The handheld's access mask 0 reads on desktop, where 0 alone would open a key nothing can be read from.
TEST(RegistryMapping, AccessZeroReads) {
    ScopedRegistryKey key(TEST_PRODUCT_KEY);
    key.SetDword(L"Probe", 7);
    HKEY opened = nullptr;
    ASSERT_EQ(PlatformRegOpenKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(L"\\") + TEST_PRODUCT_KEY).c_str(), 0, 0,
                                    &opened),
              ERROR_SUCCESS);
    RegistryKeyHandle held(opened);
    DWORD value = 0, size = sizeof(value);
    EXPECT_EQ(RegQueryValueExW(opened, L"Probe", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 7u);
}

// The surface described with colour masks holds its pixels as 0x00RRGGBB, row 0 first, as before.
TEST(TopDownDib, MasksGivePixelsAsRgbRowZeroFirst) {
    MemoryDC memory(nullptr);
    void* bits = nullptr;
    GdiObject<HBITMAP> dib(CreateTopDownDib(memory.get(), 2, 2, &bits));
    ASSERT_TRUE(dib && bits);
    SelectedObject selected(memory.get(), dib.get());
    SetPixel(memory.get(), 1, 0, RGB(0x12, 0x34, 0x56));
    GdiFlush();
    EXPECT_EQ(static_cast<const DWORD*>(bits)[1], 0x00123456u);
    EXPECT_EQ(static_cast<const DWORD*>(bits)[2], 0u);
}
// A cut keeps a pair whole or leaves it out; a lone surrogate is no pair and is cut like any unit.
TEST(SurrogateSafeCut, NeverEndsBetweenTheHalvesOfAPair) {
    const struct {
        const char* name;
        std::wstring text;
        size_t limit, kept;
    } rows[] = {
        {"fits", L"ab", 2, 2},
        {"plain text cut", L"abc", 2, 2},
        {"a pair across the cut goes whole", L"a\xD83D\xDE00", 2, 1},
        {"a pair ending at the cut stays", L"\xD83D\xDE00" L"b", 2, 2},
        {"a lone high half at the cut", L"a\xD83D" L"b", 2, 2},
        {"a lone low half after the cut", L"ab\xDE00", 2, 2},
        {"nothing may be kept", L"\xDE00", 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SurrogateSafeCut(row.text.c_str(), row.text.size(), row.limit), row.kept);
    }
}
