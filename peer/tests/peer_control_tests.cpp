// The control commands, each run as its own process against the running program, and the command line's
// failures.
#include "PeerFixture.h"
#include "PeerNotices.h"
#include "Notice.h"
#include "toolbox/Utf8.h"

namespace {

const char kOneNoticeJson[] = R"({"notices":[{"key":"k0","sender":"Zhao","text":"first","time":"2024-05-17 08:00"}]})";
const std::wstring kZeroPayload =
    L"k0\0\0Zhao\0first\0"
    L"133604064000000000"s;

}  // namespace

TEST_F(PeerTest, SendAddsToThePendingNoticesAndPushesThemAll) {
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(scratch.Write(L"one.json", kOneNoticeJson))));
    item.Clear();
    ASSERT_TRUE(PeerCommand(L"send " + Quoted(scratch.Write(L"two.json", kTwoNoticesJson))));
    EXPECT_TRUE(SequenceIs(item.Messages(), Push({kZeroPayload, kFirstPayload, kSecondPayload})));
    EXPECT_EQ(L"<p>3 new messages</p>", notificationArea.Shown());
}

TEST_F(PeerTest, NotificationSaysHowManyArePendingAfterEveryChange) {
    const std::wstring one = Quoted(scratch.Write(L"one.json", kOneNoticeJson));
    const std::wstring two = Quoted(scratch.Write(L"two.json", kTwoNoticesJson));
    ASSERT_TRUE(StartPeer(L"run --notices " + one));
    EXPECT_EQ(L"<p>1 new message</p>", notificationArea.Shown());
    const struct {
        std::wstring command;
        std::wstring shown;  // "" while none is up
        size_t calls;        // notification calls so far
    } steps[] = {
        {L"send " + two, L"<p>3 new messages</p>", 3},
        {L"add " + one, L"<p>4 new messages</p>", 5},
        {L"send", L"<p>4 new messages</p>", 5},  // nothing new: the entry is left alone
        {L"clear", L"", 6},
        {L"add " + two, L"<p>2 new messages</p>", 7},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(ToUtf8(step.command));
        ASSERT_TRUE(PeerCommand(step.command));
        EXPECT_EQ(step.shown, notificationArea.Shown());
        EXPECT_EQ(step.calls, notificationArea.Calls().size());
    }
    // A new count replaces the entry: never two up at once.
    const std::vector<NotificationCall> calls = notificationArea.Calls();
    for (size_t i = 1; i < calls.size(); ++i) {
        if (calls[i].op == ShellNotificationOpAdd) {
            EXPECT_EQ(ShellNotificationOpRemove, calls[i - 1].op) << i;
        }
    }
}

TEST_F(PeerTest, AddSendsOnlyTheNewNoticesAndSortFollowsOnRequest) {
    ASSERT_TRUE(StartPeer(L"run"));
    EXPECT_TRUE(notificationArea.Calls().empty()) << "nothing pending, nothing raised";
    item.Clear();
    ASSERT_TRUE(PeerCommand(L"add " + Quoted(scratch.Write(L"two.json", kTwoNoticesJson))));
    ASSERT_TRUE(PeerCommand(L"sort"));
    HWND peerWindow = PublishedPeer();
    EXPECT_TRUE(SequenceIs(item.Messages(),
                           {CopyDataFrom(peerWindow, kFirstPayload), CopyDataFrom(peerWindow, kSecondPayload), kSort}));
    ASSERT_EQ(1u, notificationArea.Calls().size());
    EXPECT_EQ(ShellNotificationOpAdd, notificationArea.Calls()[0].op);
}

TEST_F(PeerTest, StatusAndClearReachTheItemAndClearRemovesTheNotification) {
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(scratch.Write(L"one.json", kOneNoticeJson))));
    item.Clear();
    ASSERT_TRUE(PeerCommand(L"status 5"));
    ASSERT_TRUE(PeerCommand(L"status"));
    ASSERT_TRUE(PeerCommand(L"clear"));
    EXPECT_TRUE(SequenceIs(item.Messages(), {{LINKM_STATUS, Delivery::Sent, 5, 0},
                                             {LINKM_STATUS, Delivery::Sent, 0, 0},
                                             {LINKM_CLEAR, Delivery::Sent, 0, 0}}));
    ASSERT_EQ(2u, notificationArea.Calls().size());
    EXPECT_EQ(ShellNotificationOpRemove, notificationArea.Calls()[1].op);
    EXPECT_EQ(static_cast<DWORD>(MAIN_NOTIFICATION_ID), notificationArea.Calls()[1].id);

    // Cleared means gone: the next push carries no notices.
    item.Clear();
    ASSERT_TRUE(PeerCommand(L"send"));
    EXPECT_TRUE(SequenceIs(item.Messages(), Push({})));
}

