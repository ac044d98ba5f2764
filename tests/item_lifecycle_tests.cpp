// The item as the host loads, initialises and unloads it: the real DLL, called by ordinal.
#include "kit/LinkWire.h"
#include "support/ItemHarness.h"
#include "support/MainApplication.h"
#include "support/Sections.h"
#include <gtest/gtest.h>

namespace {

DWORD WINAPI DoNothing(LPVOID) { return 0; }

DWORD HandleValue(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }

bool ItemClassRegistered() {
    WNDCLASSW info;
    return GetClassInfoW(GetModuleHandleW(nullptr), ITEM_WINDOW_CLASS, &info) != FALSE;
}

}  // namespace

TEST(ItemLifecycle, ExportsOnlyTheTwoOrdinals) {
    ItemDll dll;
    ASSERT_NE(dll.module, nullptr);
    EXPECT_NE(dll.initialize, nullptr);
    EXPECT_NE(dll.optionsProc, nullptr);
    EXPECT_EQ(GetProcAddress(dll.module, "InitializeCustomItem"), nullptr);
    EXPECT_EQ(GetProcAddress(dll.module, "CustomItemOptionsDlgProc"), nullptr);
    EXPECT_EQ(GetProcAddress(dll.module, MAKEINTRESOURCEA(242)), nullptr);
}

TEST(ItemLifecycle, FreshItemIsOneLineOfTwentyPixels) {
    LoadedItem loaded;
    ASSERT_NE(loaded.item, nullptr);
    EXPECT_EQ(loaded.record.cyp, 20u);
    wchar_t text[64];
    GetClassNameW(loaded.item, text, 64);
    EXPECT_STREQ(text, ITEM_WINDOW_CLASS);
    GetWindowTextW(loaded.item, text, 64);
    EXPECT_STREQ(text, ITEM_WINDOW_NAME);
    EXPECT_EQ(GetParent(loaded.item), loaded.host.hwnd());
    LONG style = GetWindowLongW(loaded.item, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE);
}

TEST(ItemLifecycle, DisabledRecordGetsNoWindowAndKeepsItsHeight) {
    LoadedItem loaded(false);
    TODAYLISTITEM record = MakeRecord(false);
    record.cyp = 77;
    EXPECT_EQ(loaded.dll.initialize(&record, loaded.host.hwnd()), nullptr);
    EXPECT_EQ(record.cyp, 77u);
    EXPECT_EQ(FindWindowExW(loaded.host.hwnd(), nullptr, ITEM_WINDOW_CLASS, nullptr), nullptr);
}

TEST(ItemLifecycle, NullRecordIsRefused) {
    LoadedItem loaded(false);
    EXPECT_EQ(loaded.dll.initialize(nullptr, loaded.host.hwnd()), nullptr);
}

TEST(ItemLifecycle, SecondInitialisationReplacesTheWindow) {
    HeldSection today(TODAY_SECTION_NAME);
    LoadedItem loaded;
    HWND first = loaded.item;
    HWND second = loaded.dll.initialize(&loaded.record, loaded.host.hwnd());
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(FindWindowExW(loaded.host.hwnd(), nullptr, ITEM_WINDOW_CLASS, nullptr), second);
    EXPECT_EQ(FindWindowExW(loaded.host.hwnd(), second, ITEM_WINDOW_CLASS, nullptr), nullptr);
    EXPECT_EQ(today.ReadHandle(), HandleValue(second));
}

TEST(ItemLifecycle, UnloadDestroysTheWindowAndItsClassAndWithdrawsTheHandle) {
    HeldSection today(TODAY_SECTION_NAME);
    LoadedItem loaded;
    ASSERT_TRUE(IsWindow(loaded.item));
    EXPECT_EQ(today.ReadHandle(), HandleValue(loaded.item));
    EXPECT_TRUE(ItemClassRegistered());
    loaded.dll.Unload();
    EXPECT_FALSE(IsWindow(loaded.item));
    EXPECT_FALSE(ItemClassRegistered());
    EXPECT_EQ(today.ReadHandle(), 0u);
}

TEST(ItemLifecycle, UnloadWithoutInitialisationIsQuiet) {
    LoadedItem loaded(false);
    loaded.dll.Unload();
    EXPECT_FALSE(ItemClassRegistered());
}

TEST(ItemLifecycle, ThreadAttachAndDetachLeaveTheItemAlone) {
    LoadedItem loaded;
    MainApplicationWindow main;
    loaded.Send(LINKM_MAIN_ATTACH, reinterpret_cast<WPARAM>(main.hwnd()));
    const wchar_t payload[] =
        L"k\0p\0s\0t\0"
        L"1";
    COPYDATASTRUCT data = {0, sizeof(payload) - sizeof(wchar_t), const_cast<wchar_t*>(payload)};
    loaded.Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));

    // A thread starting and ending in the host process reaches the module entry with reasons 2 and 3.
    HANDLE thread = CreateThread(nullptr, 0, DoNothing, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);

    EXPECT_TRUE(IsWindow(loaded.item));
    EXPECT_EQ(loaded.Query(), 1);
    EXPECT_EQ(loaded.record.cyp, 60u);  // the notice is still held: three lines
}
