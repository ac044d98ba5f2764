// Figures of the real item DLL, driven through its exports and window messages, each beside its floor measured
// in the same run (the two called by turns, medians kept):
//   item_bench.exe refresh  the refresh query, whose ping crosses to ArdenoPeer.exe, against a bare cross-process
//                           round trip to the same window
//   item_bench.exe ingest   2,000 notices of 100 characters pushed by ArdenoPeer.exe, against the same payloads
//                           sent to a window that only answers 1
//   item_bench.exe paint    a three-line repaint, against an empty child window's repaint plus the GDI work no
//                           paint of those lines can avoid
//   item_bench.exe portrait a three-line repaint whose portrait is larger than its cell, against the same repaint
//                           with a portrait that fits
//   item_bench.exe longtext the repaint of a notice whose text fills the largest payload the item takes (64 KiB),
//                           against the same repaint with a 100-unit text
//   item_bench.exe memory   private memory per 1,000 notices, against the notices' own texts
//   item_bench.exe peak     the most the item holds of its heap at once while it takes one 64 KiB notice, against
//                           the payload (last in a run of all: it binds the item's imports to counting stand-ins)
// --json prints one JSON object a line. Goals are printed, never enforced: the exit code only says whether the
// figures could be measured.
#include "BenchFigures.h"
#include "PeerControl.h"
#include "kit/LinkWire.h"
#include "link/NoticePayload.h"
#include "resources/resource.h"
#include "support/ItemHarness.h"
#include "support/ItemImports.h"
#include "support/MainApplication.h"
#include "support/NoticeFeed.h"
#include "support/PeerProcess.h"
#include "support/Registry.h"
#include "support/ScratchFiles.h"
#include "support/ResourceCounts.h"
#include "support/Sections.h"
#include "support/Surface.h"
#include "platform/ScopedHandles.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kShellReadyEventName[] = L"SYSTEM/ShellAPIReady";
constexpr int kItemWidth = 240, kItemHeight = 60;

std::string Fixed(double value, int decimals = 0) {
    char text[64];
    snprintf(text, sizeof(text), "%.*f", decimals, value);
    return text;
}

// A notice payload: key, portrait (none by default), sender, a text of textLength characters, a time that rises
// with i.
std::wstring Payload(int i, size_t textLength, const std::wstring& portrait = L"") {
    std::wstring text = L"Message " + std::to_wstring(i);
    while (text.size() < textLength) text += L" and so on";
    text.resize(textLength);
    return JoinFields({L"k" + std::to_wstring(i), portrait, L"Sender " + std::to_wstring(i), text,
                       std::to_wstring(133604100000000000ull + i * 10000000ull)});
}

LRESULT SendPayload(HWND item, HWND sender, const std::wstring& payload) {
    COPYDATASTRUCT data = {0, static_cast<DWORD>(payload.size() * sizeof(wchar_t)),
                           const_cast<wchar_t*>(payload.data())};
    return SendMessageW(item, WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(&data));
}

