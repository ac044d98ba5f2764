// The item and the messenger's stand-in in two processes, as on a device: the real item DLL under a host
// window in this process, ArdenoPeer.exe in its own, talking through the named sections and window
// messages. The item runs on this thread, so whenever the stand-in may send to it the test waits by
// pumping messages (bounded), never by sleeping. What the stand-in saw is read from its transcript.
#include "link/MainLink.h"
#include "kit/LinkWire.h"
#include "peer/PeerNames.h"
#include "platform/ShellNotificationArea.h"
#include "support/ItemHarness.h"
#include "support/JsonLines.h"
#include "support/NotificationArea.h"
#include "support/PeerProcess.h"
#include "toolbox/WindowCapture.h"
#include "support/Registry.h"
#include "toolbox/Utf8.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

namespace {

using json = nlohmann::json;

constexpr DWORD kOneLine = 20, kThreeLines = 60;
constexpr COLORREF kArrowColour = RGB(0xFF, 0x8C, 0x00);
// In a 240 x 60 item with 20-pixel lines: the arrow icons, and the right end of the first line, where
// only the three-line view writes ("[1/3] ").
constexpr RECT kPrevArrowIcon = {0, 30, 16, 46};
constexpr RECT kNextArrowIcon = {223, 30, 239, 46};
constexpr RECT kPositionText = {170, 0, 240, 20};
const CLSID kNotificationClass = MAIN_NOTIFICATION_CLSID;

// Three notices listed out of time order: the item shows them sorted, "early" first.
const char kThreeNoticesJson[] = R"({"notices":[
    {"key":"late","sender":"Wang","text":"third","time":"2024-05-17 11:00"},
    {"key":"early","sender":"Li","text":"first","time":"2024-05-17 09:00"},
    {"key":"middle","sender":"Zhao","text":"second","time":"2024-05-17 10:00"}]})";

// A key that a careless copy, a text conversion or the display clean-up of the item would change: Chinese,
// Latin-1, a character outside the basic plane (a surrogate pair), tab, line breaks, backspace, quote,
// backslash, blanks at both ends.
const char kOddKeyJson[] = R"({"notices":[
    {"key":" \u952e\t\u00e9\r\n\b\ud83d\ude00\"\\ ","sender":"Li","text":"odd","time":"2024-05-17 09:00"}]})";
const std::wstring kOddKey = L" \u952E\t\u00E9\r\n\b\U0001F600\"\\ ";

std::string Hex(const std::wstring& text) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (wchar_t c : text)
        for (int byte : {c & 0xFF, (c >> 8) & 0xFF}) {
            hex += digits[byte >> 4];
            hex += digits[byte & 15];
        }
    return hex;
}

unsigned long HandleNumber(HWND window) { return static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)); }

bool Is(const json& line, const char* direction, const char* name) {
    return line.value("dir", "") == direction && line.value("name", "") == name;
}

