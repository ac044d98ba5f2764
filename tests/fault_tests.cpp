// The robustness suite, part two: faults around the item. Each keeps the host responsive (every refresh query
// answered within a generous bound, which only a hang overruns), leaks nothing the item made (counted by
// probing) and crashes nothing; each reports what it tried. ARDENO_SOAK=1 (./run soak) runs longer.
#include "kit/LinkWire.h"
#include "link/MainLink.h"
#include "support/ItemHarness.h"
#include "support/MainApplication.h"
#include "support/PeerProcess.h"
#include "support/ChildRun.h"
#include "support/ScratchFiles.h"
#include "support/RandomNotices.h"
#include "support/Registry.h"
#include "support/ResourceCounts.h"
#include "support/Sections.h"
#include "support/Surface.h"
#include "support/TestData.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

namespace {

// A refresh query that takes longer than this has hung: the item waits at most the reply bound for the main
// application; the rest is room for a loaded machine.
constexpr DWORD kHungAfterMs = 2 * LINK_REPLY_TIMEOUT_MS + 10000;

// The host's side: refresh queries timed, every answer's time kept for the report.
struct HostQueries {
    explicit HostQueries(LoadedItem& loaded) : loaded(loaded) {}
    LRESULT Query() {
        const DWORD asked = GetTickCount();
        const LRESULT answer = loaded.Query();
        const DWORD took = GetTickCount() - asked;
        EXPECT_LT(took, kHungAfterMs) << "the refresh query hung";
        times.push_back(took);
        return answer;
    }
    // The slowest answer from the given query on.
    DWORD Slowest(size_t from = 0) const {
        return from < times.size() ? *std::max_element(times.begin() + from, times.end()) : 0;
    }
    DWORD Height() {
        Query();
        return loaded.record.cyp;
    }
    std::string Figures() const {
        return std::to_string(times.size()) + " refresh queries answered, slowest in " + std::to_string(Slowest()) +
               " ms";
    }
    LoadedItem& loaded;
    std::vector<DWORD> times;
};

// The item sized for three lines and painted once, its host's queries timed, and a main application to feed it.
struct HostedItem {
    HostedItem() {
        loaded.Resize(240, 60);
        loaded.Repaint();
    }
    LoadedItem loaded;
    HostQueries host{loaded};
    MainApplicationWindow main;
};

// Notice i of a list whose times rise in list order, with a text of textLength characters.
Notice LongNotice(int i, size_t textLength) {
    Notice notice;
    notice.key = L"k" + std::to_wstring(i);
    notice.sender = L"Sender " + std::to_wstring(i);
    notice.time = std::to_wstring(133604100000000000ull + i * 10000000ull);
    notice.text = L"Message " + std::to_wstring(i);
    while (notice.text.size() < textLength) notice.text += L" and so on";
    notice.text.resize(textLength);
    return notice;
}

// The messenger's stand-in in its own process, driven by its control commands.
class PeerFault : public ::testing::Test {
protected:
    PeerReady peerReady;
    ChildProcess peer;
    ChildProcessSweep sweep;
};

// Ends the stand-in once the item has taken a given number of its notices.
struct BurstBreaker {
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->hwnd == item && sent->message == WM_COPYDATA && ++seen == breakAt)
            TerminateProcess(process, 9);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static HWND item;
    static HANDLE process;
    static int seen, breakAt;
};
HWND BurstBreaker::item;
HANDLE BurstBreaker::process;
int BurstBreaker::seen, BurstBreaker::breakAt;