// A plain window on this thread: answers 1 to copy-data (the floor of ingestion) and paints the unavoidable
// work of the three lines (the floor of the repaint).
struct FloorWindow {
    static constexpr const wchar_t* kClass = L"BenchFloorWindow";
    static HICON icons[2];
    static HFONT font;

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COPYDATA) return 1;
        if (message == WM_ERASEBKGND) return 1;
        if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
        PaintDC paint(window);
        MemoryDC surface(paint.get());
        GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(paint.get(), kItemWidth, kItemHeight));
        SelectedObject bitmapIn(surface.get(), bitmap.get()), fontIn(surface.get(), font);
        SetBkMode(surface.get(), TRANSPARENT);
        const struct {
            const wchar_t* text;
            RECT rect;
            UINT format;
        } texts[] = {{L"Ardeno  (3)new messages.", {30, 2, 238, 18}, DT_LEFT},
                     {L"[1/3] ", {30, 2, 238, 18}, DT_RIGHT},
                     {L"[10:00]", {57, 21, 224, 37}, DT_RIGHT},
                     {L"Sender 1", {57, 21, 180, 37}, DT_LEFT | DT_NOPREFIX},
                     {L"Message 1 and so on and so...", {57, 40, 224, 56}, DT_LEFT | DT_NOPREFIX}};
        for (const auto& t : texts) {
            RECT rect = t.rect;
            DrawTextW(surface.get(), t.text, -1, &rect, t.format);
        }
        DrawIconEx(surface.get(), 2, 2, icons[0], 0, 0, 0, nullptr, DI_NORMAL);
        DrawIconEx(surface.get(), 223, 30, icons[1], 0, 0, 0, nullptr, DI_NORMAL);
        BitBlt(paint.get(), 0, 0, kItemWidth, kItemHeight, surface.get(), 0, 0, SRCCOPY);
        return 0;
    }

    // Of another class where it stands in for the item window in the main application's eyes.
    explicit FloorWindow(HWND parent, int y = 0, const wchar_t* className = kClass) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, className, L"floor", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, y, kItemWidth,
                                 kItemHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~FloorWindow() { DestroyWindow(window); }
    HWND window;
};
HICON FloorWindow::icons[2];
HFONT FloorWindow::font;

