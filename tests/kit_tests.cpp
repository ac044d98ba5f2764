// The messenger kit (kit/MessengerLink.h): notices it encodes read back by the item's own parser, the protocol
// page's worked example byte for byte, a push as the item window receives it, and which of the item's messages
// the kit takes.
#include "kit/MessengerLink.h"
#include "link/NoticePayload.h"
#include "support/RecordingWindow.h"
#include "support/Sections.h"
#include "support/ItemTexts.h"
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace std::string_literals;

namespace {

const SYSTEMTIME kNineThirty = {2024, 5, 0, 17, 9, 30, 0, 0};  // 2024-05-17 09:30
const ULONGLONG kNineThirtyCount = 133604118000000000ull;
const std::wstring kPair = L"\xD83D\xDE00";  // U+1F600, one character in two units

// What the item keeps of a notice, as its parser leaves it.
struct Kept {
    std::wstring key, portrait, sender, text;
    ULONGLONG time;
};

struct EncodeCase {
    const char* name;
    std::wstring key, portrait, sender, text;
    SYSTEMTIME time;
    LinkResult result;  // LINK_DONE: the item keeps `kept`
    Kept kept;
};

std::wstring Units(size_t count, wchar_t unit = L'x') { return std::wstring(count, unit); }
// `count` units of which the last two are a surrogate pair.
std::wstring EndingInPair(size_t count) { return Units(count - 2) + kPair; }

// Filled by name, so that every case also checks that each setter fills its own field.
LinkNotice NoticeOf(const EncodeCase& c) {
    return LinkNotice()
        .SetText(c.text.c_str())
        .SetTime(c.time)
        .SetSender(c.sender.c_str())
        .SetPortrait(c.portrait.c_str())
        .SetKey(c.key.c_str());
}

Kept ParsedByTheItem(const LinkPayload& payload) {
    const std::unique_ptr<MessageEntry> entry(ParseNotice(payload.units, payload.count));
    const ULONGLONG time = (static_cast<ULONGLONG>(entry->time.dwHighDateTime) << 32) | entry->time.dwLowDateTime;
    return {Text(entry->key), Text(entry->portraitPath), Text(entry->senderName), Text(entry->messageText), time};
}

// clang-format off
const EncodeCase kEncodeCases[] = {
    {"Latin", L"k1", L"\\My Documents\\li.bmp", L"Li Wei", L"Lunch at noon?", kNineThirty, LINK_DONE,
     {L"k1", L"\\My Documents\\li.bmp", L"Li Wei", L"Lunch at noon?", kNineThirtyCount}},
    {"Chinese", L"\u952E1", L"\\\u56FE\\\u674E.bmp", L"\u674E\u4F1F", L"\u660E\u5929\u89C1", kNineThirty, LINK_DONE,
     {L"\u952E1", L"\\\u56FE\\\u674E.bmp", L"\u674E\u4F1F", L"\u660E\u5929\u89C1", kNineThirtyCount}},
    {"SurrogatePairs", kPair, L"", kPair + L" Li", L"hi " + kPair, kNineThirty, LINK_DONE,
     {kPair, L"", kPair + L" Li", L"hi " + kPair, kNineThirtyCount}},
    // The first moment a FILETIME counts is 0 in the time field.
    {"EmptyFields", L"", L"", L"", L"", {1601, 1, 0, 1, 0, 0, 0, 0}, LINK_DONE, {L"", L"", L"", L"", 0}},
    // The key and the portrait path go as they are; the shown texts are cleaned by the item.
    {"KeyAndPathUncleaned", L"a\tb\r\n", L"C:\\a\tb.bmp", L"L\ti", L"x\xDC00y\bz", kNineThirty, LINK_DONE,
     {L"a\tb\r\n", L"C:\\a\tb.bmp", L"L i", L"x\xFFFDy z", kNineThirtyCount}},
    {"KeyAtItsBound", Units(1024), L"", L"", L"", kNineThirty, LINK_DONE, {Units(1024), L"", L"", L"", kNineThirtyCount}},
    {"KeyPastItsBound", Units(1025), L"", L"Li", L"hi", kNineThirty, LINK_KEY_TOO_LONG, {}},
    {"PortraitAtItsBound", L"k", Units(MAX_PATH - 1), L"", L"", kNineThirty, LINK_DONE,
     {L"k", Units(MAX_PATH - 1), L"", L"", kNineThirtyCount}},
    {"PortraitPastItsBoundLeftOut", L"k", Units(MAX_PATH), L"Li", L"", kNineThirty, LINK_DONE,
     {L"k", L"", L"Li", L"", kNineThirtyCount}},
    {"TextsAtTheirBound", L"k", L"", Units(256, L's'), EndingInPair(256), kNineThirty, LINK_DONE,
     {L"k", L"", Units(256, L's'), EndingInPair(256), kNineThirtyCount}},
    {"TextsPastTheirBoundCut", L"k", L"", Units(257, L's'), Units(5000), kNineThirty, LINK_DONE,
     {L"k", L"", Units(256, L's'), Units(256), kNineThirtyCount}},
    // A pair across the cut goes whole: both halves are left out.
    {"CutNeverSplitsAPair", L"k", L"", EndingInPair(257), EndingInPair(257) + L"z", kNineThirty, LINK_DONE,
     {L"k", L"", Units(255), Units(255), kNineThirtyCount}},
    {"TimeThatIsNoDate", L"k", L"", L"Li", L"hi", {2024, 13, 0, 17, 9, 30, 0, 0}, LINK_BAD_TIME, {}},
    {"LatestTime", L"k", L"", L"", L"", {30827, 12, 0, 31, 23, 59, 59, 999}, LINK_DONE,
     {L"k", L"", L"", L"", 9223149887999990000ull}},
};
// clang-format on

class EncodedNotice : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodedNotice, IsKeptByTheItemAsThePageSaysOrRefusedFirst) {
    const EncodeCase& c = GetParam();
    LinkPayload payload;
    ASSERT_EQ(EncodeLinkNotice(NoticeOf(c), &payload), c.result);
    if (c.result != LINK_DONE) {
        EXPECT_EQ(payload.count, 0u) << "nothing to send";
        return;
    }
    const Kept kept = ParsedByTheItem(payload);
    EXPECT_EQ(kept.key, c.kept.key);
    EXPECT_EQ(kept.portrait, c.kept.portrait);
    EXPECT_EQ(kept.sender, c.kept.sender);
    EXPECT_EQ(kept.text, c.kept.text);
    EXPECT_EQ(kept.time, c.kept.time);
}