TEST_F(PeerFault, MainApplicationKilledInTheMiddleOfABurstOfNotices) {
    const int burst = Scaled(2000, 20000);
    ASSERT_TRUE(peerReady.Start(peer, L"run"));
    LoadedItem loaded;
    ASSERT_NE(loaded.item, nullptr);
    HostQueries host(loaded);
    ASSERT_EQ(host.Height(), 20u);
    const ResourceCounts before = CountResources();

    BurstBreaker::item = loaded.item;
    BurstBreaker::process = peer.Handle();
    BurstBreaker::seen = 0;
    BurstBreaker::breakAt = burst / 2;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, BurstBreaker::Hook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_NE(RunPeerCommand(L"flood " + std::to_wstring(burst)).exitCode, 0u) << "the flood ended with the stand-in";
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(PumpUntilSignalled(peer.Handle(), kChildWaitMs));
    EXPECT_EQ(BurstBreaker::seen, burst / 2);

    // The item held the notices it took; the next query finds the stand-in gone, and the detach it posted
    // itself takes it back to one line.
    EXPECT_EQ(host.Query(), 1);
    DrainMessages();
    EXPECT_EQ(host.Height(), 20u);
    loaded.Repaint();
    const ResourceCounts after = CountResources();
    Report("killed main application: " + std::to_string(BurstBreaker::seen) + " of a burst of " +
           std::to_string(burst) + " notices taken before the kill, then one line again; " + host.Figures() + "; " +
           DescribeChange(before, after));
    EXPECT_TRUE(SameResources(before, after, 4 << 20));
}

// Slow and hung are busy, not gone: the item keeps its link and notices, waits on a hung application once and
// then backs off, so the host's queries are answered at once again.
TEST_F(PeerFault, SlowThenHungMainApplicationNeverFreezesTheHost) {
    const DWORD slowMs = 400;
    ASSERT_TRUE(peerReady.Start(peer, L"run --hang-ping-ms " + std::to_wstring(slowMs)));
    LoadedItem loaded;
    ASSERT_NE(loaded.item, nullptr);
    HostQueries host(loaded);
    ASSERT_TRUE(PeerCommand(L"flood 5"));
    loaded.Send(LINKM_SORT);
    const ResourceCounts before = CountResources();

    for (int i = 0; i < Scaled(3, 20); ++i) EXPECT_EQ(host.Height(), 60u) << "slow is not gone";
    const DWORD slowest = host.Slowest();
    loaded.Repaint();
    ASSERT_TRUE(PeerCommand(L"hang " + std::to_wstring(4 * LINK_REPLY_TIMEOUT_MS)));
    host.Query();
    const DWORD waited = host.times.back();
    const size_t backingOff = host.times.size();
    for (int i = 0; i < Scaled(5, 50); ++i) {
        DrainMessages();
        EXPECT_EQ(host.Height(), 60u) << "hung is busy, not gone";
        loaded.Repaint();
    }
    const DWORD afterwards = host.Slowest(backingOff);
    const ResourceCounts after = CountResources();
    Report("slow main application (pings answered after " + std::to_string(slowMs) + " ms): linked, slowest query " +
           std::to_string(slowest) + " ms; hung: waited on once (" + std::to_string(waited) + " ms), the next " +
           std::to_string(Scaled(5, 50)) + " queries answered within " + std::to_string(afterwards) + " ms, notices " +
           "kept; " + host.Figures());
    EXPECT_TRUE(SameResources(before, after, 256 << 10));
}

TEST(Faults, InstallPathPointingAtNothingStartsNothingAndLeaksNothing) {
    ChildProcessSweep sweep;
    const std::wstring textFile = TemporaryFile(L"not-a-program.txt");
    WriteFileBytes(textFile, {'h', 'i'});
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring paths[] = {L"Z:\\nowhere\\Ardeno.exe",
                                  folder,
                                  textFile,
                                  L"",
                                  L"C:\\" + std::wstring(2000, L'x') + L".exe",
                                  L"\\\\?\\",
                                  L"::"};
    const int actions = Scaled(20, 200);
    HeldSection mainSection(MAIN_SECTION_NAME);
    mainSection.WriteHandle(static_cast<DWORD>(0));
    for (const std::wstring& path : paths) {
        SCOPED_TRACE(std::string(path.begin(), path.begin() + std::min<size_t>(path.size(), 40)));
        ScopedRegistryKey productKey(TEST_PRODUCT_KEY);
        productKey.SetString(L"InstallPath", path);
        LoadedItem loaded;
        ASSERT_NE(loaded.item, nullptr);
        loaded.Resize(240, 20);
        HostQueries host(loaded);
        loaded.Act();  // the first start's one-time costs
        const ResourceCounts before = CountResources();
        for (int i = 0; i < actions; ++i) {
            loaded.Act();
            loaded.Send(WM_LBUTTONDOWN, 0, MAKELPARAM(100, 10));
            loaded.Send(WM_LBUTTONUP, 0, MAKELPARAM(100, 10));
            EXPECT_EQ(host.Height(), 20u);
            loaded.Repaint();
        }
        EXPECT_TRUE(ChildProcessIds().empty()) << "something was started";
        EXPECT_TRUE(SameResources(before, CountResources(), 256 << 10));
    }
    DeleteFileW(textFile.c_str());
    Report("install path pointing at nothing: " + std::to_string(std::size(paths)) + " paths (missing, folder, text " +
           "file, empty, 2,000 characters, malformed), " + std::to_string(3 * actions) +
           " actions and taps each: nothing started, nothing left behind");
}