// An environment variable of this process for the test's lifetime; processes started meanwhile inherit it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const std::wstring& value) : name(name) {
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedEnvironment() { SetEnvironmentVariableW(name, nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const wchar_t* name;
};

class EndToEndTest : public ::testing::Test {
protected:
    EndToEndTest() : productKey(TEST_PRODUCT_KEY) {
        // Before the item loads: it reads the install path once, when it is created.
        productKey.SetString(L"InstallPath", ProgramFolder() + L"\\ArdenoPeer.exe");
    }

    void SetUp() override {
        ASSERT_EQ(FindWindowW(MAIN_WINDOW_CLASS, nullptr), nullptr) << "a stand-in from elsewhere is running";
    }

    void WriteNotices(const char* jsonText) { noticesPath = scratch.Write(L"notices.json", jsonText); }

    ::testing::AssertionResult InitialiseItem() {
        loaded = std::make_unique<LoadedItem>();
        if (!loaded->item) return ::testing::AssertionFailure() << "the item was not created";
        return ::testing::AssertionSuccess();
    }

    // Starts the stand-in with the notices and the transcript and waits, pumping, until it is ready: by
    // then it has published its window and done its start-up push.
    ::testing::AssertionResult StartPeer() {
        std::wstring arguments = L"run --transcript " + Quoted(transcriptPath);
        if (!noticesPath.empty()) arguments += L" --notices " + Quoted(noticesPath);
        return peerReady.Start(peer, arguments);
    }

    static HWND PeerWindow() { return FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN); }

    LRESULT Send(UINT message, WPARAM wParam = 0) const { return loaded->Send(message, wParam); }
    // The host sizes the item for three lines and lets it paint.
    Capture PaintedThreeLinesHigh() {
        loaded->Resize(240, kThreeLines);
        return loaded->Painted();
    }
    // The stand-in started with three notices after the item, both linked and the three lines painted.
    void StartLinkedAndPainted() {
        WriteNotices(kThreeNoticesJson);
        ASSERT_TRUE(InitialiseItem());
        ASSERT_TRUE(StartPeer());
        ASSERT_EQ(loaded->Height(), kThreeLines);
        PaintedThreeLinesHigh();
        ASSERT_EQ(loaded->Query(), 0);
    }

    static bool ShowsFirstOfSeveralNotices(const Capture& capture) {
        return capture.Any(kPositionText, kHostTextColor) && capture.Any(kNextArrowIcon, kArrowColour) &&
               !capture.Any(kPrevArrowIcon, kArrowColour);
    }
    static bool ShowsOneLineView(const Capture& capture) {
        return !capture.Any(kPositionText, kHostTextColor) && !capture.Any({0, 20, 240, 60}, kArrowColour);
    }

    std::vector<json> Transcript() const { return ReadJsonLines(transcriptPath); }
    // What the stand-in received as handed-back keys (copy-data with dwData 0), as hex of the bytes.
    std::vector<std::string> KeysHandedBack() const {
        std::vector<std::string> keys;
        for (const json& line : Transcript())
            if (Is(line, "received", "WM_COPYDATA") && line.value("dwData", 1) == 0) keys.push_back(line["hex"]);
        return keys;
    }

    // The keys of the notices in the stand-in's last push (from its attach to its sort).
    std::vector<std::string> LastPushKeys() const {
        std::vector<std::string> keys;
        for (const json& line : Transcript()) {
            if (Is(line, "sent", "LINKM_MAIN_ATTACH")) keys.clear();
            if (Is(line, "sent", "WM_COPYDATA")) {
                std::string text = line["text"];
                keys.push_back(text.substr(0, text.find('\0')));
            }
        }
        return keys;
    }
    ScopedRegistryKey productKey;
    ScratchFolder scratch;
    std::wstring noticesPath;
    const std::wstring transcriptPath = scratch.Path(L"transcript.jsonl");
    PeerReady peerReady;
    // Where our shell helper library reports notification calls (the stand-in's and the item's).
    NotificationAreaWindow notificationArea;
    std::unique_ptr<LoadedItem> loaded;
    ChildProcess peer;
    // Ends first: every stand-in and command this process started, also one the item started, is gone
    // before the item unloads and before the next test.
    ChildProcessSweep sweep;
};

TEST_F(EndToEndTest, PeerStartedAfterTheItemPushesItsNoticesAndTheItemGrowsToThreeLines) {
    WriteNotices(kThreeNoticesJson);
    ASSERT_TRUE(InitialiseItem());
    ASSERT_EQ(loaded->Height(), kOneLine);
    ASSERT_TRUE(ShowsOneLineView(PaintedThreeLinesHigh()));

    ASSERT_TRUE(StartPeer());
    EXPECT_EQ(loaded->Query(), 1);
    EXPECT_EQ(loaded->record.cyp, kThreeLines);
    EXPECT_TRUE(ShowsFirstOfSeveralNotices(PaintedThreeLinesHigh()));
    EXPECT_EQ(loaded->Query(), 0) << "painted and unchanged";

    // Attach names the stand-in's window, and the item took every message.
    std::vector<json> sent;
    for (const json& line : Transcript())
        if (line["dir"] == "sent") sent.push_back(line);
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_TRUE(Is(sent[0], "sent", "LINKM_MAIN_ATTACH"));
    EXPECT_EQ(sent[0]["wParam"], HandleNumber(PeerWindow()));
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(Is(sent[i], "sent", "WM_COPYDATA")) << i;
    EXPECT_TRUE(Is(sent[4], "sent", "LINKM_SORT"));
    for (const json& line : sent) EXPECT_EQ(line["result"], 1) << line.dump();
}

