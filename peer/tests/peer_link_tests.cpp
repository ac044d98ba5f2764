// The program as the item meets it: the start-up handshake and push, and its answers to the item's messages.
#include "PeerFixture.h"
#include "PeerNotices.h"
#include "platform/ShellNotificationArea.h"
#include "support/JsonLines.h"
#include "toolbox/Utf8.h"

namespace {
const CLSID kNotificationClass = MAIN_NOTIFICATION_CLSID;
}  // namespace

TEST_F(PeerTest, PushesAttachNoticesAndSortToThePublishedItem) {
    std::wstring notices = scratch.Write(L"two.json", kTwoNoticesJson);
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(notices)));

    HWND published = PublishedPeer();
    EXPECT_EQ(FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN), published);
    EXPECT_TRUE(SequenceIs(item.Messages(), Push({kFirstPayload, kSecondPayload})));
    ASSERT_EQ(1u, notificationArea.Calls().size());
    EXPECT_EQ(ShellNotificationOpAdd, notificationArea.Calls()[0].op);
    EXPECT_TRUE(IsEqualCLSID(kNotificationClass, notificationArea.Calls()[0].clsid));
    EXPECT_EQ(static_cast<DWORD>(MAIN_NOTIFICATION_ID), notificationArea.Calls()[0].id);
}

TEST_F(PeerTest, RawPayloadsReachTheItemByteForByte) {
    std::wstring notices = scratch.Write(L"raw.json", kRawNoticeJson);
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(notices)));
    EXPECT_TRUE(SequenceIs(item.Messages(), Push({kRawPayload})));
}

// The kit sends a notice as the item keeps it and refuses first what the item would refuse; the stand-in writes
// the refusal down and sends the rest.
TEST_F(PeerTest, WhatTheKitRefusesIsWrittenDownAndTheRestIsPushed) {
    const std::string longKey(NOTICE_KEY_MAX_UNITS + 1, 'k'), longSender(DISPLAYED_TEXT_MAX_UNITS + 1, 's');
    const std::wstring transcript = scratch.Path(L"transcript.jsonl");
    const std::wstring notices = scratch.Write(
        L"refused.json", R"({"notices":[{"key":")" + longKey + R"("},{"key":"k2","sender":")" + longSender + R"("}]})");
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(notices) + L" --transcript " + Quoted(transcript)));
    const std::wstring cut(DISPLAYED_TEXT_MAX_UNITS, L's');
    EXPECT_TRUE(SequenceIs(item.Messages(), Push({L"k2\0\0"s + cut + L"\0\0"s + L"0"})));
    bool refused = false;
    for (const nlohmann::json& line : ReadJsonLines(transcript))
        refused = refused || (line["dir"] == "self" && line["name"] == "NoticeRefused" &&
                              line["why"] == "key too long" && line["key"] == longKey);
    EXPECT_TRUE(refused);
}

TEST_F(PeerTest, WithoutAPublishedItemWaitsForTheItemToAttach) {
    item.Publish(0);
    std::wstring notices = scratch.Write(L"two.json", kTwoNoticesJson);
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(notices)));
    EXPECT_TRUE(item.Messages().empty());
    EXPECT_EQ(1u, notificationArea.Calls().size()) << "pending notices raise the notification all the same";

    // The push happens while the item still waits for its attach message to be answered; as an item does, it has
    // published its window first.
    item.Publish();
    EXPECT_EQ(1, SendMessageW(PublishedPeer(), LINKM_ITEM_ATTACH, reinterpret_cast<WPARAM>(item.hwnd()), 0));
    EXPECT_TRUE(SequenceIs(item.Messages(), Push({kFirstPayload, kSecondPayload})));
}

TEST_F(PeerTest, IgnoresTheStaleHandleOfAGoneItem) {
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    item.Publish(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(gone)));
    ASSERT_TRUE(StartPeer(L"run"));
    EXPECT_NE(nullptr, PublishedPeer());
    EXPECT_TRUE(item.Messages().empty());
}