INSTANTIATE_TEST_SUITE_P(Kit, EncodedNotice, ::testing::ValuesIn(kEncodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KitPayload, IsTheWorkedExampleOfTheProtocolPageByteForByte) {
    const LinkNotice notice = {L"k1", nullptr, L"Li", L"hi", kNineThirty};
    LinkPayload payload;
    ASSERT_EQ(EncodeLinkNotice(notice, &payload), LINK_DONE);
    const BYTE expected[] = {
        0x6b, 0x00, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x4c, 0x00, 0x69, 0x00, 0x00, 0x00,
        0x68, 0x00, 0x69, 0x00, 0x00, 0x00, 0x31, 0x00, 0x33, 0x00, 0x33, 0x00, 0x36, 0x00,
        0x30, 0x00, 0x34, 0x00, 0x31, 0x00, 0x31, 0x00, 0x38, 0x00, 0x30, 0x00, 0x30, 0x00,
        0x30, 0x00, 0x30, 0x00, 0x30, 0x00, 0x30, 0x00, 0x30, 0x00, 0x30, 0x00, 0x30, 0x00,
    };
    ASSERT_EQ(payload.count * sizeof(wchar_t), sizeof(expected));
    EXPECT_EQ(0, memcmp(payload.units, expected, sizeof(expected)));
}

TEST(KitPayload, AnEmptyNoticeHasNoDateUntilItsTimeIsSet) {
    LinkPayload payload;
    EXPECT_EQ(EncodeLinkNotice(LinkNotice(), &payload), LINK_BAD_TIME);
    EXPECT_EQ(EncodeLinkNotice(LinkNotice().SetTime(kNineThirty), &payload), LINK_DONE);
    EXPECT_EQ(ParsedByTheItem(payload).key, L"");
}

// Every value has its own text, led by its name, so that a logged text names the value; any other value has one.
TEST(KitTexts, NameEveryResultAndEveryEventAndNeverAreNull) {
    const char* const results[] = {"LINK_DONE",         "LINK_NO_ITEM",  "LINK_ITEM_BUSY", "LINK_REFUSED",
                                   "LINK_KEY_TOO_LONG", "LINK_BAD_TIME", "LINK_NO_SECTION"};
    const char* const events[] = {"LINK_EVENT_ITEM_ATTACHED", "LINK_EVENT_ITEM_LEFT", "LINK_EVENT_PINGED",
                                  "LINK_EVENT_ACTIVATED",     "LINK_EVENT_KEY",       "LINK_EVENT_STRANGER"};
    std::set<std::wstring> seen;
    auto expectLedBy = [&](const wchar_t* text, const char* name) {
        ASSERT_NE(text, nullptr) << name;
        EXPECT_EQ(std::wstring(text).rfind(std::wstring(name, name + strlen(name)) + L": ", 0), 0u) << name;
        EXPECT_TRUE(seen.insert(text).second) << name << " shares its text";
    };
    for (int i = 0; i < int(ARRAYSIZE(results)); ++i) expectLedBy(LinkResultText(LinkResult(i)), results[i]);
    for (int i = 0; i < int(ARRAYSIZE(events)); ++i) expectLedBy(LinkEventText(LinkEventKind(i)), events[i]);
    for (int outside : {-1, int(ARRAYSIZE(results)), 1000})
        EXPECT_STREQ(LinkResultText(LinkResult(outside)), L"not a LinkResult");
    for (int outside : {-1, int(ARRAYSIZE(events)), 1000})
        EXPECT_STREQ(LinkEventText(LinkEventKind(outside)), L"not a LinkEventKind");
}

TEST(KitPayload, TheLongestTheKitSendsIsWithinTheItemsBound) {
    const std::wstring key = Units(1024), path = Units(MAX_PATH - 1), text = Units(5000);
    const LinkNotice notice = {
        key.c_str(), path.c_str(), text.c_str(), text.c_str(), {30827, 12, 0, 31, 23, 59, 59, 999}};
    LinkPayload payload;
    ASSERT_EQ(EncodeLinkNotice(notice, &payload), LINK_DONE);
    EXPECT_LE(payload.count * sizeof(wchar_t), NOTICE_PAYLOAD_MAX_BYTES);
    EXPECT_EQ(ParsedByTheItem(payload).key, key);
}

// The messenger's window and a stand-in for the item window, published in "TodayFileMapping" as the item does.
class KitLink : public ::testing::Test {
protected:
    KitLink() {
        todaySection.WriteHandle(item.hwnd());
        for (UINT message :
             {LINKM_MAIN_ATTACH, LINKM_SORT, LINKM_CLEAR, LINKM_STATUS, LINKM_MAIN_DETACH, UINT(WM_COPYDATA)})
            item.answers[message] = 1;
        EXPECT_EQ(link.Publish(main.hwnd()), LINK_DONE);
    }
    ~KitLink() override { todaySection.WriteHandle(DWORD(0)); }

    HeldSection todaySection{TODAY_SECTION_NAME};
    HeldSection mainSection{MAIN_SECTION_NAME};
    RecordingWindow main{MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN};
    RecordingWindow item{ITEM_WINDOW_CLASS, ITEM_WINDOW_NAME};
    RecordingWindow stranger{L"KitTestStranger", L"Stranger"};
    MessengerLink link;
};

TEST_F(KitLink, PushesAttachEachNoticeAndSortAndLeavesOutWhatTheItemWouldRefuse) {
    EXPECT_EQ(mainSection.ReadHandle(), static_cast<DWORD>(reinterpret_cast<UINT_PTR>(main.hwnd())));
    const std::wstring longKey = Units(1025);
    const LinkNotice notices[] = {
        {L"k1", nullptr, L"Li", L"hi", kNineThirty},
        {longKey.c_str(), nullptr, L"Wu", L"too long a key", kNineThirty},
        {L"k3", nullptr, L"Wang", L"ok", kNineThirty},
    };
    LinkResult each[3];
    EXPECT_EQ(link.Push(notices, 3, each), LINK_KEY_TOO_LONG);
    EXPECT_EQ(each[0], LINK_DONE);
    EXPECT_EQ(each[1], LINK_KEY_TOO_LONG);
    EXPECT_EQ(each[2], LINK_DONE);
    const WPARAM from = reinterpret_cast<WPARAM>(main.hwnd());
    EXPECT_TRUE(SequenceIs(item.Messages(), {{LINKM_MAIN_ATTACH, Delivery::Sent, from},
                                             CopyDataFrom(main.hwnd(),
                                                          L"k1\0\0Li\0hi\0"s
                                                          L"133604118000000000"),
                                             CopyDataFrom(main.hwnd(),
                                                          L"k3\0\0Wang\0ok\0"s
                                                          L"133604118000000000"),
                                             {LINKM_SORT, Delivery::Sent}}));
}

TEST_F(KitLink, StopsAtAnItemThatIsGoneAndSaysSo) {
    item.answers[WM_COPYDATA] = 0;
    const LinkNotice notice = {L"k1", nullptr, L"Li", L"hi", kNineThirty};
    EXPECT_EQ(link.Push(&notice, 1), LINK_REFUSED) << "the item answered 0";
    todaySection.WriteHandle(stranger.hwnd());
    item.Clear();
    LinkResult each[1];
    EXPECT_EQ(link.Push(&notice, 1, each), LINK_NO_ITEM) << "no window of the item's class is published";
    EXPECT_EQ(each[0], LINK_NO_ITEM);
    EXPECT_EQ(link.Withdraw(), LINK_NO_ITEM) << "no item to say goodbye to";
    EXPECT_TRUE(stranger.Messages().empty());
    EXPECT_TRUE(item.Messages().empty());
}

TEST_F(KitLink, ClearStatusAndTheGoodbyeReachTheItemAndWithdrawZeroesTheSection) {
    EXPECT_EQ(link.Clear(), LINK_DONE);
    EXPECT_EQ(link.Status(), LINK_DONE);
    item.answers[LINKM_MAIN_DETACH] = 0;
    EXPECT_EQ(link.Withdraw(), LINK_REFUSED) << "the goodbye answers as every send does";
    EXPECT_TRUE(SequenceIs(
        item.Messages(),
        {{LINKM_CLEAR, Delivery::Sent}, {LINKM_STATUS, Delivery::Sent, 0}, {LINKM_MAIN_DETACH, Delivery::Sent}}));
    EXPECT_EQ(mainSection.ReadHandle(), 0u);
    EXPECT_EQ(link.Item(), nullptr);
    EXPECT_EQ(link.Withdraw(), LINK_NO_ITEM) << "withdrawn already";
}

struct InboundCase {
    const char* name;
    UINT message;
    bool fromItem;  // else from a window of another class
    ULONG_PTR kind;
    std::vector<BYTE> data;
    bool nullData;
    bool linkMessage;
    LinkEventKind event;
    LRESULT answer;
};

std::vector<BYTE> KeyBytes(const std::wstring& key) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(key.data());
    return std::vector<BYTE>(bytes, bytes + key.size() * sizeof(wchar_t));
}