TEST_F(EndToEndTest, ItemInitialisedAfterThePeerFindsItAndIsPushedTheNoticesInAnswer) {
    WriteNotices(kThreeNoticesJson);
    ASSERT_TRUE(StartPeer());
    for (const json& line : Transcript()) ASSERT_NE(line["dir"], "sent") << "no item yet, nothing to push to";

    // The push arrives while the item waits for its 1126 to be answered, inside the initialisation.
    ASSERT_TRUE(InitialiseItem());
    EXPECT_EQ(loaded->Height(), kThreeLines);
    EXPECT_TRUE(ShowsFirstOfSeveralNotices(PaintedThreeLinesHigh()));

    std::vector<json> lines = Transcript();
    auto attach = std::find_if(lines.begin(), lines.end(),
                               [](const json& line) { return Is(line, "received", "LINKM_ITEM_ATTACH"); });
    ASSERT_NE(attach, lines.end());
    EXPECT_EQ((*attach)["wParam"], HandleNumber(loaded->item));
    const char* pushed[] = {"LINKM_MAIN_ATTACH", "WM_COPYDATA", "WM_COPYDATA", "WM_COPYDATA", "LINKM_SORT"};
    ASSERT_GE(lines.end() - attach, 6);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(Is(attach[1 + i], "sent", pushed[i])) << attach[1 + i].dump();
}

TEST_F(EndToEndTest, ActionBringsThePeerToTheFrontAndHandsTheKeyBackByteForByte) {
    WriteNotices(kOddKeyJson);
    ASSERT_TRUE(InitialiseItem());
    ASSERT_TRUE(StartPeer());
    ASSERT_EQ(loaded->Height(), kThreeLines);
    // The stand-in shows its window when it starts: the host takes the front back first.
    SetForegroundWindow(loaded->host.hwnd());
    ASSERT_EQ(GetForegroundWindow(), loaded->host.hwnd());

    EXPECT_EQ(loaded->Act(), 1);
    std::vector<json> lines = Transcript();
    auto handedBack = std::find_if(lines.begin(), lines.end(), [](const json& line) {
        return Is(line, "received", "WM_COPYDATA") && line.value("dwData", 1) == 0;
    });
    ASSERT_NE(handedBack, lines.end());
    ASSERT_NE(handedBack, lines.begin());
    const json& activate = handedBack[-1];
    const json& key = *handedBack;
    EXPECT_TRUE(Is(activate, "received", "LINKM_ACTIVATE")) << activate.dump();
    EXPECT_EQ(activate["wParam"], HandleNumber(loaded->item));
    EXPECT_EQ(activate["result"], 1);
    EXPECT_EQ(GetForegroundWindow(), PeerWindow());

    EXPECT_TRUE(Is(key, "received", "WM_COPYDATA")) << key.dump();
    EXPECT_EQ(key["wParam"], HandleNumber(loaded->item));
    EXPECT_EQ(key["dwData"], 0);
    EXPECT_EQ(key["cbData"], kOddKey.size() * 2);
    EXPECT_EQ(key["hex"], Hex(kOddKey));
    EXPECT_EQ(key["result"], 1);
    // The stand-in opened its only notice and pushed none back.
    EXPECT_EQ(loaded->Height(), kOneLine);
}

TEST_F(EndToEndTest, ActionHandsBackTheShownNoticeAndPagingRightMovesToTheNextByTime) {
    WriteNotices(kThreeNoticesJson);
    ASSERT_TRUE(InitialiseItem());
    ASSERT_TRUE(StartPeer());
    ASSERT_EQ(loaded->Height(), kThreeLines);

    // The stand-in opens "early" and pushes the other two: the item shows "middle", and "late" is next.
    loaded->Act();
    EXPECT_EQ(Send(WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT), 1);
    loaded->Act();
    EXPECT_EQ(KeysHandedBack(), (std::vector<std::string>{Hex(L"early"), Hex(L"late")}));
    int activations = 0;
    for (const json& line : Transcript())
        if (Is(line, "received", "LINKM_ACTIVATE") && line["result"] == 1) ++activations;
    EXPECT_EQ(activations, 2);
}