TEST_F(PeerTest, StartedAsTheItemStartsItTakesItsFilesFromTheEnvironment) {
    std::wstring notices = scratch.Write(L"two.json", kTwoNoticesJson);
    std::wstring transcript = scratch.Path(L"transcript.jsonl");
    // A path with a space and no command line: the program sees its own path, unquoted, as the command line.
    std::wstring program = scratch.Path(L"Ardeno Messenger.exe");
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\ArdenoPeer.exe").c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\aygshell.dll").c_str(), scratch.Path(L"aygshell.dll").c_str(), FALSE));
    ASSERT_TRUE(
        peer.StartWithoutCommandLine(program, {{PEER_NOTICES_ENV, notices}, {PEER_TRANSCRIPT_ENV, transcript}}));
    ASSERT_TRUE(ready.WaitFor(peer));
    EXPECT_TRUE(SequenceIs(item.Messages(), Push({kFirstPayload, kSecondPayload})));

    // Each line is in the file as soon as its message has been sent, while the program runs on.
    auto lines = ReadJsonLines(transcript);
    ASSERT_EQ(5u, lines.size());
    const char* expected[][2] = {{"called", "SHNotificationAdd"},
                                 {"sent", "LINKM_MAIN_ATTACH"},
                                 {"sent", "WM_COPYDATA"},
                                 {"sent", "WM_COPYDATA"},
                                 {"sent", "LINKM_SORT"}};
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(expected[i][0], lines[i]["dir"]) << i;
        EXPECT_EQ(expected[i][1], lines[i]["name"]) << i;
    }
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(PublishedPeer()), lines[1]["wParam"]);
    EXPECT_EQ(ToUtf8(kFirstPayload), lines[2]["text"]);
    EXPECT_EQ(kFirstPayload.size() * 2, lines[2]["cbData"]);
    EXPECT_EQ(1, lines[4]["result"]);

    EXPECT_EQ(1, SendMessageW(PublishedPeer(), LINKM_PING, 0, 0));
    lines = ReadJsonLines(transcript);
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ("received", lines[5]["dir"]);
    EXPECT_EQ(LINKM_PING, lines[5]["msg"]);
    EXPECT_EQ(1, lines[5]["result"]);
}

TEST_F(PeerTest, ChineseTitleIsFoundByTheControlCommands) {
    ASSERT_TRUE(StartPeer(L"run --language chinese --notices " + Quoted(scratch.Write(L"two.json", kTwoNoticesJson))));
    EXPECT_EQ(PublishedPeer(), FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_CHINESE));
    EXPECT_EQ(nullptr, FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN));
    EXPECT_EQ(L"<p>2 \u6761\u65B0\u6D88\u606F</p>", notificationArea.Shown());
    CommandResult exited = RunPeerCommand(L"exit");
    EXPECT_EQ(0u, exited.exitCode) << exited.errorOutput;
    EXPECT_FALSE(peer.Running());
}

TEST_F(PeerTest, RefusesToStartASecondInstance) {
    ASSERT_TRUE(StartPeer(L"run"));
    HWND first = PublishedPeer();
    CommandResult second = RunPeerCommand(L"run");
    EXPECT_EQ(1u, second.exitCode);
    EXPECT_NE(std::string::npos, second.errorOutput.find("already running")) << second.errorOutput;
    EXPECT_EQ(first, PublishedPeer());
}

TEST_F(PeerTest, AnswersPingActivationAndTheHandedBackKey) {
    std::wstring transcript = scratch.Path(L"transcript.jsonl");
    ASSERT_TRUE(StartPeer(L"run --transcript " + Quoted(transcript)));
    HWND peerWindow = PublishedPeer();
    EXPECT_EQ(1, SendMessageW(peerWindow, LINKM_PING, 0, 0));
    EXPECT_EQ(1, SendMessageW(peerWindow, LINKM_ACTIVATE, reinterpret_cast<WPARAM>(item.hwnd()), 0));

    std::wstring key = L"k\tey";
    COPYDATASTRUCT data = {0, static_cast<DWORD>(key.size() * 2), &key[0]};
    EXPECT_EQ(1, SendMessageW(peerWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(item.hwnd()),
                              reinterpret_cast<LPARAM>(&data)));
    auto lines = ReadJsonLines(transcript);
    ASSERT_GE(lines.size(), 2u);
    const nlohmann::json& received = lines[lines.size() - 2];
    EXPECT_EQ("received", received["dir"]);
    EXPECT_EQ("k\tey", received["text"]);
    EXPECT_EQ("6b00090065007900", received["hex"]);
    // No such notice is pending: nothing is opened.
    EXPECT_EQ("OpenNotice", lines.back()["name"]);
    EXPECT_EQ(false, lines.back()["found"]);
}