// What the floor window draws with, as the item does: its icon and an arrow at 16 x 16, and the item's font. Lent
// to the floor window for as long as they live.
struct FloorPaintTools {
    explicit FloorPaintTools(HMODULE item)
        : appIcon(Icon16(item, IDI_APP)), arrow(Icon16(item, IDI_NEXT_ARROW)), font(CreateItemFont(12)) {
        FloorWindow::icons[0] = appIcon.get();
        FloorWindow::icons[1] = arrow.get();
        FloorWindow::font = font.get();
    }
    ~FloorPaintTools() {
        FloorWindow::icons[0] = FloorWindow::icons[1] = nullptr;
        FloorWindow::font = nullptr;
    }
    static HICON Icon16(HMODULE item, int id) {
        return static_cast<HICON>(LoadImageW(item, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    }
    IconHandle appIcon, arrow;
    GdiObject<HFONT> font;
};

// A memory surface of the item's size, of the screen's format, with a font selected.
class ItemSizedSurface {
public:
    explicit ItemSizedSurface(HFONT font)
        : dc(WindowDC(nullptr).get()),
          bitmap(ScreenBitmap()),
          bitmapIn(dc.get(), bitmap.get()),
          fontIn(dc.get(), font) {}
    HDC get() const { return dc.get(); }

private:
    static HBITMAP ScreenBitmap() {
        WindowDC screen(nullptr);
        return CreateCompatibleBitmap(screen.get(), kItemWidth, kItemHeight);
    }
    MemoryDC dc;
    GdiObject<HBITMAP> bitmap;
    SelectedObject bitmapIn, fontIn;
};

// ArdenoPeer.exe as the main application, started before the item so that the item links to it at once.
struct RunningPeer {
    RunningPeer() {
        if (ready.Start(process, L"run")) window = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN);
    }
    PeerReady ready;
    ChildProcess process;  // ended before the ready event closes
    HWND window = nullptr;
};

// The item as the paint figures see it: loaded, three lines in size, under the font-size setting a device has
// (the item reads it at every paint), and a main application to push its notices.
struct PaintedItem {
    PaintedItem() {
        fontSize.SetDword(L"CurFont", 900);
        if (loaded.item) loaded.Resize(kItemWidth, kItemHeight);
    }
    ScopedRegistryKey fontSize{TEST_FONT_SIZE_KEY};
    LoadedItem loaded;
    MainApplicationWindow main;
};

bool Fail(const char* what) {
    fprintf(stderr, "item_bench: %s\n", what);
    return false;
}

bool RefreshQuery(bool json) {
    RunningPeer peer;
    if (!peer.window) return Fail("ArdenoPeer.exe did not start");
    LoadedItem loaded;
    if (!loaded.item) return Fail("the item did not load");
    auto query = [&] { loaded.Query(); };
    auto ping = [&] { SendMessageW(peer.window, LINKM_PING, 0, 0); };
    auto shellReadyTest = [] {
        HANDLE event = CreateEventW(nullptr, TRUE, FALSE, kShellReadyEventName);
        WaitForSingleObject(event, 0);
        CloseHandle(event);
    };
    auto boundedPing = [&] {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(peer.window, LINKM_PING, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer);
    };
    auto windowCheck = [&] { IsWindow(peer.window); };
    for (int i = 0; i < 100; ++i) query(), ping();  // both paths warm
    const Pair linked = InterleavedMedians(2000, query, ping);
    // What a query may spend beyond the round trip, each measured alone.
    const Pair bounded = InterleavedMedians(2000, boundedPing, windowCheck);
    // Unlinked (no ping), the query is the item's own work.
    loaded.Send(LINKM_MAIN_DETACH);
    const Pair own = InterleavedMedians(2000, query, shellReadyTest);
    loaded.Send(LINKM_MAIN_ATTACH, reinterpret_cast<WPARAM>(peer.window));

    Figure f = MicrosecondFigure("refresh query with its ping across processes", linked,
                                 "bare cross-process round trip to the same window", 1.2);
    f.note = Fixed(linked.measured - linked.floor) + " us beyond the round trip. Measured alone: the same " +
             "round trip as a bounded send (SendMessageTimeoutW, SMTO_ABORTIFHUNG) " + Fixed(bounded.measured) +
             " us; IsWindow on the main application's window " + Fixed(bounded.floor) + " us; the shell-ready " +
             "event test (create, wait 0, close) " + Fixed(own.floor) + " us; the query with nobody linked (no " +
             "ping) " + Fixed(own.measured) + " us";
    PrintFigure(f, json);
    return true;
}

bool Ingestion(bool json) {
    constexpr DWORD kNotices = NOTICES_HELD_MAX, kTextLength = 100;
    RunningPeer peer;
    if (!peer.window) return Fail("ArdenoPeer.exe did not start");
    LoadedItem loaded;
    if (!loaded.item) return Fail("the item did not load");
    // Of the item window's class: the stand-in's kit takes an attach only from such a window, published as the item's.
    FloorWindow floor(nullptr, 0, ITEM_WINDOW_CLASS);
    HeldSection todaySection(TODAY_SECTION_NAME);
    // The stand-in floods whichever window announced itself last as the item's.
    auto announce = [&](HWND target) {
        todaySection.WriteHandle(target);
        SendMessageW(peer.window, LINKM_ITEM_ATTACH, reinterpret_cast<WPARAM>(target), 0);
    };
    auto floodTo = [&](HWND target) {
        announce(target);
        return MicrosecondsPerCall(1, [&] { PeerFlood(peer.window, kNotices, kTextLength); });
    };
    floodTo(loaded.item);
    floodTo(floor.window);
    std::vector<double> item, bare;
    for (int round = 0; round < 9; ++round) {
        item.push_back(floodTo(loaded.item));  // the announcement empties the item's list first
        bare.push_back(floodTo(floor.window));
    }
    std::sort(item.begin(), item.end());
    std::sort(bare.begin(), bare.end());
    const double itemRate = kNotices * 1e6 / item[item.size() / 2];
    const double bareRate = kNotices * 1e6 / bare[bare.size() / 2];
    const double bestRatio = bare.front() / item.front();
    floodTo(loaded.item);
    if (SendPayload(loaded.item, peer.window, Payload(kNotices, kTextLength)) != 0)
        return Fail("a notice past the bound was kept");
    announce(loaded.item);

    Figure f;
    f.name = "notice ingestion across processes (ArdenoPeer.exe pushing 1,000 notices of 100 characters)";
    f.value = itemRate;
    f.unit = "notices/s";
    f.floorName = "the same payloads to a window that only answers 1";
    f.floor = bareRate;
    f.ratio = itemRate / bareRate;
    f.goal = ">= 0.8x";
    f.met = f.ratio >= 0.8;
    f.note = "medians of 9 floods each, alternating; the fastest floods of each give " + Fixed(bestRatio, 2) + "x";
    PrintFigure(f, json);
    return true;
}

// Three notices of 60 characters from the main application, sorted: the three-line view.
void ShowThreeNotices(PaintedItem& painted) {
    LoadedItem& loaded = painted.loaded;
    const MainApplicationWindow& main = painted.main;
    main.Attach(loaded.item);
    for (int i = 0; i < 3; ++i) SendPayload(loaded.item, main.hwnd(), Payload(i, 60));
    loaded.Send(LINKM_SORT);
}

// Reading the font-size setting as the item does at every paint (open, query, close), against a query of a key
// kept open.
Pair FontSizeReads() {
    auto readFontSize = [](const wchar_t* path) {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
        RegistryKeyHandle key(opened);
        DWORD value = 0, size = sizeof(value);
        RegQueryValueExW(key.get(), L"CurFont", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    };
    HKEY opened = nullptr;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEST_FONT_SIZE_KEY, 0, KEY_READ, &opened);
    RegistryKeyHandle openKey(opened);
    auto queryOpenKey = [&] {
        DWORD value = 0, size = sizeof(value);
        RegQueryValueExW(openKey.get(), L"CurFont", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    };
    return InterleavedMedians(
        2000, [&] { readFontSize(TEST_FONT_SIZE_KEY); }, queryOpenKey);
}

// The host's three colour answers and its watermark, as the item asks for them at every paint.
void AskHostAsThePaintDoes(LoadedItem& loaded, HDC surface) {
    for (WPARAM colour : {TODAYCOLOR_TEXT, TODAYCOLOR_HIGHLIGHTEDTEXT, TODAYCOLOR_HIGHLIGHT})
        SendMessageW(loaded.host.hwnd(), TODAYM_GETCOLOR, colour, 0);
    TODAYDRAWWATERMARKINFO info = {surface, {0, 0, kItemWidth, kItemHeight}, loaded.item};
    SendMessageW(loaded.host.hwnd(), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
}

// The cut with "..." measured one character at a time until the text no longer fits, then the rest.
void MeasureByCharacter(HDC surface) {
    for (const std::wstring& text : {Payload(0, 60).substr(17, 60), std::wstring(L"Sender 0")}) {
        SIZE size;
        GetTextExtentExPointW(surface, L"...", 3, 0, nullptr, nullptr, &size);
        int sum = 0;
        size_t at = 0;
        for (; at < text.size() && sum <= 167 - size.cx; ++at) {
            GetTextExtentExPointW(surface, &text[at], 1, 0, nullptr, nullptr, &size);
            sum += size.cx;
        }
        if (at < text.size())
            GetTextExtentExPointW(surface, &text[at], static_cast<int>(text.size() - at), 0, nullptr, nullptr, &size);
    }
}

// A brush and a pen made, the pen selected and put back, both deleted.
void BrushAndPen(HDC surface) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(0, 0x30, 0xA0)));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80)));
    SelectedObject penIn(surface, pen.get());
}

