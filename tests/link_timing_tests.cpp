// A slow, hung, dying or restarting main application, and a host that waits in the middle of a paint: each
// row says what the main application does, and states what it receives, how many starts there were and what
// the item shows after the host's next refresh. The main applications live on threads of their own, held and
// released with events. The item is built in this process, so that where no reply may come the bound on a
// reply can be short; where a reply must come, the wait ends by an event, never by the bound.
#include "frame/ModuleState.h"
#include "link/NoticePayload.h"
#include "support/ItemStage.h"
#include "support/ItemTexts.h"
#include "toolbox/WindowCapture.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr DWORD kHungBound = 100;         // where the main application is held: no reply comes
constexpr DWORD kLongBound = 60000;       // where the wait ends by the main application's thread ending
constexpr UINT kClearItem = WM_APP + 20;  // asks a main application's thread to send the item a clear
constexpr UINT kCloseItem = WM_APP + 21;  // ... or WM_CLOSE

// What the item shows: its lines (0 when it has no window any more) and its notices.
struct Shown {
    int lines;
    int notices;
    bool operator==(const Shown& other) const { return lines == other.lines && notices == other.notices; }
};
void PrintTo(const Shown& shown, std::ostream* os) { *os << shown.lines << " lines, " << shown.notices << " notices"; }

// Sequences one after another.
using Receives = std::vector<std::vector<ExpectedMessage>>;

// What the main applications and the host received, and what the item shows after the host's next refresh.
struct Outcome {
    Receives firstReceives, secondReceives;
    std::vector<UINT> hostReceives;  // protocol messages the item sent the host's window
    int starts;
    int refresh;          // the answer to the host's next refresh query (1: redraw)
    Shown shown;          // after it
    size_t removals = 0;  // of the main application's notification, by the item
};

struct Row {
    const char* mainApplication;  // what the main application (or the host) does
    std::function<void(Stage&)> act;
    Outcome expected;
};

// What a main application received (nothing when there was none), against the parts one after another.
::testing::AssertionResult Received(const std::unique_ptr<ThreadedMainApplication>& main, const Receives& parts) {
    std::vector<ExpectedMessage> expected;
    for (const auto& part : parts) expected.insert(expected.end(), part.begin(), part.end());
    if (!main) return SequenceIs({}, expected);
    main->Sync();
    EXPECT_FALSE(main->HeldTooLong()) << "something waited on a held main application without bound";
    return SequenceIs(main->Messages(), expected);
}

void Check(Stage& stage, const Row& row) {
    SCOPED_TRACE(row.mainApplication);
    ASSERT_NE(stage.item, nullptr);
    row.act(stage);
    const bool hasWindow = stage.model && IsWindow(stage.item);
    const int refresh = hasWindow ? stage.Query() : 0;
    DrainMessages();  // what the item posted itself
    Shown shown = {0, 0};
    if (hasWindow) {
        const bool drewNotices = DrawsNoticeLines(stage.item);
        shown = {stage.model->GetItemHeight() / lineHeight, stage.model->link.notices.Size()};
        EXPECT_EQ(drewNotices, shown.lines == 3) << "the paint showed another view than the item's state";
    }
    const Outcome& expected = row.expected;
    EXPECT_TRUE(Received(stage.first, expected.firstReceives));
    EXPECT_TRUE(Received(stage.second, expected.secondReceives));
    EXPECT_EQ(stage.LinkMessagesToHost(), expected.hostReceives);
    EXPECT_EQ(stage.recorder.StartsWhenAllEnded(), expected.starts);
    EXPECT_EQ(refresh, expected.refresh);
    EXPECT_EQ(shown, expected.shown);
    EXPECT_EQ(stage.notificationArea.Removals().size(), expected.removals);
}

ThreadedMainApplication& Linked(Stage& stage, const wchar_t* prefix = L"k") { return stage.Linked(prefix); }

