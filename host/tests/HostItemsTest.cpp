// Loading registered items, stacking them, the refresh query, unloading and reloading.
#include <gtest/gtest.h>
#include "HostTestSupport.h"
#include "toolbox/MessagePump.h"
#include "toolbox/Utf8.h"
#include "toolbox/WindowObject.h"
#include <thread>

namespace {

// Another program's window, on a thread of its own: when an item's tap waits on it, it broadcasts the change of
// the Today items (as an installer does) to the host before it answers.
class BroadcastingProgram {
public:
    explicit BroadcastingProgram(HWND host) : host(host), thread([this] { Run(); }) {
        WaitForSingleObject(ready.get(), 10000);
        SetEnvironmentVariableW(TEST_ITEM_TAP_PEER_VARIABLE,
                                std::to_wstring(reinterpret_cast<UINT_PTR>(window)).c_str());
    }
    ~BroadcastingProgram() {
        SetEnvironmentVariableW(TEST_ITEM_TAP_PEER_VARIABLE, nullptr);
        PostMessageW(window, WM_QUIT, 0, 0);
        thread.join();
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto self = WindowObject<BroadcastingProgram>(window, message, lParam);
        if (message != TEST_ITEM_TAP_WAIT) return DefWindowProcW(window, message, wParam, lParam);
        SendMessageW(self->host, WM_WININICHANGE, WININICHANGE_TODAY_ITEMS, 0);
        return 1;
    }
    void Run() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"HostTestBroadcastingProgram";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, this);
        SetEvent(ready.get());
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        DestroyWindow(window);
    }

    HWND host;
    HWND window = nullptr;
    KernelHandle ready{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread thread;
};

class HostItems : public HostTest {
protected:
    static int Height(const HostedItem& item) { return item.rect.bottom - item.rect.top; }
};

TEST_F(HostItems, StacksItemsByOrderAcrossTheFullWidth) {
    registry.Add({L"Apple", 'A', 2, TEST_ITEM_FLAGS(30, 0)});
    registry.Add({L"Berry", 'B', 0, TEST_ITEM_FLAGS(20, 0)});
    registry.Add({L"Cherry", 'C', 1, TEST_ITEM_FLAGS(0, 0)});  // cyp stays 0: never shown
    ASSERT_TRUE(StartHost());

    ASSERT_EQ(3u, host->Items().size());
    EXPECT_STREQ(L"Berry", host->Items()[0]->Name());
    EXPECT_STREQ(L"Cherry", host->Items()[1]->Name());
    EXPECT_STREQ(L"Apple", host->Items()[2]->Name());
    // Each item was handed a record with its order and cyp 0, once.
    using Records = std::vector<std::string>;
    EXPECT_EQ(Records{"enabled=1 order=2 cyp=0 options=1 selectability=2"}, Initializations(L"Apple"));
    EXPECT_EQ(Records{"enabled=1 order=0 cyp=0 options=1 selectability=2"}, Initializations(L"Berry"));

    RECT client;
    GetClientRect(host->Window(), &client);
    const HostedItem& berry = Item(L"Berry");
    const HostedItem& apple = Item(L"Apple");
    EXPECT_EQ(host->Layout().header.bottom, berry.rect.top);
    EXPECT_EQ(20, Height(berry));
    EXPECT_EQ(berry.rect.bottom, apple.rect.top);  // Cherry takes no room
    EXPECT_EQ(30, Height(apple));
    EXPECT_EQ(0, apple.rect.left);
    EXPECT_EQ(client.right, apple.rect.right);

    // The windows are where the layout says.
    RECT window;
    GetWindowRect(apple.window, &window);
    MapWindowPoints(nullptr, host->Window(), reinterpret_cast<POINT*>(&window), 2);
    EXPECT_EQ(apple.rect.top, window.top);
    EXPECT_EQ(apple.rect.bottom, window.bottom);
    EXPECT_FALSE(IsWindowVisible(Item(L"Cherry").window));
    EXPECT_TRUE(IsWindowVisible(apple.window));
}