const InboundCase kInboundCases[] = {
    {"KeyFromTheItem", WM_COPYDATA, true, 0, KeyBytes(L"k1"), false, true, LINK_EVENT_KEY, 1},
    {"EmptyKey", WM_COPYDATA, true, 0, {}, false, true, LINK_EVENT_KEY, 1},
    {"KeyAtItsBound", WM_COPYDATA, true, 0, KeyBytes(Units(1024)), false, true, LINK_EVENT_KEY, 1},
    {"KeyPastItsBound", WM_COPYDATA, true, 0, KeyBytes(Units(1025)), false, true, LINK_EVENT_STRANGER, 0},
    {"KeyOfAnOddByteCount", WM_COPYDATA, true, 0, {0x6b, 0x00, 0x31}, false, true, LINK_EVENT_STRANGER, 0},
    {"KeyWithoutItsData", WM_COPYDATA, true, 0, KeyBytes(L"k1"), true, true, LINK_EVENT_STRANGER, 0},
    {"KeyFromAStranger", WM_COPYDATA, false, 0, KeyBytes(L"k1"), false, true, LINK_EVENT_STRANGER, 0},
    {"CopyDataOfAnotherKind", WM_COPYDATA, true, 5, KeyBytes(L"k1"), false, false, LINK_EVENT_STRANGER, 0},
    {"AttachFromTheItem", LINKM_ITEM_ATTACH, true, 0, {}, false, true, LINK_EVENT_ITEM_ATTACHED, 1},
    {"AttachFromAStranger", LINKM_ITEM_ATTACH, false, 0, {}, false, true, LINK_EVENT_STRANGER, 0},
    {"ActivationFromTheItem", LINKM_ACTIVATE, true, 0, {}, false, true, LINK_EVENT_ACTIVATED, LINK_ACTIVATION_DONE},
    {"ActivationFromAStranger", LINKM_ACTIVATE, false, 0, {}, false, true, LINK_EVENT_STRANGER, 0},
    {"PingFromAnyone", LINKM_PING, false, 0, {}, false, true, LINK_EVENT_PINGED, 1},
    {"GoodbyeFromTheItem", LINKM_ITEM_DETACH, true, 0, {}, false, true, LINK_EVENT_ITEM_LEFT, 1},
    {"GoodbyeFromAStranger", LINKM_ITEM_DETACH, false, 0, {}, false, true, LINK_EVENT_STRANGER, 0},
    {"AnyOtherMessage", WM_USER + 110, true, 0, {}, false, false, LINK_EVENT_STRANGER, 0},
};

