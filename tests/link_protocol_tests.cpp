// The link with the main application, through the real DLL: the handshake through the named sections,
// the inbound commands and notices, the liveness ping, the goodbye at unload, and bounded waits on a hung
// main application. The main application is a recording window on the test's thread (or, when hung, a
// window whose thread stopped pumping).
#include "link/MainLink.h"
#include "kit/LinkWire.h"
#include "platform/ShellNotificationArea.h"
#include "support/ItemHarness.h"
#include "support/MainApplication.h"
#include "support/NoticeFeed.h"
#include "support/NotificationArea.h"
#include "toolbox/WindowCapture.h"
#include "support/Sections.h"
#include "support/ThreadedMainApplication.h"
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

constexpr DWORD kOneLine = 20, kThreeLines = 60;  // with the default font size
constexpr UINT kUnknownMessage = WM_USER + 107;   // inside the protocol's range, but not part of it

DWORD HandleValue(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }

// The main application's side of the handshake: its window, published in its section.
struct MainApplication {
    explicit MainApplication(bool publish = true) {
        if (publish) section.WriteHandle(window.hwnd());
    }
    HeldSection section{MAIN_SECTION_NAME};
    MainApplicationWindow window;
};

// The item as the host drives it, initialised only once the test has set the scene.
struct Item : LoadedItem {
    Item() : LoadedItem(false) {}
    HWND Initialise(HWND parent = nullptr) {
        item = dll.initialize(&record, parent ? parent : host.hwnd());
        return item;
    }
    // The host's refresh: the query, then the item sized to the height it reported and painted.
    void Refresh() {
        Query();
        Resize(240, static_cast<int>(record.cyp));
        Repaint();
    }
    bool RepaintPending() const { return GetUpdateRect(item, nullptr, FALSE) != FALSE; }
};

// Payload bytes placed so that the last of them is the last readable byte before a guard page.
class GuardedBytes {
public:
    GuardedBytes(const void* bytes, size_t count) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        page = system.dwPageSize;
        base = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base + page, page, PAGE_NOACCESS, &old);
        start = base + page - count;
        memcpy(start, bytes, count);
    }
    ~GuardedBytes() { VirtualFree(base, 0, MEM_RELEASE); }
    void* data() const { return start; }

private:
    size_t page;
    BYTE* base;
    BYTE* start;
};

std::vector<RecordedMessage> Pings(const RecordingWindow& window) { return window.MessagesNumbered(LINKM_PING); }

}  // namespace

// --- Handshake ---------------------------------------------------------------------------------------

TEST(LinkConnect, PublishesTheItemWindowAndAnnouncesIt) {
    HeldSection today(TODAY_SECTION_NAME);
    MainApplication main;
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    EXPECT_EQ(today.ReadHandle(), HandleValue(item.item));
    EXPECT_TRUE(SequenceIs(main.window.Messages(), AttachAnnouncement(item.item)));
    main.window.Clear();
    item.Query();  // linked: the query pings
    EXPECT_TRUE(SequenceIs(main.window.Messages(), kPing));
}

// Unlinked shows one line whatever the list holds, so a notice that does not change the height proves it.
TEST(LinkConnect, WithoutTheMainSectionCreatesNoLinkAndLeavesNoSection) {
    HANDLE leftover = OpenFileMappingW(FILE_MAP_READ, FALSE, MAIN_SECTION_NAME);
    ASSERT_EQ(leftover, nullptr) << "another process holds the main application's section";
    HeldSection today(TODAY_SECTION_NAME);
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    EXPECT_EQ(today.ReadHandle(), HandleValue(item.item));
    // The section made for the read held only zeros and was closed again.
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_READ, FALSE, MAIN_SECTION_NAME), nullptr);
    SendNotice(item.item, NoticePayload(L"k", 1));
    item.Query();
    EXPECT_EQ(item.record.cyp, kOneLine);
}