// The stand-in opens each notice whose key comes back and pushes the rest while the item waits: the item
// then holds exactly the others, and the notification counts them.
TEST_F(EndToEndTest, EachKeyHandedBackIsOpenedAndTheItemShowsOneFewer) {
    ASSERT_NO_FATAL_FAILURE(StartLinkedAndPainted());
    ASSERT_EQ(Send(WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT), 1);
    const struct {
        const wchar_t* key;             // handed back: the shown one
        std::vector<std::string> rest;  // what the item is pushed in return, in the file's order
        DWORD height;
        const wchar_t* notification;  // the body of the entry up afterwards, "" for none
    } steps[] = {
        {L"middle", {"late", "early"}, kThreeLines, L"<p>2 new messages</p>"},
        {L"early", {"late"}, kThreeLines, L"<p>1 new message</p>"},
        {L"late", {}, kOneLine, L""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(ToUtf8(step.key));
        EXPECT_EQ(loaded->Act(), 1);
        ASSERT_FALSE(KeysHandedBack().empty());
        EXPECT_EQ(KeysHandedBack().back(), Hex(step.key));
        EXPECT_EQ(LastPushKeys(), step.rest);
        EXPECT_EQ(loaded->Height(), step.height);
        EXPECT_EQ(notificationArea.Shown(), step.notification);
    }
    EXPECT_TRUE(ShowsOneLineView(PaintedThreeLinesHigh()));
}

// A hung main application is busy, not gone: the Today screen waits on it once, and the item keeps its link,
// its notices and the notification.
TEST_F(EndToEndTest, HungPeerIsWaitedOnOnceAndKeepsItsNotices) {
    ASSERT_NO_FATAL_FAILURE(StartLinkedAndPainted());

    // Hung well past the bound; the hang has begun once the command returns.
    ASSERT_TRUE(PeerCommand(L"hang " + std::to_wstring(4 * LINK_REPLY_TIMEOUT_MS)));
    notificationArea.Clear();
    DWORD asked = GetTickCount();
    loaded->Query();
    EXPECT_LT(GetTickCount() - asked, static_cast<DWORD>(LINK_REPLY_TIMEOUT_MS + 1500));
    asked = GetTickCount();
    loaded->Query();
    EXPECT_LT(GetTickCount() - asked, 1500u);
    DrainMessages();
    EXPECT_TRUE(notificationArea.Removals().empty());
    EXPECT_EQ(loaded->record.cyp, kThreeLines);
    EXPECT_FALSE(ShowsOneLineView(PaintedThreeLinesHigh()));
}

TEST_F(EndToEndTest, PeerKilledWithoutGoodbyeIsFoundGoneAtTheNextQuery) {
    ASSERT_NO_FATAL_FAILURE(StartLinkedAndPainted());

    ASSERT_TRUE(PeerCommand(L"crash"));
    ASSERT_TRUE(PumpUntilSignalled(peer.Handle(), kChildWaitMs));
    notificationArea.Clear();
    EXPECT_EQ(loaded->Query(), 1);
    EXPECT_EQ(loaded->record.cyp, kOneLine);  // at that very query
    const std::vector<NotificationCall> removals = notificationArea.Removals();
    ASSERT_EQ(removals.size(), 1u);
    EXPECT_TRUE(IsEqualCLSID(removals[0].clsid, kNotificationClass));
    EXPECT_EQ(removals[0].id, static_cast<DWORD>(MAIN_NOTIFICATION_ID));

    DrainMessages();  // the repaint it asked for
    EXPECT_EQ(loaded->Query(), 0);
    EXPECT_EQ(loaded->record.cyp, kOneLine);
    EXPECT_EQ(notificationArea.Removals().size(), 1u) << "unlinked: no second ping, no second removal";
    EXPECT_TRUE(ShowsOneLineView(PaintedThreeLinesHigh()));
}

TEST_F(EndToEndTest, PeerThatExitsNormallyUnlinksTheItemAtOnce) {
    ASSERT_NO_FATAL_FAILURE(StartLinkedAndPainted());

    ASSERT_TRUE(PeerCommand(L"exit"));
    ASSERT_TRUE(PumpUntilSignalled(peer.Handle(), kChildWaitMs));
    EXPECT_EQ(peer.ExitCode(), 0u);
    json goodbye;
    for (const json& line : Transcript())
        if (Is(line, "sent", "LINKM_MAIN_DETACH")) goodbye = line;
    ASSERT_TRUE(goodbye.is_object()) << "no goodbye sent";
    EXPECT_EQ(goodbye["result"], 1) << "the item took the detach";

    // No pumping: the detach was handled while the stand-in sent it.
    EXPECT_EQ(loaded->Query(), 1);
    EXPECT_EQ(loaded->record.cyp, kOneLine);
    EXPECT_TRUE(ShowsOneLineView(PaintedThreeLinesHigh()));
}

TEST_F(EndToEndTest, ActionWithNoPeerRunningStartsItFromTheInstallPathAndItAttaches) {
    WriteNotices(kThreeNoticesJson);
    // The item starts the program with no command line; it finds its files in the inherited environment.
    ScopedEnvironment notices(PEER_NOTICES_ENV, noticesPath);
    ScopedEnvironment transcript(PEER_TRANSCRIPT_ENV, transcriptPath);
    ASSERT_TRUE(InitialiseItem());
    ASSERT_EQ(loaded->Height(), kOneLine);

    EXPECT_EQ(loaded->Act(), 1);
    ASSERT_TRUE(PumpUntilSignalled(peerReady.get(), kChildWaitMs)) << "the started stand-in never became ready";
    EXPECT_EQ(ChildProcessIds(L"ArdenoPeer.exe").size(), 1u) << "started once, by the item in this process";

    EXPECT_EQ(loaded->Query(), 1);
    EXPECT_EQ(loaded->record.cyp, kThreeLines);
    EXPECT_TRUE(ShowsFirstOfSeveralNotices(PaintedThreeLinesHigh()));
    std::vector<json> lines = Transcript();
    auto attach = std::find_if(lines.begin(), lines.end(),
                               [](const json& line) { return Is(line, "sent", "LINKM_MAIN_ATTACH"); });
    ASSERT_NE(attach, lines.end());
    EXPECT_EQ((*attach)["wParam"], HandleNumber(PeerWindow()));
    EXPECT_EQ((*attach)["result"], 1);

    // Linked now: the next action asks the running stand-in instead of starting another.
    loaded->Act();
    EXPECT_EQ(KeysHandedBack(), std::vector<std::string>{Hex(L"early")});
    EXPECT_EQ(ChildProcessIds(L"ArdenoPeer.exe").size(), 1u);
}

TEST_F(EndToEndTest, UnloadedItemSaysGoodbyeToTheRunningPeer) {
    ASSERT_TRUE(InitialiseItem());
    ASSERT_TRUE(StartPeer());
    const unsigned long item = HandleNumber(loaded->item);
    loaded.reset();
    // The goodbye does not wait for the stand-in: it is written once the stand-in has taken it in.
    std::vector<json> lines;
    PumpUntil(
        [&] {
            lines = Transcript();
            return !lines.empty() && Is(lines.back(), "received", "LINKM_ITEM_DETACH");
        },
        kChildWaitMs);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(Is(lines.back(), "received", "LINKM_ITEM_DETACH")) << lines.back().dump();
    EXPECT_EQ(lines.back()["wParam"], item);
}

// The item's own refusals, reached through the stand-in's raw path (a well-behaved kit never sends these): each
// bound taken, one unit past it answered 0 and nothing kept.
TEST_F(EndToEndTest, RawNoticesPastTheItemsBoundsAreAnsweredZero) {
    // A raw payload of `units` UTF-16 units: the key, no portrait, a sender, a text filling the rest, a time.
    auto raw = [](const std::string& key, size_t units) {
        const std::string head = key + "\\u0000\\u0000s\\u0000", tail = "\\u00001";
        const size_t fixed = key.size() + 6;  // the key, four separators, the sender and the time "1"
        return R"({"raw":")" + head + std::string(units - fixed, 't') + tail + R"("})";
    };
    const size_t payloadUnits = NOTICE_PAYLOAD_MAX_BYTES / sizeof(wchar_t);
    const std::string notices = "{\"notices\":[" + raw("a", payloadUnits) + "," + raw("b", payloadUnits + 1) + "," +
                                raw(std::string(NOTICE_KEY_MAX_UNITS, 'c'), 1100) + "," +
                                raw(std::string(NOTICE_KEY_MAX_UNITS + 1, 'd'), 1100) + "]}";
    WriteNotices(notices.c_str());
    ASSERT_TRUE(InitialiseItem());
    ASSERT_TRUE(StartPeer());
    std::vector<int> answers;
    for (const json& line : Transcript())
        if (Is(line, "sent", "WM_COPYDATA")) answers.push_back(line["result"]);
    EXPECT_EQ(answers, (std::vector<int>{1, 0, 1, 0}));
    // The two taken are shown, the first of them first.
    Capture painted = PaintedThreeLinesHigh();
    EXPECT_TRUE(ShowsFirstOfSeveralNotices(painted));
    loaded->Act();
    EXPECT_EQ(KeysHandedBack(), std::vector<std::string>{Hex(L"a")});
}

}  // namespace