class KitInbound : public KitLink, public ::testing::WithParamInterface<InboundCase> {};

TEST_P(KitInbound, TakesOnlyTheItemsMessages) {
    const InboundCase& c = GetParam();
    std::vector<BYTE> data = c.data;
    COPYDATASTRUCT record = {c.kind, static_cast<DWORD>(data.size()), c.nullData ? nullptr : data.data()};
    const WPARAM sender = reinterpret_cast<WPARAM>(c.fromItem ? item.hwnd() : stranger.hwnd());
    const LPARAM lParam = c.message == WM_COPYDATA ? reinterpret_cast<LPARAM>(&record) : 0;
    LinkEvent event;
    ASSERT_EQ(link.TakeMessage(c.message, sender, lParam, &event), c.linkMessage);
    if (!c.linkMessage) return;
    EXPECT_EQ(event.kind, c.event);
    EXPECT_EQ(event.answer, c.answer);
    ASSERT_NE(event.key, nullptr);
    const std::wstring sent(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    EXPECT_EQ(std::wstring(event.key, event.keyUnits), c.event == LINK_EVENT_KEY ? sent : L"");
    EXPECT_EQ(event.key[event.keyUnits], L'\0');
    // Publish found the item; only its goodbye makes the link forget it.
    EXPECT_EQ(link.Item(), c.event == LINK_EVENT_ITEM_LEFT ? nullptr : item.hwnd());
}

INSTANTIATE_TEST_SUITE_P(Kit, KitInbound, ::testing::ValuesIn(kInboundCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The event is small enough for every window-procedure call; the key lives in the link until the next key.
static_assert(sizeof(LinkEvent) <= 4 * sizeof(void*), "LinkEvent carries no key buffer");

TEST_F(KitLink, AKeyStaysUntilTheNextKeyWhateverComesBetween) {
    auto keyFrom = [&](HWND sender, const std::wstring& key, LinkEvent* event) {
        COPYDATASTRUCT record = {0, DWORD(key.size() * sizeof(wchar_t)), const_cast<wchar_t*>(key.data())};
        return link.TakeMessage(WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(&record),
                                event);
    };
    LinkEvent first, between;
    ASSERT_TRUE(keyFrom(item.hwnd(), L"k1", &first));
    ASSERT_TRUE(link.TakeMessage(LINKM_PING, 0, 0, &between));
    ASSERT_TRUE(keyFrom(stranger.hwnd(), L"x2", &between));
    ASSERT_TRUE(keyFrom(item.hwnd(), Units(1025), &between));
    EXPECT_EQ(std::wstring(first.key, first.keyUnits), L"k1");
    ASSERT_TRUE(keyFrom(item.hwnd(), L"k3", &between));
    EXPECT_STREQ(between.key, L"k3");
}

// The user's way of showing the messenger is kept: only a minimized window is restored, a hidden one shown.
struct ForwardCase {
    const char* name;
    int showBefore;  // ShowWindow command before the activation
    bool maximized;  // after it; every window ends visible and not minimized
};

const ForwardCase kForwardCases[] = {
    {"Normal", SW_SHOWNORMAL, false},
    {"MaximizedStaysMaximized", SW_MAXIMIZE, true},
    {"MinimizedIsRestored", SW_MINIMIZE, false},
    {"HiddenIsShown", SW_HIDE, false},
};

class KitForward : public KitLink, public ::testing::WithParamInterface<ForwardCase> {};

TEST_P(KitForward, BringsTheWindowForwardAsItIs) {
    const ForwardCase& c = GetParam();
    ShowWindow(main.hwnd(), c.showBefore);
    LinkEvent event;
    ASSERT_TRUE(link.TakeMessage(LINKM_ACTIVATE, reinterpret_cast<WPARAM>(item.hwnd()), 0, &event));
    EXPECT_EQ(event.kind, LINK_EVENT_ACTIVATED);
    EXPECT_EQ(bool(IsZoomed(main.hwnd())), c.maximized);
    EXPECT_FALSE(IsIconic(main.hwnd()));
    EXPECT_TRUE(IsWindowVisible(main.hwnd()));
}

INSTANTIATE_TEST_SUITE_P(Kit, KitForward, ::testing::ValuesIn(kForwardCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KitLink, AfterTheItemsGoodbyeNothingReachesItsWindowUntilItAttachesAgain) {
    LinkEvent event;
    // Taken before the item has emptied its section, as may happen: the goodbye is sent without waiting.
    ASSERT_TRUE(link.TakeMessage(LINKM_ITEM_DETACH, reinterpret_cast<WPARAM>(item.hwnd()), 0, &event));
    const LinkNotice notice = {L"k1", nullptr, L"Li", L"hi", kNineThirty};
    EXPECT_EQ(link.Sort(), LINK_NO_ITEM);
    EXPECT_EQ(link.Push(&notice, 1), LINK_NO_ITEM);
    EXPECT_TRUE(item.Messages().empty());
    ASSERT_TRUE(link.TakeMessage(LINKM_ITEM_ATTACH, reinterpret_cast<WPARAM>(item.hwnd()), 0, &event));
    EXPECT_EQ(link.Push(&notice, 1), LINK_DONE);
}

TEST_F(KitLink, AfterItsOwnGoodbyeTheMessengerReachesTheItemAgainByAPush) {
    EXPECT_EQ(link.Detach(), LINK_DONE);
    EXPECT_EQ(link.Sort(), LINK_NO_ITEM);
    const LinkNotice notice = {L"k1", nullptr, L"Li", L"hi", kNineThirty};
    EXPECT_EQ(link.Push(&notice, 1), LINK_DONE);
    EXPECT_EQ(item.MessagesNumbered(LINKM_SORT).size(), 1u);
}

}  // namespace