// Linked, then the ping times out on it, held: it is busy, and the pings leave it alone for a while.
ThreadedMainApplication& LinkedAndHungOnOnePing(Stage& stage) {
    ThreadedMainApplication& main = Linked(stage);
    stage.Bound(kHungBound);
    main.HoldOn(LINKM_PING);
    EXPECT_EQ(stage.Query(), 1);
    EXPECT_TRUE(stage.model->link.BackingOff());
    stage.Bound(LINK_REPLY_TIMEOUT_MS);
    return main;
}

// The user taps; the main application does `meanwhile` on its thread when the key arrives, then refuses it.
void TapAndRefuseTheKey(Stage& stage, ThreadedMainApplication& main,
                        std::function<void(HWND item, HWND main)> meanwhile) {
    const HWND item = stage.item, window = main.hwnd();
    main.Answer(WM_COPYDATA, 0);
    main.ReactTo(WM_COPYDATA, [=](ThreadedMainApplication&) { meanwhile(item, window); });
    stage.Act();
}

// When `trigger` arrives, the main application sends the item `message` from its own thread.
void SendsTheItem(Stage& stage, ThreadedMainApplication& main, UINT trigger, UINT message) {
    const HWND item = stage.item;
    main.ReactTo(trigger, [item, message](ThreadedMainApplication&) { SendMessageW(item, message, 0, 0); });
}