TEST_F(PeerTest, DetachSaysGoodbyeAndForgetsTheItem) {
    ASSERT_TRUE(StartPeer(L"run"));
    item.Clear();
    ASSERT_TRUE(PeerCommand(L"detach"));
    ASSERT_TRUE(PeerCommand(L"sort"));
    EXPECT_TRUE(SequenceIs(item.Messages(), kGoodbye));
}

TEST_F(PeerTest, FloodSendsThatManyGeneratedNoticesAndNothingElse) {
    ASSERT_TRUE(StartPeer(L"run"));
    item.Clear();
    ASSERT_TRUE(PeerCommand(L"flood 40 7"));
    ASSERT_TRUE(PeerCommand(L"flood 1"));
    const std::vector<RecordedMessage>& received = item.Messages();
    ASSERT_EQ(41u, received.size());
    for (size_t i = 0; i < 40; ++i) {
        ASSERT_EQ(static_cast<UINT>(WM_COPYDATA), received[i].message);
        // Texts cut to 7 characters; times a second apart from 09:00, so a flood sorts as sent.
        const std::wstring expected = L"flood-" + std::to_wstring(i) + L"\0\0Sender "s + std::to_wstring(i) +
                                      L"\0Notice \0"s + std::to_wstring(133604100000000000ull + i * 10000000ull);
        EXPECT_EQ(expected, received[i].CopyDataText()) << i;
    }
    const std::wstring last = received[40].CopyDataText();
    const std::wstring head = L"flood-0\0\0Sender 0\0Notice 0: the quick"s;
    EXPECT_EQ(head, last.substr(0, head.size()));
    EXPECT_EQ(L"flood-0\0\0Sender 0\0"s.size() + 100 + 1 + 18, last.size()) << "a 100-character text by default";
}

// hang stops answering once for that long; slow answers every message of the item that late until set back.
TEST_F(PeerTest, HangAndSlowHoldTheAnswersBack) {
    ASSERT_TRUE(StartPeer(L"run"));
    HWND peerWindow = PublishedPeer();
    const struct {
        const wchar_t* command;
        const wchar_t* undo;
    } cases[] = {{L"hang 1000", nullptr}, {L"slow 1000", L"slow 0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.command));
        ASSERT_TRUE(PeerCommand(c.command));
        // Holding back has begun before the command returned, so a short wait must fail...
        DWORD_PTR answer = 0;
        EXPECT_EQ(0, SendMessageTimeoutW(peerWindow, LINKM_PING, 0, 0, SMTO_NORMAL, 100, &answer));
        // ...and once it is over (or set back) the program answers again.
        if (c.undo) {
            ASSERT_TRUE(PeerCommand(c.undo));
        }
        EXPECT_EQ(1, SendMessageW(peerWindow, LINKM_ACTIVATE, reinterpret_cast<WPARAM>(item.hwnd()), 0));
    }
}

// As a messenger that crashes and is started again: no goodbye, then a new window that pushes what is pending.
TEST_F(PeerTest, RestartComesBackWithANewWindowAndPushesItsNotices) {
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(scratch.Write(L"one.json", kOneNoticeJson))));
    HWND before = PublishedPeer();
    item.Clear();
    ASSERT_TRUE(PeerCommand(L"restart"));
    HWND after = PublishedPeer();
    EXPECT_NE(before, after);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(IsWindow(after));
    EXPECT_TRUE(SequenceIs(item.Messages(), Push({kZeroPayload})));
    EXPECT_EQ(L"<p>1 new message</p>", notificationArea.Shown());
    ASSERT_TRUE(PeerCommand(L"sort"));  // the commands find the new window
    EXPECT_EQ(static_cast<UINT>(LINKM_SORT), item.Messages().back().message);
}