TEST(LinkConnect, ZeroInTheMainSectionSendsNothing) {
    MainApplication main(false);
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    SendNotice(item.item, NoticePayload(L"k", 1));
    item.Query();
    EXPECT_EQ(item.record.cyp, kOneLine);
    EXPECT_TRUE(main.window.Messages().empty());
    EXPECT_EQ(main.section.ReadHandle(), 0u);
}

// A section that cannot be made when the item starts (here another object holds its name, as memory short would
// refuse it) is published at the host's next refresh once it can be.
TEST(LinkConnect, AWindowThatCouldNotBePublishedIsPublishedAtTheNextRefresh) {
    Item item;
    {
        KernelHandle squatter(CreateEventW(nullptr, TRUE, FALSE, TODAY_SECTION_NAME));
        ASSERT_NE(item.Initialise(), nullptr);
        ASSERT_EQ(OpenFileMappingW(FILE_MAP_READ, FALSE, TODAY_SECTION_NAME), nullptr);
    }
    item.Query();
    HeldSection today(TODAY_SECTION_NAME);
    EXPECT_EQ(today.ReadHandle(), static_cast<DWORD>(reinterpret_cast<UINT_PTR>(item.item)));
}

TEST(LinkConnect, FailedWindowCreationPublishesZeroAndStillAnnounces) {
    HeldSection today(TODAY_SECTION_NAME);
    today.WriteHandle(0xDEADBEEF);
    MainApplication main;
    // A child window needs a live parent; with a destroyed one the creation fails for real.
    HWND goneParent;
    {
        RecordingWindow parent(L"TestGoneParent", L"");
        goneParent = parent.hwnd();
    }
    ASSERT_FALSE(IsWindow(goneParent));
    Item item;
    EXPECT_EQ(item.Initialise(goneParent), nullptr);
    EXPECT_EQ(today.ReadHandle(), 0u);
    EXPECT_TRUE(SequenceIs(main.window.Messages(), AttachAnnouncement(nullptr)));
}

// --- Window handles taken from anyone -------------------------------------------------------------------

namespace {

enum class Source { Section, Attach };
enum class Handle { Broadcast, NotAWindow, ItemWindow };
struct UntrustedCase {
    const char* name;
    Source source;
    Handle handle;
};
const UntrustedCase kUntrustedCases[] = {
    {"BroadcastInSection", Source::Section, Handle::Broadcast},
    {"NoWindowInSection", Source::Section, Handle::NotAWindow},
    {"BroadcastAttach", Source::Attach, Handle::Broadcast},
    {"NoWindowAttach", Source::Attach, Handle::NotAWindow},
    {"OwnWindowAttach", Source::Attach, Handle::ItemWindow},
};

void PrintTo(const UntrustedCase& c, std::ostream* os) { *os << c.name; }

}  // namespace

class UntrustedHandle : public ::testing::TestWithParam<UntrustedCase> {};

// Whatever the section or an attach names, the item never sends to the broadcast handle, to itself or to
// no window: such a value means no main application.
TEST_P(UntrustedHandle, CountsAsNoMainApplication) {
    const UntrustedCase& c = GetParam();
    RecordingWindow bystander(L"TestBystander", L"");
    HeldSection section(MAIN_SECTION_NAME);
    Item item;
    auto value = [&](HWND own) -> HWND {
        if (c.handle == Handle::Broadcast) return HWND_BROADCAST;
        if (c.handle == Handle::NotAWindow) return reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x0BADF00D));
        return own;
    };
    if (c.source == Source::Section) section.WriteHandle(value(nullptr));
    ASSERT_NE(item.Initialise(), nullptr);
    if (c.source == Source::Attach) item.Send(LINKM_MAIN_ATTACH, AsParam(value(item.item)));
    SendNotice(item.item, NoticePayload(L"secret", 1));
    item.Send(LINKM_SORT);
    item.Query();
    EXPECT_EQ(item.record.cyp, kOneLine);
    item.Act();
    DrainMessages();
    EXPECT_TRUE(bystander.Messages().empty());
    EXPECT_TRUE(item.host.MessagesNumbered(WM_COPYDATA).empty());
    EXPECT_TRUE(item.host.MessagesNumbered(LINKM_PING).empty());
    // Not handed to the item itself either: nobody took the key, so the notices are gone.
    item.Send(LINKM_MAIN_ATTACH, AsParam(bystander.hwnd()));
    item.Query();
    EXPECT_EQ(item.record.cyp, kOneLine);
}