void ScreenDcRoundTrip() {
    WindowDC screen(nullptr);
    GetDeviceCaps(screen.get(), LOGPIXELSY);
}

bool Repaint(bool json) {
    PaintedItem painted;
    LoadedItem& loaded = painted.loaded;
    if (!loaded.item) return Fail("the item did not load");
    ShowThreeNotices(painted);
    FloorPaintTools tools(loaded.dll.module);
    FloorWindow floor(loaded.host.hwnd(), 100);

    auto itemPaint = [&] { loaded.Repaint(); };
    auto floorPaint = [&] {
        InvalidateRect(floor.window, nullptr, FALSE);
        UpdateWindow(floor.window);
    };
    for (int i = 0; i < 100; ++i) itemPaint(), floorPaint();  // fonts and glyphs are cached on first use
    const Pair paints = InterleavedMedians(2000, itemPaint, floorPaint);
    loaded.host.Clear();  // its recording of the colour and watermark requests

    // What the item's paint does beyond the floor, each part measured alone (medians of alternating rounds).
    const Pair registry = FontSizeReads();
    ItemSizedSurface surface(tools.font.get());
    const Pair callbacksAndMeasuring = InterleavedMedians(
        2000, [&] { AskHostAsThePaintDoes(loaded, surface.get()); }, [&] { MeasureByCharacter(surface.get()); });
    const Pair objectsAndScreen = InterleavedMedians(
        2000, [&] { BrushAndPen(surface.get()); }, ScreenDcRoundTrip);

    Figure f = MicrosecondFigure(
        "three-line repaint through the window procedure (InvalidateRect + UpdateWindow)", paints,
        "empty child window's repaint + memory surface, one font, five texts, two icons, one block transfer", 1.3);
    f.note = Fixed(paints.measured - paints.floor) + " us beyond the floor. Measured alone: measuring the sender " +
             "and the text a character at a time for the cut with '...' " + Fixed(callbacksAndMeasuring.floor) +
             " us; reading the font-size setting: open + query + close " + Fixed(registry.measured) + " us, a query " +
             "of a key kept open " + Fixed(registry.floor) + " us; the host's three colour answers and its " +
             "watermark " + Fixed(callbacksAndMeasuring.measured) + " us; a brush and a pen " +
             Fixed(objectsAndScreen.measured) + " us; a screen DC (GetDC, GetDeviceCaps, ReleaseDC) " +
             Fixed(objectsAndScreen.floor) + " us";
    PrintFigure(f, json);
    return true;
}

