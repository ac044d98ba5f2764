// Only the host and the messenger steer the item. Its window is published for anyone to find, so any program
// can send or post it anything, and the messenger may act inside every message the item sends it: each group
// states, row by row, what such a sender does and what the item then holds, shows and sends.
#include "frame/ModuleState.h"
#include "support/ItemStage.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

constexpr UINT kSendItem = WM_APP + 30;     // asks the host's window (sent from another thread) to call the item
constexpr DWORD kStrangersCyp = 12345;      // what a stranger's record holds; the item must never write it
const int kLineHeight = 20;                 // at 96 dpi, the font the tests' prefix has

struct CrossThreadCall {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT answer;
};

DWORD WINAPI SendCall(void* parameter) {
    auto* call = static_cast<CrossThreadCall*>(parameter);
    call->answer = SendMessageW(call->window, call->message, call->wParam, call->lParam);
    return 0;
}

// A message to a window of this thread from a thread of its own, as another program sends it; the answer.
LRESULT SendFromAnotherThread(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    CrossThreadCall call = {window, message, wParam, lParam, 0};
    KernelHandle thread(CreateThread(nullptr, 0, SendCall, &call, 0, nullptr));
    // The window is served on this thread while the other one waits.
    EXPECT_TRUE(PumpUntilSignalled(thread.get(), 10000));
    return call.answer;
}

// The host's window calls the item itself (the item's record, sent on the host's thread) when another thread
// sends it kSendItem: as a host does when it queries its items inside a settings broadcast.
void HostCallsTheItemInsideAnotherThreadsMessage(Stage& stage, UINT message, WPARAM wParam) {
    const HWND item = stage.item;
    stage.host.onMessage = [item, message, wParam](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != kSendItem) return std::nullopt;
        return SendMessageW(item, message, wParam, 0);
    };
    SendFromAnotherThread(stage.host.hwnd(), kSendItem);
}

int Lines(Stage& stage) { return static_cast<int>(stage.record.cyp) / kLineHeight; }

}  // namespace

// --- Which notice the action opens ------------------------------------------------------------------------

// The user taps the notice on screen; the messenger pushes while it is asked to come forward. The key that
// goes back is the one the user saw, and a refused key drops the notices held when the user acted, no others.
TEST(WrongNotice, TheKeyHandedBackIsTheNoticeOnScreenAndARefusalDropsOnlyWhatWasHeld) {
    struct Row {
        const char* messenger;
        bool refusesKey;
        std::function<void(HWND item, HWND main)> duringActivation;
        int noticesAfter;
    } rows[] = {
        {"pushes an earlier notice and sorts: another moves under the cursor", false,
         [](HWND item, HWND main) {
             SendNotice(item, Notice{L"earlier", L"", L"S", L"T", L"0"}, main);
             SendMessageW(item, LINKM_SORT, 0, 0);
         },
         3},
        {"re-attaches and pushes three new ones, then refuses the key: the new ones stay", true,
         [](HWND item, HWND main) { FeedNotices(item, main, Keyed(L"new", 3)); }, 3},
        {"clears the list, then refuses the key: the notice on screen had left the list", true,
         [](HWND item, HWND) { SendMessageW(item, LINKM_CLEAR, 0, 0); }, 0},
        {"appends one, then refuses the key: only the two held when the user acted go", true,
         [](HWND item, HWND main) { SendNotice(item, Keyed(L"late", 1)[0], main); }, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.messenger);
        Stage stage;
        ThreadedMainApplication& main = stage.Linked();  // k0 on screen, k1 behind it
        const HWND item = stage.item, window = main.hwnd();
        const auto during = row.duringActivation;
        main.ReactTo(LINKM_ACTIVATE, [item, window, during](ThreadedMainApplication&) { during(item, window); });
        if (row.refusesKey) main.Answer(WM_COPYDATA, 0);
        SendMessageW(item, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);  // nothing repainted: k0 is what the user saw
        main.Sync();
        EXPECT_EQ(main.Messages().back().CopyDataText(), L"k0");
        EXPECT_EQ(stage.model->link.notices.Size(), row.noticesAfter);
    }
}

// --- Destroy messages from anyone -------------------------------------------------------------------------

// Anyone may send or post WM_DESTROY to the published window; only the window's real destruction lets it go,
// also when the host is destroyed inside a message that another thread sent it.
TEST(StrangersDestroy, OnlyTheWindowsRealDestructionIsCleanedUp) {
    struct Row {
        const char* what;
        std::function<void(Stage&)> act;
        bool destroyed;
    } rows[] = {
        {"another program sends it", [](Stage& s) { SendFromAnotherThread(s.item, WM_DESTROY); }, false},
        {"another program posts it", [](Stage& s) { PostMessageW(s.item, WM_DESTROY, 0, 0); }, false},
        {"another program hides the window first, then sends it",
         [](Stage& s) {
             ShowWindow(s.item, SW_HIDE);
             SendFromAnotherThread(s.item, WM_DESTROY);
             ShowWindow(s.item, SW_SHOWNA);
         },
         false},
        {"the host destroys its window, taking the item's with it",
         [](Stage& s) { DestroyWindow(s.host.hwnd()); }, true},
        {"the host is destroyed inside a message another thread sent it",
         [](Stage& s) {
             const HWND host = s.host.hwnd();
             s.host.onMessage = [host](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                 if (m != kSendItem) return std::nullopt;
                 DestroyWindow(host);
                 return LRESULT(0);
             };
             SendFromAnotherThread(host, kSendItem);
         },
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Stage stage;
        ThreadedMainApplication& main = stage.Linked();
        const HWND item = stage.item;
        row.act(stage);
        ASSERT_TRUE(PumpUntil([&stage] { return !stage.model->ExistenceCheckPending(); }, 5000));
        main.Sync();
        if (row.destroyed) {
            EXPECT_EQ(stage.model->window, nullptr);
            EXPECT_EQ(stage.todaySection.ReadHandle(), 0u);
            EXPECT_TRUE(SequenceIs(main.Messages(), ItemGoodbye(item)));
            continue;
        }
        EXPECT_EQ(stage.model->window, item);
        EXPECT_EQ(stage.todaySection.ReadHandle(), static_cast<DWORD>(reinterpret_cast<UINT_PTR>(item)));
        EXPECT_TRUE(main.Messages().empty()) << "no goodbye";
        // It still pages with a timer of its window, and paints.
        EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT, 0), 1);
        EXPECT_TRUE(stage.model->nextArrowLit);
        EXPECT_TRUE(PumpUntil([&stage] { return !stage.model->nextArrowLit; }, 5000));
        EXPECT_TRUE(DrawsNoticeLines(item));
    }
}