// The messenger opens the notice whose key the item hands back, and the item gets the rest before its send
// returns.
TEST_F(PeerTest, HandedBackKeyOpensExactlyThatNoticeAndPushesTheRest) {
    std::wstring transcript = scratch.Path(L"transcript.jsonl");
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(scratch.Write(L"two.json", kTwoNoticesJson)) + L" --transcript " +
                          Quoted(transcript)));
    HWND peerWindow = PublishedPeer();
    const struct {
        std::wstring key;
        bool pending;
        std::vector<std::wstring> rest;  // pushed when the key was pending
        std::wstring shown;
    } steps[] = {
        {L"k2", true, {kFirstPayload}, L"<p>1 new message</p>"},
        {L"k2", false, {}, L"<p>1 new message</p>"},  // opened already: nothing changes
        {L"k", false, {}, L"<p>1 new message</p>"},   // keys match whole
        {L"k1", true, {}, L""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(ToUtf8(step.key));
        item.Clear();
        std::wstring key = step.key;
        COPYDATASTRUCT data = {0, static_cast<DWORD>(key.size() * 2), &key[0]};
        EXPECT_EQ(1, SendMessageW(peerWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(item.hwnd()),
                                  reinterpret_cast<LPARAM>(&data)));
        if (step.pending) EXPECT_TRUE(SequenceIs(item.Messages(), Push(step.rest)));
        else EXPECT_TRUE(item.Messages().empty());
        EXPECT_EQ(step.shown, notificationArea.Shown());
    }

    // Each key: received, then opened (or not found), then the push.
    std::vector<nlohmann::json> opened;
    auto lines = ReadJsonLines(transcript);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i]["dir"] != "self") continue;
        opened.push_back(lines[i]);
        EXPECT_EQ("received", lines[i - 1]["dir"]);
        EXPECT_EQ(lines[i]["key"], lines[i - 1]["text"]);
    }
    ASSERT_EQ(4u, opened.size());
    const std::pair<bool, int> expected[] = {{true, 1}, {false, 1}, {false, 1}, {true, 0}};
    for (size_t i = 0; i < opened.size(); ++i) {
        EXPECT_EQ("OpenNotice", opened[i]["name"]);
        EXPECT_EQ(expected[i].first, opened[i]["found"]) << i;
        EXPECT_EQ(expected[i].second, opened[i]["pending"]) << i;
    }
}

TEST_F(PeerTest, OptionsChangeTheAnswers) {
    ASSERT_TRUE(StartPeer(L"run --refuse-key --activate-answer 7"));
    HWND peerWindow = PublishedPeer();
    EXPECT_EQ(7, SendMessageW(peerWindow, LINKM_ACTIVATE, reinterpret_cast<WPARAM>(item.hwnd()), 0));
    std::wstring key = L"k1";
    COPYDATASTRUCT data = {0, static_cast<DWORD>(key.size() * 2), &key[0]};
    EXPECT_EQ(0, SendMessageW(peerWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(item.hwnd()),
                              reinterpret_cast<LPARAM>(&data)));
}

TEST_F(PeerTest, SlowPingOptionHoldsTheAnswerBack) {
    ASSERT_TRUE(StartPeer(L"run --hang-ping-ms 5000"));
    DWORD_PTR answer = 0;
    EXPECT_EQ(0, SendMessageTimeoutW(PublishedPeer(), LINKM_PING, 0, 0, SMTO_NORMAL, 100, &answer));
}

TEST_F(PeerTest, ItemDetachStopsPushesUntilTheItemAttachesAgain) {
    std::wstring notices = scratch.Write(L"two.json", kTwoNoticesJson);
    ASSERT_TRUE(StartPeer(L"run --notices " + Quoted(notices)));
    item.Clear();
    HWND peerWindow = PublishedPeer();
    EXPECT_EQ(1, SendMessageW(peerWindow, LINKM_ITEM_DETACH, reinterpret_cast<WPARAM>(item.hwnd()), 0));
    CommandResult sent = RunPeerCommand(L"send");
    EXPECT_EQ(0u, sent.exitCode) << sent.errorOutput;
    EXPECT_TRUE(item.Messages().empty());

    EXPECT_EQ(1, SendMessageW(peerWindow, LINKM_ITEM_ATTACH, reinterpret_cast<WPARAM>(item.hwnd()), 0));
    EXPECT_TRUE(SequenceIs(item.Messages(), Push({kFirstPayload, kSecondPayload})));
}