// The stretch of a portrait to its cell is made once, when the portrait is first drawn: a repaint then costs what
// one with a portrait of the cell's size costs.
bool RepaintScaledPortrait(bool json) {
    constexpr int kCell = 40;  // at 96 dpi with the default font setting
    PaintedItem painted;
    LoadedItem& loaded = painted.loaded;
    if (!loaded.item) return Fail("the item did not load");
    ScratchFolder scratch;
    const std::wstring large = scratch.WriteBitmap(L"portrait-96.bmp", 96, 96, RGB(0x40, 0x70, 0xC0)),
                       fitting = scratch.WriteBitmap(L"portrait-40.bmp", kCell, kCell, RGB(0x40, 0x70, 0xC0));
    // Three notices with the portrait, the first shown; the first paint loads the picture (and stretches it).
    auto show = [&](const std::wstring& portrait) {
        painted.main.Attach(loaded.item);
        for (int i = 0; i < 3; ++i) SendPayload(loaded.item, painted.main.hwnd(), Payload(i, 60, portrait));
        loaded.Send(LINKM_SORT);
        loaded.Repaint();
    };
    auto paint = [&] { loaded.Repaint(); };
    show(large);
    show(fitting);
    for (int i = 0; i < 100; ++i) paint();
    const Pair paints = AlternatingRunMedians(
        100, 20, [&] { show(large); }, paint, [&] { show(fitting); }, paint);
    // The stretch itself, made once per shown portrait: the first paint of a notice after it arrives.
    const Pair firstPaints = AlternatingRunMedians(
        20, 1, [&] { show(large); }, [&] { show(large); }, [&] { show(fitting); }, [&] { show(fitting); });

    Figure f = MicrosecondFigure("three-line repaint with a 96 x 96 portrait stretched into its 40 x 40 cell", paints,
                                 "the same repaint with a 40 x 40 portrait, drawn as it is", 1.2);
    f.note = Fixed(paints.measured - paints.floor) + " us beyond the floor; the stretch is made once, at the " +
             "first paint of the shown portrait: the notices' arrival, loading and first paint take " +
             Fixed(firstPaints.measured) + " us with the stretch, " + Fixed(firstPaints.floor) + " us without";
    PrintFigure(f, json);
    return true;
}