// --- A stranger's pointer in the refresh query ----------------------------------------------------------

// The query writes the height through its first parameter: only through the host's own record.
TEST(StrangersPointer, TheRefreshQueryWritesOnlyThroughARecordTheHostVouchesFor) {
    struct Row {
        const char* who;
        std::function<LRESULT(Stage&, TODAYLISTITEM& strangers)> query;
        LRESULT answer;
        bool pinged;  // the query went on: the main application was pinged and the host's record written
    } rows[] = {
        {"another program, naming a record of its own",
         [](Stage& s, TODAYLISTITEM& strangers) {
             return SendFromAnotherThread(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, AsParam(&strangers));
         },
         0, false},
        {"another program, naming memory that is no record",
         [](Stage& s, TODAYLISTITEM&) { return SendFromAnotherThread(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 16); },
         0, false},
        {"another program, naming the host's own record",
         [](Stage& s, TODAYLISTITEM&) {
             return SendFromAnotherThread(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, AsParam(&s.record));
         },
         1, true},
        {"the host, inside a message another thread sent it",
         [](Stage& s, TODAYLISTITEM&) {
             HostCallsTheItemInsideAnotherThreadsMessage(s, WM_TODAYCUSTOM_QUERYREFRESHCACHE, AsParam(&s.record));
             return LRESULT(1);
         },
         1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.who);
        Stage stage;
        ThreadedMainApplication& main = stage.Linked();
        stage.record.cyp = 0;
        TODAYLISTITEM strangers = MakeRecord();
        strangers.cyp = kStrangersCyp;
        EXPECT_EQ(row.query(stage, strangers), row.answer);
        main.Sync();
        EXPECT_EQ(strangers.cyp, kStrangersCyp);
        EXPECT_EQ(main.Received(LINKM_PING), row.pinged ? 1 : 0);
        EXPECT_EQ(Lines(stage), row.pinged ? 3 : 0);
    }
}

// --- A ping's verdict --------------------------------------------------------------------------------------

// The verdict of a ping is about the link as it was when the ping was sent, and nobody else can unlink the item.
TEST(PingVerdict, UndoesNoLaterAttachAndNoStrangerCanUnlink) {
    struct Row {
        const char* what;
        std::function<void(Stage&, ThreadedMainApplication&)> act;
    } rows[] = {
        {"the messenger attaches again with the same window and pushes, then answers the ping 0",
         [](Stage& s, ThreadedMainApplication& main) {
             const HWND item = s.item;
             main.ReactTo(LINKM_PING, [item](ThreadedMainApplication& self) {
                 FeedNotices(item, self.hwnd(), Keyed(L"new", 3));
             });
             main.Answer(LINKM_PING, 0);
             s.Query();
         }},
        {"a stranger posts the item the message it once posted itself to forget a window",
         [](Stage& s, ThreadedMainApplication& main) {
             PostMessageW(s.item, WM_APP + 1, AsParam(main.hwnd()), 0);
             DrainMessages();
             FeedNotices(s.item, main.hwnd(), Keyed(L"new", 3));
             s.Query();
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Stage stage;
        ThreadedMainApplication& main = stage.Linked();
        row.act(stage, main);
        EXPECT_EQ(stage.model->link.mainWindow, main.hwnd());
        EXPECT_EQ(stage.model->link.notices.Size(), 3);
        EXPECT_EQ(Lines(stage), 3);
        EXPECT_TRUE(stage.notificationArea.Removals().empty());
    }
}

// --- What the host learns when notices go ----------------------------------------------------------------

// The query that finds the messenger gone reports one line at once; a refused key that drops the notice on
// screen repaints at once.
TEST(GoneHeight, TheHostLearnsAtOnceAndTheItemRepaintsAtOnce) {
    struct Row {
        const char* what;
        std::function<void(Stage&, ThreadedMainApplication&)> act;
        LRESULT refresh;
    } rows[] = {
        {"the ping is answered 0",
         [](Stage&, ThreadedMainApplication& main) { main.Answer(LINKM_PING, 0); }, 1},
        {"the messenger's window is gone",
         [](Stage&, ThreadedMainApplication& main) { main.End(); }, 1},
        {"the key is refused",
         [](Stage& s, ThreadedMainApplication& main) {
             main.Answer(WM_COPYDATA, 0);
             s.Act();
             EXPECT_NE(GetUpdateRect(s.item, nullptr, FALSE), FALSE) << "the dropped notice stays on screen";
         },
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Stage stage;
        ThreadedMainApplication& main = stage.Linked();
        ASSERT_EQ(stage.Query(), 1);
        ASSERT_EQ(Lines(stage), 3);
        row.act(stage, main);
        EXPECT_EQ(stage.Query(), row.refresh);
        EXPECT_EQ(Lines(stage), 1);
    }
}