INSTANTIATE_TEST_SUITE_P(Link, UntrustedHandle, ::testing::ValuesIn(kUntrustedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The shell's ready event: only an existing, unset event holds the item back; one seen set is remembered.
TEST(ShellReady, OnlyAnExistingUnsetEventMeansNotReady) {
    MainApplication main;
    Item item;
    item.ready.Reset();
    ASSERT_NE(item.Initialise(), nullptr);
    EXPECT_EQ(item.Query(), 0);
    EXPECT_EQ(Pings(main.window).size(), 0u);
    item.ready.Set();
    item.Query();
    EXPECT_EQ(Pings(main.window).size(), 1u);
    item.ready.Reset();  // the shell never does; once ready, the item does not ask again
    item.Query();
    EXPECT_EQ(Pings(main.window).size(), 2u);
}

TEST(ShellReady, AHostWithoutTheEventCountsAsReady) {
    MainApplication main;
    Item item;
    item.ready.Remove();
    ASSERT_NE(item.Initialise(), nullptr);
    SendNotice(item.item, NoticePayload(L"k", 1));
    EXPECT_EQ(item.Query(), 1);
    EXPECT_EQ(item.record.cyp, kThreeLines);
    EXPECT_EQ(Pings(main.window).size(), 1u);
}

// Notices with equal times keep the order they arrived in.
TEST(LinkSort, EqualTimesKeepTheirArrivalOrder) {
    MainApplication main;
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    std::vector<std::wstring> keys;
    for (int i = 0; i < 17; ++i) keys.push_back(L"k" + std::to_wstring(i));
    for (const auto& key : keys) SendNotice(item.item, NoticePayload(key, 7));
    item.Send(LINKM_SORT);
    std::vector<std::wstring> shown;
    for (size_t i = 0; i < keys.size(); ++i) {
        main.window.Clear();
        item.Act();
        auto copies = main.window.MessagesNumbered(WM_COPYDATA);
        if (copies.size() == 1)
            shown.emplace_back(reinterpret_cast<const wchar_t*>(copies[0].copyData.data()),
                               copies[0].copyData.size() / sizeof(wchar_t));
        item.Send(WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT);
    }
    EXPECT_EQ(shown, keys);
}

// --- Inbound commands and notices on a linked item --------------------------------------------------

namespace {

enum class Param { Zero, Seven, OtherWindow };
enum class Record { None, Null, KindOne, NullDataWithCount, Notice };
enum class Pinged { Nobody, Main, Other };

struct CommandCase {
    const char* name;
    int noticesBefore;  // on a linked, painted item
    UINT message;
    Param wParam;
    Record record;
    LRESULT result;
    bool repaint;     // a repaint is requested at once
    Pinged pinged;    // who the next refresh query pings
    DWORD height;     // the height that query reports
    int queryResult;  // 1 when the host must refresh
};

const CommandCase kCommandCases[] = {
    {"AttachWithZeroForgetsWithoutRepaint", 2, LINKM_MAIN_ATTACH, Param::Zero, Record::None, 1, false, Pinged::Nobody,
     kOneLine, 1},
    {"AttachStoresTheNewWindowAndClears", 2, LINKM_MAIN_ATTACH, Param::OtherWindow, Record::None, 1, false,
     Pinged::Other, kOneLine, 1},
    {"DetachForgetsAndClears", 2, LINKM_MAIN_DETACH, Param::Zero, Record::None, 1, true, Pinged::Nobody, kOneLine, 1},
    {"ClearKeepsTheLink", 2, LINKM_CLEAR, Param::Zero, Record::None, 1, true, Pinged::Main, kOneLine, 1},
    {"StatusClearsButKeepsTheHeight", 2, LINKM_STATUS, Param::Seven, Record::None, 1, true, Pinged::Main, kThreeLines,
     1},
    {"SortRepaints", 2, LINKM_SORT, Param::Zero, Record::None, 1, true, Pinged::Main, kThreeLines, 0},
    {"FirstNoticeNeedsThreeLines", 0, WM_COPYDATA, Param::Zero, Record::Notice, 1, false, Pinged::Main, kThreeLines, 1},
    {"FurtherNoticeIsShownAtTheNextRefresh", 2, WM_COPYDATA, Param::Zero, Record::Notice, 1, false, Pinged::Main,
     kThreeLines, 1},
    {"CopyDataOfOtherKindIsIgnored", 0, WM_COPYDATA, Param::Zero, Record::KindOne, 1, false, Pinged::Main, kOneLine, 0},
    // Nothing that can be read is kept, and the answer says so.
    {"NullCopyDataRecordIsRefused", 0, WM_COPYDATA, Param::Zero, Record::Null, 0, false, Pinged::Main, kOneLine, 0},
    {"NullDataWithCountIsRefused", 0, WM_COPYDATA, Param::Zero, Record::NullDataWithCount, 0, false, Pinged::Main,
     kOneLine, 0},
    {"UnknownMessageGoesToTheDefault", 2, kUnknownMessage, Param::Zero, Record::None, 0, false, Pinged::Main,
     kThreeLines, 0},
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
class InboundCommand : public ::testing::TestWithParam<CommandCase> {};

}  // namespace

TEST_P(InboundCommand, Effect) {
    const CommandCase& c = GetParam();
    MainApplication main;
    MainApplicationWindow other;
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    for (int i = 0; i < c.noticesBefore; ++i) SendNotice(item.item, NoticePayload(std::to_wstring(i), 20 - i));
    item.Refresh();
    ASSERT_EQ(item.Query(), 0) << "a linked, painted item with an unchanged height needs no refresh";
    ASSERT_FALSE(item.RepaintPending());
    main.window.Clear();

    const std::wstring payload = NoticePayload(L"new", 5);
    COPYDATASTRUCT data = {0, static_cast<DWORD>(payload.size() * sizeof(wchar_t)),
                           const_cast<wchar_t*>(payload.data())};
    if (c.record == Record::KindOne) data.dwData = 1;
    if (c.record == Record::NullDataWithCount) data = {0, 8, nullptr};
    const LPARAM lParam = c.record == Record::None || c.record == Record::Null ? 0 : reinterpret_cast<LPARAM>(&data);
    const WPARAM wParam = c.wParam == Param::OtherWindow ? AsParam(other.hwnd()) : c.wParam == Param::Seven ? 7 : 0;

    EXPECT_EQ(item.Send(c.message, wParam, lParam), c.result);
    EXPECT_EQ(item.RepaintPending(), c.repaint);
    EXPECT_EQ(item.Query(), c.queryResult);
    EXPECT_EQ(item.record.cyp, c.height);
    EXPECT_TRUE(SequenceIs(main.window.Messages(), c.pinged == Pinged::Main ? kPing : std::vector<ExpectedMessage>{}));
    EXPECT_TRUE(SequenceIs(other.Messages(), c.pinged == Pinged::Other ? kPing : std::vector<ExpectedMessage>{}));
}

INSTANTIATE_TEST_SUITE_P(Link, InboundCommand, ::testing::ValuesIn(kCommandCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Status mode --------------------------------------------------------------------------------------

class StatusMode : public ::testing::TestWithParam<int> {};

// Status mode keeps the height last reported and the one-line view while notices arrive; sort shows them.
TEST_P(StatusMode, KeepsHeightAndOneLineViewUntilSort) {
    const int noticesBefore = GetParam();
    const DWORD heightBefore = noticesBefore ? kThreeLines : kOneLine;
    MainApplication main;
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    for (int i = 0; i < noticesBefore; ++i) SendNotice(item.item, NoticePayload(L"old", 1));
    item.Refresh();
    ASSERT_EQ(item.record.cyp, heightBefore);

    EXPECT_EQ(item.Send(LINKM_STATUS, 3), 1);
    EXPECT_TRUE(item.RepaintPending());
    item.Query();
    EXPECT_EQ(item.record.cyp, heightBefore);
    for (ULONGLONG time : {30, 10, 20}) SendNotice(item.item, NoticePayload(L"t" + std::to_wstring(time), time));
    item.Query();
    EXPECT_EQ(item.record.cyp, heightBefore);
    EXPECT_FALSE(DrawsNoticeLines(item.item));

    EXPECT_EQ(item.Send(LINKM_SORT), 1);
    EXPECT_TRUE(item.RepaintPending());
    EXPECT_EQ(item.Query(), noticesBefore ? 0 : 1);
    EXPECT_EQ(item.record.cyp, kThreeLines);
    EXPECT_TRUE(DrawsNoticeLines(item.item));
}

INSTANTIATE_TEST_SUITE_P(Link, StatusMode, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param ? "FromThreeLines" : "FromOneLine"; });

namespace {
struct LeaveCase {
    const char* name;
    UINT message;
    bool repaint;
};
void PrintTo(const LeaveCase& c, std::ostream* os) { *os << c.name; }
class LeavingStatusMode : public ::testing::TestWithParam<LeaveCase> {};
}  // namespace

// After status mode cleared the list, each of these leaves it: the height follows the empty list again.
// The sort row is also the sort of an empty list.
TEST_P(LeavingStatusMode, ReturnsToTheHeightOfTheList) {
    const LeaveCase& c = GetParam();
    MainApplication main;
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    SendNotice(item.item, NoticePayload(L"k", 1));
    item.Refresh();
    item.Send(LINKM_STATUS);
    item.Query();
    ASSERT_EQ(item.record.cyp, kThreeLines);
    UpdateWindow(item.item);

    const WPARAM wParam = c.message == LINKM_MAIN_ATTACH ? AsParam(main.window.hwnd()) : 0;
    EXPECT_EQ(item.Send(c.message, wParam), 1);
    EXPECT_EQ(item.RepaintPending(), c.repaint);
    EXPECT_EQ(item.Query(), 1);
    EXPECT_EQ(item.record.cyp, kOneLine);
    EXPECT_FALSE(DrawsNoticeLines(item.item));
}

INSTANTIATE_TEST_SUITE_P(Link, LeavingStatusMode,
                         ::testing::Values(LeaveCase{"Attach", LINKM_MAIN_ATTACH, false},
                                           LeaveCase{"Detach", LINKM_MAIN_DETACH, true},
                                           LeaveCase{"Clear", LINKM_CLEAR, true},
                                           LeaveCase{"SortOfEmptyList", LINKM_SORT, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Key hand-back ----------------------------------------------------------------------------------

// The key goes back exactly as received; a payload is never read beyond its byte count, which the guard
// page right after it would turn into a crash.
TEST(KeyHandBack, KeyReturnsUnchangedAndPayloadIsReadWithinItsCount) {
    const std::wstring controlKey = L"k\t\r\n\b\v1";
    const std::wstring full = NoticePayload(Notice{controlKey, L"p", L"s", L"t", L"1"});
    const wchar_t odd[] = L"ab";
    const struct {
        const char* name;
        const void* bytes;
        DWORD count;
        std::wstring key;
    } cases[] = {
        {"control characters", full.data(), static_cast<DWORD>(full.size() * sizeof(wchar_t)), controlKey},
        {"odd byte count", odd, 3, L"a"},
        {"one byte", odd, 1, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainApplicationWindow main;
        Item item;
        ASSERT_NE(item.Initialise(), nullptr);
        item.Send(LINKM_MAIN_ATTACH, AsParam(main.hwnd()));
        GuardedBytes guarded(c.bytes, c.count);
        COPYDATASTRUCT data = {0, c.count, guarded.data()};
        EXPECT_EQ(item.Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
        item.Refresh();  // the host's refresh shows the notice appended alone
        main.Clear();
        item.Act();
        EXPECT_TRUE(SequenceIs(main.Messages(), KeyHandBack(item.item, c.key)));
    }
}

// --- Liveness ping ----------------------------------------------------------------------------------

namespace {
enum class Peer { Alive, AnswersZero, Destroyed };
const char* const kPeerNames[] = {"Alive", "AnswersZero", "WindowDestroyed"};
void PrintTo(Peer peer, std::ostream* os) { *os << kPeerNames[static_cast<int>(peer)]; }
class Ping : public ::testing::TestWithParam<Peer> {};
}  // namespace

TEST_P(Ping, AMainApplicationThatIsGoneIsForgotten) {
    const Peer peer = GetParam();
    NotificationAreaWindow area;
    HeldSection section(MAIN_SECTION_NAME);
    auto main = std::make_unique<MainApplicationWindow>();
    section.WriteHandle(main->hwnd());
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    SendNotice(item.item, NoticePayload(L"k", 1));
    item.Refresh();
    ASSERT_EQ(item.record.cyp, kThreeLines);
    if (peer == Peer::AnswersZero) main->answers[LINKM_PING] = 0;
    if (peer == Peer::Destroyed) main.reset();

    EXPECT_EQ(item.Query(), peer == Peer::Alive ? 0 : 1);
    if (peer == Peer::Alive) {
        EXPECT_TRUE(area.Messages().empty());
        EXPECT_EQ(item.record.cyp, kThreeLines);
        return;
    }
    // Forgotten at that query: the host learns the one-line height from it.
    EXPECT_EQ(item.record.cyp, kOneLine);
    ASSERT_TRUE(SequenceIs(area.Messages(), {{WM_COPYDATA, Delivery::Sent}}));
    ASSERT_EQ(area.Removals().size(), 1u);
    const NotificationCall removed = area.Removals()[0];
    const CLSID expectedClass = MAIN_NOTIFICATION_CLSID;
    EXPECT_TRUE(IsEqualGUID(removed.clsid, expectedClass));
    EXPECT_EQ(removed.id, 6377u);
    MSG posted;
    EXPECT_FALSE(PeekMessageW(&posted, item.item, WM_USER, 0xBFFF, PM_NOREMOVE)) << "nothing left for a message";

    const size_t pingsBefore = main ? Pings(*main).size() : 0;
    EXPECT_EQ(item.Query(), 1);  // still to be repainted
    EXPECT_EQ(item.record.cyp, kOneLine);
    if (main) {
        EXPECT_EQ(Pings(*main).size(), pingsBefore) << "unlinked: no more pings";
    }

    // Linking again through the handshake, which keeps the list, shows that the list was emptied.
    MainApplicationWindow next;
    section.WriteHandle(next.hwnd());
    ASSERT_NE(item.Initialise(), nullptr);
    item.Query();
    EXPECT_EQ(Pings(next).size(), 1u);
    EXPECT_EQ(item.record.cyp, kOneLine);
}

INSTANTIATE_TEST_SUITE_P(Link, Ping, ::testing::Values(Peer::Alive, Peer::AnswersZero, Peer::Destroyed),
                         [](const auto& info) { return std::string(kPeerNames[static_cast<int>(info.param)]); });

// --- Unload -------------------------------------------------------------------------------------------

namespace {
enum class LinkAtUnload { Linked, NeverLinked, Detached };
const char* const kLinkNames[] = {"Linked", "NeverLinked", "Detached"};
void PrintTo(LinkAtUnload link, std::ostream* os) { *os << kLinkNames[static_cast<int>(link)]; }
class Unload : public ::testing::TestWithParam<LinkAtUnload> {};
}  // namespace

TEST_P(Unload, SaysGoodbyeOnlyWhileLinkedAndAlwaysZeroesTheSection) {
    const LinkAtUnload link = GetParam();
    HeldSection today(TODAY_SECTION_NAME);
    MainApplication main(link != LinkAtUnload::NeverLinked);
    bool windowAliveAtGoodbye = false;
    main.window.onMessage = [&](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == LINKM_ITEM_DETACH) windowAliveAtGoodbye = IsWindow(reinterpret_cast<HWND>(wParam)) != FALSE;
        return std::nullopt;
    };
    Item item;
    const HWND itemWindow = item.Initialise();
    ASSERT_NE(itemWindow, nullptr);
    if (link == LinkAtUnload::Detached) item.Send(LINKM_MAIN_DETACH);
    main.window.Clear();

    item.dll.Unload();
    if (link == LinkAtUnload::Linked) {
        EXPECT_TRUE(SequenceIs(main.window.Messages(), ItemGoodbye(itemWindow)));
        EXPECT_EQ(main.window.Messages().at(0).lParam, 0);
        EXPECT_TRUE(windowAliveAtGoodbye);
    } else {
        EXPECT_TRUE(main.window.Messages().empty());
    }
    EXPECT_FALSE(IsWindow(itemWindow));
    EXPECT_EQ(today.ReadHandle(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Link, Unload,
                         ::testing::Values(LinkAtUnload::Linked, LinkAtUnload::NeverLinked, LinkAtUnload::Detached),
                         [](const auto& info) { return std::string(kLinkNames[static_cast<int>(info.param)]); });

TEST(UnloadSection, TheItemHandleOfTheSectionIsClosed) {
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    HANDLE probe = OpenFileMappingW(FILE_MAP_READ, FALSE, TODAY_SECTION_NAME);
    ASSERT_NE(probe, nullptr);
    CloseHandle(probe);
    item.dll.Unload();
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_READ, FALSE, TODAY_SECTION_NAME), nullptr);
}

// A main application may answer the goodbye by talking back to the item window, which still exists then.
TEST(UnloadSection, MessagesArrivingDuringTheGoodbyeAreSafe) {
    MainApplication main;
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    SendNotice(item.item, NoticePayload(L"k", 1));
    const HWND itemWindow = item.item;
    TODAYLISTITEM* record = &item.record;
    int answered = 0;
    main.window.onMessage = [&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != LINKM_ITEM_DETACH) return std::nullopt;
        SendNotice(itemWindow, NoticePayload(L"late", 2));
        SendMessageW(itemWindow, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(record), 0);
        SendMessageW(itemWindow, LINKM_SORT, 0, 0);
        SendMessageW(itemWindow, LINKM_MAIN_DETACH, 0, 0);
        ++answered;
        return LRESULT(0);
    };
    item.dll.Unload();
    EXPECT_EQ(answered, 1);
    EXPECT_FALSE(IsWindow(itemWindow));
}

// --- A hung main application never freezes the Today screen ---------------------------------------------

namespace {
constexpr DWORD kBound = LINK_REPLY_TIMEOUT_MS;
constexpr DWORD kSlack = 1500;

template <typename Action>
DWORD Timed(Action action) {
    const DWORD start = GetTickCount();
    action();
    return GetTickCount() - start;
}
}  // namespace

// A main application whose window exists but does not answer is busy, not gone: it keeps its link and
// notices, the Today screen waits on it once, and the pings resume once it sends the item something again.
TEST(BusyMainApplication, KeepsTheLinkAndIsWaitedOnOnce) {
    NotificationAreaWindow area;
    ThreadedMainApplication busy(ThreadedMainApplication::Unlisted(true));
    Item item;
    ASSERT_NE(item.Initialise(), nullptr);
    item.Send(LINKM_MAIN_ATTACH, AsParam(busy.hwnd()));
    for (ULONGLONG time : {1, 2}) SendNotice(item.item, NoticePayload(L"k" + std::to_wstring(time), time));
    item.Send(LINKM_SORT);

    int result = -1;
    EXPECT_LT(Timed([&] { result = item.Query(); }), kBound + kSlack);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(item.record.cyp, kThreeLines);
    EXPECT_LT(Timed([&] { result = item.Query(); }), kSlack);  // no second wait
    DrainMessages();
    item.Query();
    EXPECT_EQ(item.record.cyp, kThreeLines);
    EXPECT_TRUE(DrawsNoticeLines(item.item));
    EXPECT_TRUE(area.MessagesNumbered(WM_COPYDATA).empty());  // its notification stays

    busy.Release();
    const int pinged = busy.Received(LINKM_PING);  // Wine drops a sent message that timed out
    item.Query();
    EXPECT_EQ(busy.Received(LINKM_PING), pinged);  // still backing off
    item.Send(LINKM_SORT);                         // the main application speaks again
    item.Query();
    EXPECT_EQ(busy.Received(LINKM_PING), pinged + 1);
}

// The busy rule itself, on the link alone with short bounds: timed out on an existing window means busy,
// nothing is sent during the back-off, and after it the next send waits again.
TEST(BusyMainApplication, BackOffEndsAfterItsTime) {
    ThreadedMainApplication busy(ThreadedMainApplication::Unlisted(true));
    MainLink link;
    link.replyTimeoutMs = 50;
    link.busyBackoffMs = 300;
    ASSERT_EQ(link.OnMessage(LINKM_MAIN_ATTACH, AsParam(busy.hwnd()), 0).handled, true);
    EXPECT_TRUE(link.Ping());
    EXPECT_TRUE(link.BackingOff());
    EXPECT_EQ(link.RequestActivation().outcome, SendOutcome::Busy);
    EXPECT_LT(Timed([&] { link.Ping(); }), 40u);
    Sleep(350);  // the back-off's own time
    EXPECT_FALSE(link.BackingOff());
    EXPECT_GE(Timed([&] { EXPECT_EQ(link.RequestActivation().outcome, SendOutcome::Busy); }), 40u);
    EXPECT_EQ(link.mainWindow, busy.hwnd());
}

TEST(HungMainApplication, TheHandshakeAndTheActionWaitOneBoundTheUnloadNone) {
    ThreadedMainApplication hung(ThreadedMainApplication::Unlisted(true));
    HeldSection section(MAIN_SECTION_NAME);
    section.WriteHandle(hung.hwnd());
    Item item;
    EXPECT_LT(Timed([&] { item.Initialise(); }), kBound + kSlack);
    ASSERT_NE(item.item, nullptr);
    // What the user asks for is tried once more within the bound; the goodbye never waits.
    EXPECT_LT(Timed([&] { item.Act(); }), kBound + kSlack);
    EXPECT_LT(Timed([&] { item.dll.Unload(); }), kSlack);
}

// A sender's payload at an odd address is read as it was sent (a handheld faults on the misaligned read; the link
// reads such a payload from an aligned copy).
TEST(NoticePayloadPlace, APayloadAtAnOddAddressIsReadAsSent) {
    const std::wstring payload = std::wstring(L"key1") + L'\0' + L"" + L'\0' + L"Ann" + L'\0' + L"Hi" + L'\0' + L"0";
    std::vector<BYTE> buffer(payload.size() * sizeof(wchar_t) + 1);
    memcpy(buffer.data() + 1, payload.data(), payload.size() * sizeof(wchar_t));
    COPYDATASTRUCT record = {0, static_cast<DWORD>(payload.size() * sizeof(wchar_t)), buffer.data() + 1};
    MainLink link;
    ASSERT_TRUE(link.AddNotice(&record));
    const MessageEntry* kept = link.notices.Current();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(std::wstring(kept->key.Text(), kept->key.Length()), L"key1");
    EXPECT_EQ(std::wstring(kept->senderName.Text(), kept->senderName.Length()), L"Ann");
}