// The text of a notice that fills the largest payload the item takes, with everything else as Payload gives it.
std::wstring LongestPayload(int i) {
    const size_t others = Payload(i, 0).size();
    return Payload(i, NOTICE_PAYLOAD_MAX_BYTES / sizeof(wchar_t) - others);
}

// The repaint of a notice whose text fills the largest payload, against the same notice with a 100-unit text.
bool LongTextRepaint(bool json) {
    constexpr size_t kShortText = 100;
    PaintedItem painted;
    LoadedItem& loaded = painted.loaded;
    if (!loaded.item) return Fail("the item did not load");
    const std::wstring longPayload = LongestPayload(0), shortPayload = Payload(0, kShortText);
    bool taken = true;
    auto show = [&](const std::wstring& payload) {
        painted.main.Attach(loaded.item);
        taken = SendPayload(loaded.item, painted.main.hwnd(), payload) == 1 && taken;
        loaded.Send(LINKM_SORT);
        loaded.Repaint();  // the first paint after a push also tries the portrait
    };
    auto paint = [&] { loaded.Repaint(); };
    const Pair paints = AlternatingRunMedians(
        21, 100, [&] { show(longPayload); }, paint, [&] { show(shortPayload); }, paint);
    const double pushStart = MicrosecondsPerCall(1, [&] { show(longPayload); });
    if (!taken) return Fail("the item refused the longest notice it should take");

    Figure f = MicrosecondFigure("three-line repaint of a notice whose text fills a 64 KiB payload", paints,
                                 "the same repaint of a notice with a 100-unit text", 1.1);
    f.note = "the item keeps " + std::to_string(DISPLAYED_TEXT_MAX_UNITS) + " units of a sender name or text, " +
             "so only the push pays for the length: pushing the long notice (" +
             std::to_string(longPayload.size()) + " units: attach, notice, sort) and its first paint took " +
             Fixed(pushStart / 1000, 1) + " ms";
    PrintFigure(f, json);
    return true;
}

// The most the item holds of its heap at once while it takes one notice of the largest payload, counted through
// its allocator: the platform's private-bytes figure does not move under Wine for a few kilobytes.
bool PeakWhileTaking(bool json) {
    const char* problem = nullptr;
    if (!ItemImports::Install(L"ArdenoToday.dll", &problem)) return Fail("cannot count the item's allocations");
    LoadedItem loaded;
    if (!loaded.item) return Fail("the item did not load");
    MainApplicationWindow main;
    main.Attach(loaded.item);
    std::wstring payload = LongestPayload(0);
    // The key at its bound too: the most a notice can make the item keep.
    const std::wstring key(NOTICE_KEY_MAX_UNITS, L'k');
    payload.replace(0, payload.find(L'\0'), key);
    payload.resize(NOTICE_PAYLOAD_MAX_BYTES / sizeof(wchar_t));
    ItemImports::ResetPeak();
    const size_t before = ItemImports::LiveItemBytes();
    if (SendPayload(loaded.item, main.hwnd(), payload) != 1) return Fail("the item refused the 64 KiB notice");
    const size_t peak = ItemImports::PeakItemBytes() - before, kept = ItemImports::LiveItemBytes() - before;

    Figure f;
    f.name = "the item's heap at its peak while it takes one 64 KiB notice";
    f.value = static_cast<double>(peak);
    f.unit = "bytes";
    f.floorName = "the payload";
    f.floor = static_cast<double>(payload.size() * sizeof(wchar_t));
    f.ratio = f.value / f.floor;
    f.goal = "<= 2x";
    f.met = f.ratio <= 2;
    f.note = "with a key of " + std::to_string(NOTICE_KEY_MAX_UNITS) + " units and a text filling the rest; " +
             std::to_string(kept) + " bytes stay held with the notice (the fields are read where they lie and only " +
             "what is kept is copied, once)";
    PrintFigure(f, json);
    return true;
}