TEST_F(HostItems, LeavesOutItemsThatAreDisabledNotCustomOrMakeNoWindow) {
    registry.Add({L"Good", 'A', 0});
    TestRegistration disabled{L"Off", 'B', 1};
    disabled.enabled = 0;
    registry.Add(disabled);
    registry.Add({L"Null", 'C', 2, TEST_ITEM_FLAGS(20, 0) | TEST_ITEM_INIT_NULL});
    TestRegistration builtIn{L"Tasks", 'B', 3};
    builtIn.type = 3;
    registry.Add(builtIn);
    TestRegistration noDll{L"NoDll", 'B', 4};
    noDll.writeDll = false;
    registry.Add(noDll);
    ASSERT_TRUE(StartHost());

    ASSERT_EQ(1u, host->Items().size());
    EXPECT_STREQ(L"Good", host->Items()[0]->Name());
    // A disabled item is still asked, with fEnabled 0, so it can decline; then its DLL goes.
    using Records = std::vector<std::string>;
    EXPECT_EQ(Records{"enabled=0 order=1 cyp=0 options=1 selectability=2"}, Initializations(L"Off"));
    EXPECT_EQ(Records{"enabled=1 order=2 cyp=0 options=1 selectability=2"}, Initializations(L"Null"));
    EXPECT_EQ(nullptr, GetModuleHandleW(TestItemModuleName('B').c_str()));
    EXPECT_EQ(nullptr, GetModuleHandleW(TestItemModuleName('C').c_str()));
    // Only items of the custom type are asked at all.
    EXPECT_TRUE(Initializations(L"Tasks").empty());
}

TEST_F(HostItems, RefreshReLaysOutOnlyWhenAnItemAnswersNonZero) {
    registry.Add({L"Top", 'A', 0, TEST_ITEM_FLAGS(20, 0)});
    registry.Add({L"Below", 'B', 1, TEST_ITEM_FLAGS(20, 0)});
    ASSERT_TRUE(StartHost());
    HostedItem& top = Item(L"Top");
    HostedItem& below = Item(L"Below");
    const LONG belowTop = below.rect.top;

    // The item changed its cyp but said nothing changed: the host keeps the old layout.
    SendMessageW(top.window, TEST_ITEM_SET_REFRESH, 60, 0);
    ClearRecorded();
    EXPECT_FALSE(host->RefreshItems());
    EXPECT_EQ(20, Height(top));
    EXPECT_EQ(belowTop, below.rect.top);
    // Each item is asked once, with its own record.
    EXPECT_TRUE(SequenceIs(
        Recorded(),
        {To(top.window, {WM_TODAYCUSTOM_QUERYREFRESHCACHE, Delivery::Sent, reinterpret_cast<WPARAM>(&top.record), 0}),
         To(below.window,
            {WM_TODAYCUSTOM_QUERYREFRESHCACHE, Delivery::Sent, reinterpret_cast<WPARAM>(&below.record), 0})}));

    SendMessageW(top.window, TEST_ITEM_SET_REFRESH, 60, 1);
    EXPECT_TRUE(host->RefreshItems());
    EXPECT_EQ(60, Height(top));
    EXPECT_EQ(belowTop + 40, below.rect.top);
}

TEST_F(HostItems, AnItemWhoseHeightDropsToZeroIsHiddenAndTheRestMoveUp) {
    registry.Add({L"Top", 'A', 0, TEST_ITEM_FLAGS(24, 0)});
    registry.Add({L"Below", 'B', 1, TEST_ITEM_FLAGS(20, 0)});
    ASSERT_TRUE(StartHost());
    HostedItem& top = Item(L"Top");
    const LONG topTop = top.rect.top;

    SendMessageW(top.window, TEST_ITEM_SET_REFRESH, 0, 1);
    EXPECT_TRUE(host->RefreshItems());
    EXPECT_FALSE(top.placed);
    EXPECT_FALSE(IsWindowVisible(top.window));
    EXPECT_EQ(topTop, Item(L"Below").rect.top);

    SendMessageW(top.window, TEST_ITEM_SET_REFRESH, 24, 1);
    EXPECT_TRUE(host->RefreshItems());
    EXPECT_TRUE(IsWindowVisible(top.window));
    EXPECT_EQ(topTop, top.rect.top);
}