struct RegistryCase {
    const wchar_t* key;
    const wchar_t* value;
    DWORD type;
    std::vector<BYTE> bytes;
};

std::vector<BYTE> Utf16(const std::wstring& text, bool terminated) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(bytes, bytes + (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
}

TEST(Faults, RegistryValuesOfTheWrongTypeAndSizeFallBackQuietly) {
    const std::vector<RegistryCase> cases = {
        {TEST_PRODUCT_KEY, L"InstallPath", REG_DWORD, {1, 0, 0, 0}},
        {TEST_PRODUCT_KEY, L"InstallPath", REG_BINARY, {1, 2, 3}},
        {TEST_PRODUCT_KEY, L"InstallPath", REG_SZ, Utf16(std::wstring(3000, L'p'), true)},
        {TEST_PRODUCT_KEY, L"InstallPath", REG_SZ, Utf16(L"abc", false)},
        {TEST_PRODUCT_KEY, L"InstallPath", REG_SZ, {'a', 0, 'b'}},
        {TEST_PRODUCT_KEY, L"InstallPath", REG_MULTI_SZ, Utf16(std::wstring(L"a\0b\0", 4), true)},
        {TEST_PRODUCT_KEY, L"SMSPrefix", REG_DWORD, {7, 0, 0, 0}},
        {TEST_PRODUCT_KEY, L"HorTLines", REG_SZ, Utf16(L"3", true)},
        {TEST_PRODUCT_KEY, L"HorTLines", REG_BINARY, {3, 0}},
        {TEST_PRODUCT_KEY, L"HorTLines", REG_QWORD, {3, 0, 0, 0, 0, 0, 0, 0}},
        {TEST_PRODUCT_KEY, L"HorTLines", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
        {TEST_FONT_SIZE_KEY, L"CurFont", REG_SZ, Utf16(L"900", true)},
        {TEST_FONT_SIZE_KEY, L"CurFont", REG_BINARY, {9}},
        {TEST_FONT_SIZE_KEY, L"CurFont", REG_QWORD, {0x84, 3, 0, 0, 0, 0, 0, 0}},
        {TEST_FONT_SIZE_KEY, L"CurFont", REG_DWORD, {0, 0, 0, 0}},
        {TEST_FONT_SIZE_KEY, L"CurFont", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
        {TEST_FONT_SIZE_KEY, L"CurFont", REG_DWORD, {0xA0, 0x86, 0x01, 0x00}},
    };
    MainApplicationWindow main;
    // Load, show three notices, query, paint, unload.
    auto exercise = [&main]() {
        LoadedItem loaded;
        ASSERT_NE(loaded.item, nullptr);
        loaded.Resize(240, 60);
        main.Show(loaded.item, NumberedNotices(3));
        HostQueries host(loaded);
        const DWORD height = host.Height();
        EXPECT_TRUE(height == 60 || height == 72) << height << ": three lines of 20 or 24 pixels";
        for (int paint = 0; paint < 3; ++paint) loaded.Repaint();
    };
    for (const RegistryCase& registryCase : cases) {
        SCOPED_TRACE(std::string(registryCase.value, registryCase.value + wcslen(registryCase.value)) + " of type " +
                     std::to_string(registryCase.type) + ", " + std::to_string(registryCase.bytes.size()) + " bytes");
        ScopedRegistryKey key(registryCase.key);
        key.SetBytes(registryCase.value, registryCase.bytes, registryCase.type);
        exercise();  // the platform's one-time costs: a font size met for the first time keeps its font file open
        main.Clear();
        const ResourceCounts before = CountResources();
        exercise();
        main.Clear();
        EXPECT_TRUE(SameResources(before, CountResources(), 256 << 10));
    }
    Report("registry values of the wrong type and size: " + std::to_string(cases.size()) +
           " values loaded, painted, queried and unloaded: nothing left behind");
}

TEST(Faults, AsManyNoticesAsHeldArePagedThroughAndGiveBackTheirObjects) {
    const int count = static_cast<int>(NOTICES_HELD_MAX);
    HostedItem hosted;
    auto& [loaded, host, main] = hosted;
    ASSERT_NE(loaded.item, nullptr);
    const ResourceCounts before = CountResources();
    const DWORD started = GetTickCount();
    // One at a time, so that only the item's memory grows.
    main.Attach(loaded.item);
    for (int i = 0; i < count; ++i) ASSERT_EQ(SendNotice(loaded.item, LongNotice(i, 100), main.hwnd()), 1) << i;
    EXPECT_EQ(SendNotice(loaded.item, LongNotice(count, 100), main.hwnd()), 0) << "one past the bound is refused";
    loaded.Send(LINKM_SORT);
    const ResourceCounts held = CountResources();
    EXPECT_EQ(host.Height(), 60u);
    for (int i = 0; i < count; ++i) {
        loaded.Send(WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT);
        if (i % 50 == 0) loaded.Repaint();
        if (i % 500 == 0) host.Query();
    }
    loaded.Send(LINKM_CLEAR);
    loaded.Repaint();
    const DWORD elapsed = GetTickCount() - started;
    const ResourceCounts after = CountResources();
    Report(std::to_string(count) + " notices of 100-character texts: held in " +
           std::to_string((held.privateBytes - before.privateBytes) / 1024) + " KB of private memory, paged " +
           "through to the last with " + std::to_string(count) + " key presses in " + std::to_string(elapsed) +
           " ms; " + host.Figures() + "; after clearing: " + DescribeChange(before, after));
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.kernelHandles, before.kernelHandles);
    EXPECT_EQ(after.windows, before.windows);
}

// Portrait files the item meets in the field, each on its own notice: every paint after the first finds the
// same GDI objects (a portrait that loads is kept by its notice), and clearing gives all of them back.
TEST(InChildFaults, BrokenMissingAndVeryLargePortraitsPaintWithoutLeaks) {
    ScratchFolder files;
    const std::wstring empty = files.Path(L"empty.bmp");
    WriteFileBytes(empty, {});
    const std::wstring png = files.Path(L"portrait.png");
    WriteFileBytes(png, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 8});
    const std::wstring text = files.Path(L"portrait.txt");
    WriteFileBytes(text, {'n', 'o', 't', ' ', 'a', ' ', 'b', 'i', 't', 'm', 'a', 'p'});
    const std::wstring huge = files.WriteBitmap(L"huge-claim.bmp", 4, 4);
    const std::string written = ReadFileText(huge);
    std::vector<BYTE> claim(written.begin(), written.begin() + 54);
    claim[21] = 0x7F;  // width and height near 2^31 in a 54-byte file
    claim[25] = 0x7F;
    WriteFileBytes(huge, claim);
    const std::wstring portraits[] = {files.Path(L"missing.bmp"),
                                      empty,
                                      TestDataFile(L"portrait-truncated.bmp"),
                                      TestDataFile(L"portrait-offbits-past-end.bmp"),
                                      png,
                                      text,
                                      huge,
                                      files.WriteBitmap(L"large.bmp", 2048, 2048),
                                      files.WriteBitmap(L"small.bmp")};
    std::vector<Notice> notices = NumberedNotices(static_cast<int>(std::size(portraits)));
    for (size_t i = 0; i < notices.size(); ++i) notices[i].portraitPath = portraits[i];

    HostedItem hosted;
    auto& [loaded, host, main] = hosted;
    ASSERT_NE(loaded.item, nullptr);
    const int objects = CountGdiObjects();
    main.Show(loaded.item, notices);
    for (size_t i = 0; i < notices.size(); ++i) {
        SCOPED_TRACE(std::string(portraits[i].begin(), portraits[i].end()));
        loaded.Repaint();
        const int afterFirstPaint = CountGdiObjects();
        for (int paint = 0; paint < Scaled(10, 100); ++paint) loaded.Repaint();
        EXPECT_EQ(CountGdiObjects(), afterFirstPaint);
        EXPECT_EQ(host.Height(), 60u);
        loaded.Send(WM_TODAYCUSTOM_USERNAVIGATION, VK_RIGHT);
    }
    loaded.Send(LINKM_CLEAR);
    loaded.Repaint();
    EXPECT_EQ(CountGdiObjects(), objects);
}

TEST(Faults, BrokenMissingAndVeryLargePortraitsPaintWithoutLeaksInAChildProcess) {
    ::testing::AssertionResult result =
        PassesInChildProcess("InChildFaults.BrokenMissingAndVeryLargePortraitsPaintWithoutLeaks");
    Report(
        "portrait files missing, empty, truncated, pixel offset past the end, PNG, text, a 2^31-square claim, "
        "2048 x 2048 and small, " +
        std::to_string(Scaled(11, 101)) + " paints each: " + (result ? "no leak, no crash" : "FAILED"));
    EXPECT_TRUE(result);
}

// Random inputs of a user and a host: keys, the action, taps anywhere, selection coming and going, with paints
// and the highlight timer running in between. Texts are random but well-formed.
TEST(InChildFaults, TenThousandKeyPressesAndTaps) {
    const int inputs = Scaled(10000, 100000);
    RandomNotices dice(FirstSeed() + 7);
    ScratchFolder files;
    HostedItem hosted;
    auto& [loaded, host, main] = hosted;
    ASSERT_NE(loaded.item, nullptr);
    std::vector<Notice> notices = NumberedNotices(30);
    for (size_t i = 0; i < notices.size(); ++i) {
        notices[i].sender = dice.Text(30, false);
        notices[i].text = dice.Text(200, false);
        const int side = 8 + static_cast<int>(i);
        if (i % 3 == 0) notices[i].portraitPath = files.WriteBitmap(L"p" + std::to_wstring(i) + L".bmp", side, side);
    }
    const int objects = CountGdiObjects();
    main.Show(loaded.item, notices);
    const UINT keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_RETURN, 'A'};
    for (int i = 0; i < inputs; ++i) {
        const LPARAM at = MAKELPARAM(static_cast<int>(dice.Below(260)) - 10, static_cast<int>(dice.Below(80)) - 10);
        switch (dice.Below(10)) {
        case 0:
            loaded.Act();
            break;
        case 1:
            loaded.Send(WM_LBUTTONDOWN, 0, at);
            break;
        case 2:
            loaded.Send(WM_LBUTTONUP, 0, at);
            break;
        case 3:
            loaded.Send(dice.Chance(0.5) ? WM_TODAYCUSTOM_RECEIVEDSELECTION : WM_TODAYCUSTOM_LOSTSELECTION);
            break;
        default:
            loaded.Send(WM_TODAYCUSTOM_USERNAVIGATION, keys[dice.Below(std::size(keys))]);
        }
        if (i % 20 == 0) {
            main.Clear();
            loaded.Repaint();
            DrainMessages();  // the arrow highlight's timer
        }
        if (i % 200 == 0) host.Query();
    }
    loaded.Send(LINKM_CLEAR);
    loaded.Repaint();
    PumpFor(250);  // a highlight still lit goes out
    EXPECT_EQ(CountGdiObjects(), objects);
    EXPECT_TRUE(IsWindow(loaded.item));
}

TEST(Faults, TenThousandKeyPressesAndTapsInAChildProcess) {
    ::testing::AssertionResult result =
        PassesInChildProcess("InChildFaults.TenThousandKeyPressesAndTaps", Scaled(45000, 300000));
    Report(std::to_string(Scaled(10000, 100000)) + " random key presses, actions, taps and selection changes over " +
           "30 notices with paints and queries between them: " + (result ? "no leak, no crash" : "FAILED"));
    EXPECT_TRUE(result);
}

}  // namespace