SIZE_T HeapBytesInUse() {
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    SIZE_T used = 0;
    for (DWORD i = 0; i < count && i < 256; ++i) {
        PROCESS_HEAP_ENTRY entry = {};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return used;
}

bool Memory(bool json) {
    constexpr int kNotices = static_cast<int>(NOTICES_HELD_MAX);
    LoadedItem loaded;
    if (!loaded.item) return Fail("the item did not load");
    MainApplicationWindow main;
    main.Attach(loaded.item);
    const SIZE_T privateBefore = PrivateBytes(), heapBefore = HeapBytesInUse();
    double texts = 0;
    for (int i = 0; i < kNotices; ++i) {
        // One at a time: only the item's memory grows. It keeps key, portrait path, sender, text, 8 bytes of time.
        const std::wstring payload = Payload(i, 100);
        texts += (payload.size() - payload.substr(payload.rfind(L'\0') + 1).size() - 4) * sizeof(wchar_t) + 8;
        if (SendPayload(loaded.item, main.hwnd(), payload) != 1) return Fail("a notice within the bound was refused");
    }
    const SIZE_T privateAfter = PrivateBytes(), heapAfter = HeapBytesInUse();
    if (SendPayload(loaded.item, main.hwnd(), Payload(kNotices, 100)) != 0)
        return Fail("a notice past the bound was kept");

    Figure f;
    f.name = "memory per 1,000 notices of 100-character texts (private bytes)";
    f.value = (privateAfter - privateBefore) / (kNotices / 1000.0) / 1024;
    f.unit = "KB";
    f.floorName = "the notices' own texts: key, portrait path, sender and text as UTF-16, and the time";
    f.floor = texts / (kNotices / 1000.0) / 1024;
    f.ratio = f.value / f.floor;
    f.goal = "<= 2x";
    f.met = f.ratio <= 2;
    f.note = "measured over " + std::to_string(kNotices) + " notices; heap bytes in use grew " +
             Fixed((heapAfter - heapBefore) / (kNotices / 1000.0) / 1024) + " KB per 1,000; against the " +
             "100-character " + "message texts alone (195 KB per 1,000) the ratio is " +
             Fixed(f.value / (200000.0 / 1024), 2) + "x";
    PrintFigure(f, json);
    return true;
}

// Each figure by the name that picks it, in the order a run of all takes them: peak binds the item's imports to
// counting stand-ins, so it comes last.
struct Benchmark {
    const char* name;
    bool (*run)(bool json);
};
constexpr Benchmark kBenchmarks[] = {
    {"refresh", RefreshQuery},           {"ingest", Ingestion},         {"paint", Repaint},
    {"portrait", RepaintScaledPortrait}, {"longtext", LongTextRepaint}, {"memory", Memory},
    {"peak", PeakWhileTaking},
};

}  // namespace

int main(int argc, char** argv) {
    const bool json = WantsJson(argc, argv);
    const std::string which = argc > 1 && argv[1][0] != '-' ? argv[1] : "all";
    const bool all = which == "all";
    if (!all && std::none_of(std::begin(kBenchmarks), std::end(kBenchmarks),
                             [&](const Benchmark& benchmark) { return which == benchmark.name; })) {
        std::string names;
        for (const Benchmark& benchmark : kBenchmarks) names += std::string(benchmark.name) + "|";
        fprintf(stderr, "usage: item_bench.exe [%sall] [--json]\n", names.c_str());
        return 2;
    }
    bool ok = true;
    for (const Benchmark& benchmark : kBenchmarks)
        if (all || which == benchmark.name) ok = benchmark.run(json) && ok;
    return ok ? 0 : 1;
}