TEST_F(HostItems, ItemsThatOverflowTheScreenScrollAndTheSelectionIsKeptInView) {
    registry.Add({L"One", 'A', 0, TEST_ITEM_FLAGS(150, 0)});
    registry.Add({L"Two", 'B', 1, TEST_ITEM_FLAGS(150, 0)});
    registry.Add({L"Three", 'C', 2, TEST_ITEM_FLAGS(150, 0)});
    ASSERT_TRUE(StartHost());
    RECT client;
    GetClientRect(host->Window(), &client);
    // The scroll bar takes its width from the items.
    EXPECT_LT(client.right, 240);
    EXPECT_EQ(client.right, Item(L"One").rect.right);

    for (int i = 0; i < 3; ++i) host->PressKey(VK_DOWN);
    ASSERT_EQ(host->FindItem(L"Three"), host->Selected());
    const RECT& three = Item(L"Three").rect;
    EXPECT_GE(three.top, host->ListTop());
    EXPECT_LE(three.bottom, client.bottom);
    RECT window;
    GetWindowRect(Item(L"Three").window, &window);
    MapWindowPoints(nullptr, host->Window(), reinterpret_cast<POINT*>(&window), 2);
    EXPECT_EQ(three.top, window.top);

    host->PressKey(VK_UP);
    host->PressKey(VK_UP);
    EXPECT_GE(Item(L"One").rect.top, host->ListTop()) << "scrolled back up to the first item";
}

TEST_F(HostItems, TurningTheScreenGivesEveryItemTheNewWidthAndLaysTheListOutAgain) {
    registry.Add({L"Top", 'A', 0, TEST_ITEM_FLAGS(20, 0)});
    registry.Add({L"Below", 'B', 1, TEST_ITEM_FLAGS(200, 0)});  // fits 320 rows, overflows 240
    ASSERT_TRUE(StartHost());
    struct Turn {
        SIZE screen;
        bool scrolls;
    } turns[] = {{{320, 240}, true}, {{240, 320}, false}};
    for (const Turn& turn : turns) {
        ClearRecorded();
        std::wstring error;
        ASSERT_TRUE(host->ResizeScreen(turn.screen, error)) << ToUtf8(error);
        RECT client;
        GetClientRect(host->Window(), &client);
        EXPECT_EQ(turn.screen.cy, client.bottom);
        // A list taller than the screen brings the scroll bar, which takes its width from the items.
        EXPECT_EQ(turn.scrolls, client.right < turn.screen.cx) << turn.screen.cx;
        EXPECT_EQ(client.right, host->Layout().header.right);
        EXPECT_EQ(host->Layout().header.bottom, Item(L"Top").rect.top);
        EXPECT_EQ(Item(L"Top").rect.bottom, Item(L"Below").rect.top);
        for (const wchar_t* name : {L"Top", L"Below"}) {
            const HostedItem& item = Item(name);
            RECT inside;
            GetClientRect(item.window, &inside);
            EXPECT_EQ(client.right, inside.right);
            EXPECT_EQ(Height(item), inside.bottom) << "the height stays until the next refresh query";
            const std::vector<RecordedMessage> sizes = Numbered(RecordedBy(item.window), WM_SIZE);
            ASSERT_FALSE(sizes.empty()) << ToUtf8(name);
            EXPECT_EQ(MAKELPARAM(client.right, Height(item)), sizes.back().lParam) << ToUtf8(name);
        }
        EXPECT_TRUE(Numbered(Recorded(), WM_TODAYCUSTOM_QUERYREFRESHCACHE).empty());
    }
}