// The rows for a stage whose item window is `item`, which the item names in what it sends.
std::vector<Row> Rows(HWND item) {
    // clang-format off
    return {
        {"hangs once, then answers again: the next tap reaches it with the activation and the key",
         [](Stage& stage) {
             ThreadedMainApplication& main = LinkedAndHungOnOnePing(stage);
             main.Release();
             stage.Act();
         },
         {{kPing, KeyHandBack(item, L"k0"), kPing}, {}, {}, 0, 0, {3, 2}}},
        {"still hangs when the item is unloaded: the goodbye reaches it once it answers, the unload never waits",
         [](Stage& stage) {
             ThreadedMainApplication& main = LinkedAndHungOnOnePing(stage);
             stage.Unload();
             main.Release();
             EXPECT_TRUE(main.WaitFor(LINKM_ITEM_DETACH, 5000));
         },
         {{kPing, ItemGoodbye(item)}, {}, {}, 0, 0, {0, 0}}},
        {"hangs, then dies while the pings leave it alone: it is gone at the next refresh",
         [](Stage& stage) {
             LinkedAndHungOnOnePing(stage).End();
         },
         {{kPing}, {}, {}, 0, 1, {1, 0}, 1}},
        {"restarts while the item waits on its ping: the new window keeps its link and notices, and is pinged",
         [](Stage& stage) {
             ThreadedMainApplication& old = Linked(stage, L"old");
             const HWND item = stage.item, restarted = stage.Second().hwnd();
             old.ReactTo(LINKM_PING, [item, restarted](ThreadedMainApplication& self) {
                 FeedNotices(item, restarted, Keyed(L"new", 3));
                 self.Crash();
             });
             stage.Bound(kLongBound);
             EXPECT_EQ(stage.Query(), 1);
             stage.Bound(LINK_REPLY_TIMEOUT_MS);
         },
         {{kPing}, {kPing}, {}, 0, 1, {3, 3}}},
        {"crashes, and its restart attaches before the detach the item posted itself arrives",
         [](Stage& stage) {
             const HWND restarted = stage.Second().hwnd();
             Linked(stage, L"old").End();
             EXPECT_EQ(stage.Query(), 1);  // gone: its notification is removed, a detach is posted
             stage.Push(restarted, L"new", 3);
         },
         {{}, {kPing}, {}, 0, 1, {3, 3}, 1}},
        {"re-attaches with new notices while the item hands a key back, then refuses the key",
         [](Stage& stage) {
             TapAndRefuseTheKey(stage, Linked(stage, L"old"),
                                [](HWND item, HWND main) { FeedNotices(item, main, Keyed(L"new", 3)); });
         },
         {{KeyHandBack(item, L"old0"), kPing}, {}, {}, 0, 1, {3, 3}}},
        {"adds a notice while the item hands a key back, then refuses the key: only those held before go",
         [](Stage& stage) {
             TapAndRefuseTheKey(stage, Linked(stage, L"old"),
                                [](HWND item, HWND main) { SendNotice(item, Keyed(L"late", 1)[0], main); });
         },
         {{KeyHandBack(item, L"old0"), kPing}, {}, {}, 0, 1, {3, 1}}},
        {"sends the action back while it is asked to come forward",
         [](Stage& stage) {
             ThreadedMainApplication& main = Linked(stage);
             const HWND item = stage.item;
             auto sentBack = std::make_shared<int>(0);
             main.ReactTo(LINKM_ACTIVATE, [item, sentBack](ThreadedMainApplication&) {
                 if (++*sentBack <= 2) SendMessageW(item, WM_TODAYCUSTOM_ACTION, 0, 0);
             });
             stage.Act();
         },
         {{KeyHandBack(item, L"k0"), kPing}, {}, {}, 0, 1, {3, 2}}},
        {"clears its notices while the host, painting the watermark, waits on another thread",
         [](Stage& stage) {
             ThreadedMainApplication& main = Linked(stage);
             EXPECT_EQ(stage.Query(), 1);
             EXPECT_TRUE(DrawsNoticeLines(stage.item));
             SendsTheItem(stage, main, kClearItem, LINKM_CLEAR);
             const HWND window = main.hwnd();
             stage.host.duringNextWatermark = [window] { SendMessageW(window, kClearItem, 0, 0); };
         },
         {{kPing, kPing}, {}, {}, 0, 0, {1, 0}}},
        {"adds a notice without a sort: the host learns of the new count",
         [](Stage& stage) {
             ThreadedMainApplication& main = Linked(stage);
             EXPECT_EQ(stage.Query(), 1);
             EXPECT_TRUE(DrawsNoticeLines(stage.item));
             EXPECT_EQ(stage.Query(), 0);
             SendNotice(stage.item, Keyed(L"more", 1)[0], main.hwnd());
         },
         {{kPing, kPing, kPing}, {}, {}, 0, 1, {3, 3}}},
        {"names a sibling item's window (a child of the host) as its own",
         [](Stage& stage) {
             ThreadedMainApplication::Options sibling;
             sibling.parent = stage.host.hwnd();
             stage.Push(stage.First(sibling).hwnd(), L"k", 2);
             stage.Act();  // unlinked, it shows one line: no notice is on screen, no key goes anywhere
         },
         {{}, {}, {}, 1, 0, {1, 2}}},
        {"names the Today host's window in its section, and attaches naming it",
         [](Stage& stage) {
             stage.mainSection.WriteHandle(stage.host.hwnd());
             stage.item = InitializeCustomItem(&stage.record, stage.host.hwnd());
             stage.Push(stage.host.hwnd(), L"k", 2);
             stage.Act();
         },
         {{}, {}, {}, 1, 0, {1, 2}}},
        {"sends the item window WM_CLOSE, as any program can",
         [](Stage& stage) {
             ThreadedMainApplication& main = Linked(stage);
             SendsTheItem(stage, main, kCloseItem, WM_CLOSE);
             SendMessageW(main.hwnd(), kCloseItem, 0, 0);
         },
         {{kPing}, {}, {}, 0, 1, {3, 2}}},
        {"outlives the host's window, which takes the item window with it: no handle to it stays",
         [](Stage& stage) {
             Linked(stage);
             DestroyWindow(stage.host.hwnd());
             // Known once the destroy message is over, when the thread takes its messages again.
             EXPECT_TRUE(PumpUntil([&stage] { return stage.model->window == nullptr; }, 5000));
             EXPECT_EQ(stage.todaySection.ReadHandle(), 0u);
         },
         {{ItemGoodbye(item)}, {}, {}, 0, 0, {0, 0}}},
        {"pushes a notice as long as the item takes, its text filling the payload: kept cut, the key whole",
         [](Stage& stage) {
             Notice longest;
             longest.key = std::wstring(NOTICE_KEY_MAX_UNITS, L'k');
             longest.sender = std::wstring(DISPLAYED_TEXT_MAX_UNITS + 1, L'n');
             longest.text.clear();
             longest.text.assign(NOTICE_PAYLOAD_MAX_BYTES / sizeof(wchar_t) - NoticePayload(longest).size(), L't');
             ASSERT_EQ(NoticePayload(longest).size() * sizeof(wchar_t), NOTICE_PAYLOAD_MAX_BYTES);
             FeedNotices(stage.item, stage.First().hwnd(), {longest});
             ASSERT_EQ(stage.model->link.notices.Size(), 1) << "the notice was taken";
             const MessageEntry& kept = *stage.model->link.notices.Current();
             EXPECT_EQ(kept.key, longest.key);
             EXPECT_EQ(kept.senderName.Length(), DISPLAYED_TEXT_MAX_UNITS);
             EXPECT_EQ(kept.messageText.Length(), DISPLAYED_TEXT_MAX_UNITS);
         },
         {{kPing}, {}, {}, 0, 1, {3, 1}}},
        {"runs hung and unlinked when the user taps: its window is found and shown without waiting on it",
         [](Stage& stage) {
             ThreadedMainApplication::Options hung;
             hung.hungFromStart = true;
             ThreadedMainApplication& main = stage.First(hung);
             stage.Act();
             main.Release();
             main.Sync();
             EXPECT_TRUE(IsWindowVisible(main.hwnd()) && IsZoomed(main.hwnd()));
         },
         {{}, {}, {}, 0, 0, {1, 0}}},
        {"is still starting (its program runs, with no window yet) when the user taps again; then ends",
         [](Stage& stage) {
             stage.recorder.HoldStarted();
             stage.Act();
             EXPECT_TRUE(stage.recorder.WaitForStart());
             stage.Act();
             stage.recorder.ReleaseStarted();
             EXPECT_EQ(stage.recorder.StartsWhenAllEnded(), 1);
             stage.Act();  // it ended without a window: a new start
             EXPECT_TRUE(stage.recorder.WaitForStart());
         },
         {{}, {}, {}, 2, 0, {1, 0}}},
        {"shows a sign-in window of its own while it starts: a tap brings that window forward, nothing more starts",
         [](Stage& stage) {
             stage.recorder.HoldStartedShowing(L"Signing in");
             stage.Act();
             EXPECT_TRUE(stage.recorder.WaitForStart());
             const HWND signIn = FindWindowW(LaunchRecorder::kSplashClass, L"Signing in");
             EXPECT_NE(signIn, nullptr);
             SetForegroundWindow(stage.host.hwnd());
             stage.Act();
             // Its own thread takes the activation in: the window comes forward once it has.
             EXPECT_TRUE(PumpUntil([signIn] { return GetForegroundWindow() == signIn; }, 5000));
             stage.recorder.ReleaseStarted();
         },
         {{}, {}, {}, 1, 0, {1, 0}}},
        {"hangs while starting, past the start-up bound: the next tap looks for it again and starts it",
         [](Stage& stage) {
             stage.model->startedProgram.startupBoundMs = 0;
             stage.recorder.HoldStarted();
             stage.Act();
             EXPECT_TRUE(stage.recorder.WaitForStart());
             stage.Act();
             EXPECT_TRUE(stage.recorder.WaitForStart());
             stage.recorder.ReleaseStarted();
         },
         {{}, {}, {}, 2, 0, {1, 0}}},
    };
    // clang-format on
}

}  // namespace

TEST(LinkTiming, EachRowStatesWhatTheMainApplicationReceivesTheStartsAndWhatTheItemShows) {
    for (size_t i = 0; i < Rows(nullptr).size(); ++i) {
        Stage stage;
        Check(stage, Rows(stage.item)[i]);
    }
}