TEST_F(PeerTest, ExitDetachesRemovesTheNotificationAndZeroesTheHandle) {
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(scratch.Write(L"one.json", kOneNoticeJson))));
    HWND peerWindow = PublishedPeer();
    item.Clear();
    ASSERT_TRUE(PeerCommand(L"exit"));
    // The command returns only once the program has ended.
    EXPECT_FALSE(peer.Running());
    EXPECT_EQ(0u, peer.ExitCode());
    EXPECT_TRUE(SequenceIs(item.Messages(), kGoodbye));
    EXPECT_EQ(nullptr, PublishedPeer());
    EXPECT_FALSE(IsWindow(peerWindow));
    ASSERT_EQ(2u, notificationArea.Calls().size());
    EXPECT_EQ(ShellNotificationOpRemove, notificationArea.Calls()[1].op);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(ready.get(), 0))
        << "readiness outlived the program";
}

TEST_F(PeerTest, CrashLeavesTheStaleHandleAndSaysNothing) {
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(scratch.Write(L"one.json", kOneNoticeJson))));
    HWND peerWindow = PublishedPeer();
    item.Clear();
    ASSERT_TRUE(PeerCommand(L"crash"));
    EXPECT_FALSE(peer.Running());
    EXPECT_NE(0u, peer.ExitCode());
    EXPECT_TRUE(item.Messages().empty());
    EXPECT_EQ(peerWindow, PublishedPeer());
    EXPECT_FALSE(IsWindow(peerWindow));
    EXPECT_EQ(1u, notificationArea.Calls().size()) << "the notification stays for the item to remove";
}

TEST(PeerCommandLine, BadCommandsFailWithAMessageThatNamesTheProblem) {
    ASSERT_EQ(nullptr, FindWindowW(MAIN_WINDOW_CLASS, nullptr)) << "a stand-in from elsewhere is running";
    ScratchFolder scratch;
    std::wstring broken = scratch.Write(L"broken.json", R"({"notices":[)");
    std::wstring misspelt = scratch.Write(L"misspelt.json", R"({"notices":[{"sendr":"Li"}]})");
    std::wstring lateTime = scratch.Write(L"late.json", R"({"notices":[{"time":"2024-13-01 10:00"}]})");
    std::wstring missing = scratch.Path(L"missing.json");
    const struct {
        std::wstring arguments;
        DWORD exitCode;
        std::string message;
    } cases[] = {
        {L"bogus", 2, "unknown command 'bogus'"},
        {L"bogus", 2, "usage: ArdenoPeer.exe"},
        {L"run --fast", 2, "run: unknown option '--fast'"},
        {L"run --notices", 2, "option '--notices' needs a value"},
        {L"run --hang-ping-ms soon", 2, "--hang-ping-ms needs milliseconds"},
        {L"run --language klingon", 2, "--language is latin or chinese, not 'klingon'"},
        {L"run --window-at 10", 2, "--window-at needs X,Y in pixels, not '10'"},
        {L"hang", 2, "hang: missing milliseconds"},
        {L"slow", 2, "slow: missing milliseconds"},
        {L"restart soon", 2, "restart: needs milliseconds from 0 to 600000, not 'soon'"},
        {L"status 1 2", 2, "unexpected argument '2'"},
        {L"flood", 2, "flood: missing notice count"},
        {L"flood 0", 2, "flood: the notice count must be from 1 to 1000000, not '0'"},
        {L"flood 5 lots", 2, "flood: the text length must be"},
        {L"run --notices " + Quoted(missing), 1, "notices file: cannot read '" + ToUtf8(missing) + "': "},
        {L"run --notices " + Quoted(broken), 1, "notices file '" + ToUtf8(broken) + "': invalid JSON"},
        {L"send " + Quoted(misspelt), 1, "unknown field \"sendr\""},
        {L"add " + Quoted(lateTime), 1, "\"time\" must be"},
        {L"sort", 1, "no running instance"},
        {L"exit", 1, "no running instance"},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(ToUtf8(testCase.arguments));
        CommandResult result = RunPeerCommand(testCase.arguments);
        EXPECT_EQ(testCase.exitCode, result.exitCode);
        EXPECT_NE(std::string::npos, result.errorOutput.find(testCase.message)) << result.errorOutput;
    }
}