TEST_F(HostItems, UnloadingSendsClearCacheBeforeTheDllGoes) {
    registry.Add({L"First", 'A', 0});
    registry.Add({L"Second", 'B', 1});
    ASSERT_TRUE(StartHost());
    const HWND first = Item(L"First").window, second = Item(L"Second").window;
    ClearRecorded();
    host->Close();

    // The last loaded goes first; each is told to drop its cache while its DLL is still there.
    EXPECT_TRUE(SequenceIs(Recorded(), {To(second, {WM_TODAYCUSTOM_CLEARCACHE, Delivery::Sent, 0, 0}),
                                        To(second, {TEST_ITEM_UNLOADED, Delivery::Sent}),
                                        To(first, {WM_TODAYCUSTOM_CLEARCACHE, Delivery::Sent, 0, 0}),
                                        To(first, {TEST_ITEM_UNLOADED, Delivery::Sent})}));
    EXPECT_EQ(nullptr, GetModuleHandleW(TestItemModuleName('A').c_str()));
    EXPECT_EQ(nullptr, GetModuleHandleW(TestItemModuleName('B').c_str()));
}

TEST_F(HostItems, ReloadsItsItemsOnWinIniChangeF2Only) {
    registry.Add({L"First", 'A', 0});
    ASSERT_TRUE(StartHost());
    const HWND first = Item(L"First").window;
    ClearRecorded();
    registry.Add({L"Second", 'B', 1});

    SendMessageW(host->Window(), WM_WININICHANGE, 0, 0);
    EXPECT_EQ(1u, host->Items().size());

    SendMessageW(host->Window(), WM_WININICHANGE, WININICHANGE_TODAY_ITEMS, 0);
    DrainMessages();  // the reload runs from the host's own loop
    ASSERT_EQ(2u, host->Items().size());
    EXPECT_STREQ(L"Second", host->Items()[1]->Name());
    // The first item went through a full unload and a fresh start.
    EXPECT_TRUE(SequenceIs(RecordedBy(first),
                           {{WM_TODAYCUSTOM_CLEARCACHE, Delivery::Sent, 0, 0}, {TEST_ITEM_UNLOADED, Delivery::Sent}}));
    EXPECT_EQ(1u, Initializations(L"First").size());
}

// A tap that the loop dispatched to an item waits on another program, which broadcasts the change of the Today
// items meanwhile: the item's DLL stays loaded until the tap has returned, then the items are reloaded.
TEST_F(HostItems, AReloadAskedForDuringATapWaitsUntilTheTapHasReturned) {
    registry.Add({L"First", 'A', 0, TEST_ITEM_FLAGS(20, 0) | TEST_ITEM_WAITS_IN_TAP});
    ASSERT_TRUE(StartHost());
    BroadcastingProgram other(host->Window());
    const HWND first = Item(L"First").window;
    ClearRecorded();
    PostMessageW(first, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil([] { return Initializations(L"First").size() == 1; }, 10000));
    EXPECT_TRUE(SequenceIs(RecordedBy(first), {{WM_LBUTTONUP, Delivery::Posted, 0, MAKELPARAM(5, 5)},
                                               {TEST_ITEM_TAP_RETURNED, Delivery::Sent},
                                               {WM_TODAYCUSTOM_CLEARCACHE, Delivery::Sent, 0, 0},
                                               {TEST_ITEM_UNLOADED, Delivery::Sent}}));
}

TEST_F(HostItems, ItemsNamedOnTheCommandLineNeedNoRegistry) {
    HostConfig config = TestHostConfig();
    config.itemsKey = L"Software\\ArdenoHostTests\\NothingHere";
    config.itemDlls = {TestItemDll('A')};
    ASSERT_TRUE(StartHost(config));
    ASSERT_EQ(1u, host->Items().size());
    EXPECT_STREQ(L"HostTestItem", host->Items()[0]->Name());
    // The DLL has a dialog procedure and template 500, so the item offers options.
    EXPECT_TRUE(host->Items()[0]->record.fOptions);
}

TEST_F(HostItems, TheShellReadyEventIsSetOnlyWhenAsked) {
    HostConfig config = TestHostConfig();
    config.setReady = false;
    ASSERT_TRUE(StartHost(config));
    KernelHandle event(OpenEventW(SYNCHRONIZE, FALSE, SHELL_READY_EVENT_NAME));
    ASSERT_NE(nullptr, event.get());
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(event.get(), 0));
    host->ReadyEvent().Set();
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(event.get(), 0));
    host.reset();
    ASSERT_TRUE(StartHost());
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(event.get(), 0));
}

}  // namespace
