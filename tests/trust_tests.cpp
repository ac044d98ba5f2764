// Only the host and the messenger steer the item. Its window is published for anyone to find, so any program
// can send or post it anything, and the messenger may act inside every message the item sends it: each group
// states, row by row, what such a sender does and what the item then holds, shows and sends.
#include "frame/ModuleState.h"
#include "link/PortraitFile.h"
#include "support/ChildRun.h"
#include "support/ItemStage.h"
#include "support/ItemTexts.h"
#include "support/ScratchFiles.h"
#include <gtest/gtest.h>
#include <atomic>
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

// A visible window on a thread of its own that takes no message for `silentMs`, then counts the host's requests
// (from WM_USER up) that reach it.
class SilentWindow {
public:
    explicit SilentWindow(DWORD silentMs) : silentMs(silentMs) {
        thread.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
        WaitForSingleObject(ready.get(), 10000);
    }
    ~SilentWindow() { RequestsOnceEnded(); }
    HANDLE Woke() const { return woke.get(); }
    // Wakes it, lets it take what was sent or posted to it, and ends its thread: the requests it then counted.
    int RequestsOnceEnded() {
        SetEvent(release.get());
        PostMessageW(window, WM_CLOSE, 0, 0);
        WaitForSingleObject(thread.get(), 10000);
        return requests;
    }

    HWND window = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<SilentWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message >= WM_USER) ++self->requests;
        if (message == WM_CLOSE) PostQuitMessage(0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    static DWORD WINAPI Run(void* parameter) {
        auto* self = static_cast<SilentWindow*>(parameter);
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TrustTestsSilentWindow";
        RegisterClassW(&windowClass);
        self->window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 240,
                                       320, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrW(self->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetEvent(self->ready.get());
        WaitForSingleObject(self->release.get(), self->silentMs);
        SetEvent(self->woke.get());
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        DestroyWindow(self->window);
        return 0;
    }

    DWORD silentMs;
    std::atomic<int> requests{0};
    KernelHandle ready{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle release{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle woke{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle thread;
};

// Paints the item, each time at once, until `over` is set: true when a paint returned within 100 ms before that.
// A paint that waits on what `over` ends lasts until then; a few tries keep a loaded machine from failing it.
bool PaintsAtOnceBefore(Stage& stage, HANDLE over) {
    auto isOver = [over] { return WaitForSingleObject(over, 0) == WAIT_OBJECT_0; };
    for (int attempt = 0; attempt < 3 && !isOver(); ++attempt) {
        const unsigned paintsBefore = stage.model->paints;
        const DWORD start = GetTickCount();
        stage.Repaint();
        const DWORD took = GetTickCount() - start;
        if (!isOver() && took <= 100 && stage.model->paints != paintsBefore) return true;
    }
    return false;
}

// A named pipe whose server never writes; closed after three seconds at most, which ends a read waiting on it.
class SilentPipe {
public:
    SilentPipe() {
        server.Reset(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0,
                                      nullptr));
        closer.Reset(CreateThread(nullptr, 0, Close, this, 0, nullptr));
    }
    ~SilentPipe() {
        SetEvent(done.get());
        WaitForSingleObject(closer.get(), 10000);
    }
    HANDLE Closed() const { return closed.get(); }

    const std::wstring name = L"\\\\.\\pipe\\ArdenoTrustTests" + std::to_wstring(GetCurrentProcessId());

private:
    static DWORD WINAPI Close(void* parameter) {
        auto* self = static_cast<SilentPipe*>(parameter);
        WaitForSingleObject(self->done.get(), 3000);
        self->server.Reset();
        SetEvent(self->closed.get());
        return 0;
    }
    KernelHandle server;
    KernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle closed{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle closer;
};

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

// The query writes the height through its first parameter: only through a record the host vouches for. A
// posted query arrives on the item's own thread like the host's, but proves nothing.
TEST(StrangersPointer, TheRefreshQueryWritesOnlyThroughARecordTheHostVouchesFor) {
    enum Written { Nothing, HostsRecord, OtherRecord };
    auto posted = [](Stage& s, WPARAM record) {
        PostMessageW(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, record, 0);
        DrainMessages();
        return LRESULT(0);
    };
    struct Row {
        const char* who;
        std::function<LRESULT(Stage&, TODAYLISTITEM& other)> query;
        LRESULT answer;
        Written written;  // also: the query went on, so the main application was pinged
    } rows[] = {
        {"another program, naming a record of its own",
         [](Stage& s, TODAYLISTITEM& other) {
             return SendFromAnotherThread(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, AsParam(&other));
         },
         0, Nothing},
        {"another program, naming memory that is no record",
         [](Stage& s, TODAYLISTITEM&) { return SendFromAnotherThread(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 16); },
         0, Nothing},
        {"another program, naming the host's own record",
         [](Stage& s, TODAYLISTITEM&) {
             return SendFromAnotherThread(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, AsParam(&s.record));
         },
         1, HostsRecord},
        {"the host, inside a message another thread sent it",
         [](Stage& s, TODAYLISTITEM&) {
             HostCallsTheItemInsideAnotherThreadsMessage(s, WM_TODAYCUSTOM_QUERYREFRESHCACHE, AsParam(&s.record));
             return LRESULT(1);
         },
         1, HostsRecord},
        {"anyone, posting a query that names writable memory without the item's window",
         [posted](Stage& s, TODAYLISTITEM& other) { return posted(s, AsParam(&other)); }, 0, Nothing},
        {"anyone, posting a query that names address 1", [posted](Stage& s, TODAYLISTITEM&) { return posted(s, 1); },
         0, Nothing},
        {"anyone, posting a query that names a read-only record with the item's window",
         [posted](Stage& s, TODAYLISTITEM& other) {
             auto* readOnly = static_cast<TODAYLISTITEM*>(
                 VirtualAlloc(nullptr, sizeof(TODAYLISTITEM), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
             *readOnly = other;
             readOnly->hwndCustom = s.item;
             DWORD was = 0;
             EXPECT_TRUE(VirtualProtect(readOnly, sizeof(*readOnly), PAGE_READONLY, &was));
             const LRESULT answer = posted(s, AsParam(readOnly));
             EXPECT_EQ(readOnly->cyp, kStrangersCyp);
             VirtualFree(readOnly, 0, MEM_RELEASE);
             return answer;
         },
         0, Nothing},
        {"anyone, posting a query that names a record running past committed memory",
         [posted](Stage& s, TODAYLISTITEM&) {
             auto* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * 4096, MEM_RESERVE, PAGE_NOACCESS));
             VirtualAlloc(pages, 4096, MEM_COMMIT, PAGE_READWRITE);  // the record's first 16 bytes only
             const LRESULT answer = posted(s, AsParam(pages + 4096 - 16));
             VirtualFree(pages, 0, MEM_RELEASE);
             return answer;
         },
         0, Nothing},
        {"the host, with another record of its own that names the item's window",
         [](Stage& s, TODAYLISTITEM& other) {
             other.hwndCustom = s.item;
             return s.Send(WM_TODAYCUSTOM_QUERYREFRESHCACHE, AsParam(&other));
         },
         1, OtherRecord},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.who);
        Stage stage;
        ThreadedMainApplication& main = stage.Linked();
        stage.record.cyp = 0;
        TODAYLISTITEM other = MakeRecord();
        other.cyp = kStrangersCyp;
        EXPECT_EQ(row.query(stage, other), row.answer);
        main.Sync();
        EXPECT_EQ(other.cyp, row.written == OtherRecord ? 3u * kLineHeight : kStrangersCyp);
        EXPECT_EQ(main.Received(LINKM_PING), row.written != Nothing ? 1 : 0);
        EXPECT_EQ(Lines(stage), row.written == HostsRecord ? 3 : 0);
    }
}

// --- A stranger's parent -----------------------------------------------------------------------------------

// Anyone can make another window the item window's parent. The item keeps to its host: nothing is sent to the
// new parent, which may never answer, and the host stays out of the windows the item links to.
TEST(StrangersParent, AWindowThatMadeItselfTheParentIsNeverSentToAndTheHostStaysOutOfTheLink) {
    struct Row {
        const char* then;
        std::function<void(Stage&, SilentWindow&)> act;
    } rows[] = {
        {"a paint is asked for",
         [](Stage& s, SilentWindow& silent) { EXPECT_TRUE(PaintsAtOnceBefore(s, silent.Woke())); }},
        {"the host's window is named in an attach",
         [](Stage& s, SilentWindow&) {
             s.Send(LINKM_MAIN_ATTACH, AsParam(s.host.hwnd()));
             EXPECT_EQ(s.model->link.mainWindow, nullptr);
         }},
        {"the user taps the item",
         [](Stage& s, SilentWindow&) {
             s.Send(WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
             DrainMessages();
             EXPECT_EQ(s.host.MessagesNumbered(TODAYM_TOOKSELECTION).size(), 1u);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.then);
        Stage stage;
        stage.Linked();
        SilentWindow silent(2000);
        SetParent(stage.item, silent.window);
        row.act(stage, silent);
        SetParent(stage.item, stage.host.hwnd());  // before the silent window's thread ends and takes it along
        EXPECT_EQ(silent.RequestsOnceEnded(), 0);
    }
}

// --- Portrait paths from a stranger -------------------------------------------------------------------------

// A portrait path is opened on the user-interface thread: only a regular, modest file of this device's own storage
// is, and anything else gives that notice no portrait.
TEST(StrangersPortrait, OnlyAModestLocalFileIsLoaded) {
    ScratchFolder files;
    struct Row {
        const char* what;
        std::wstring path;
        bool loaded;
    } rows[] = {
        {"a bitmap as wide as the bound", files.WriteBitmap(L"widest.bmp", PORTRAIT_SIDE_MAX_PIXELS, 1), true},
        {"a bitmap one pixel wider", files.WriteBitmap(L"wider.bmp", PORTRAIT_SIDE_MAX_PIXELS + 1, 1), false},
        {"a bitmap one pixel taller", files.WriteBitmap(L"taller.bmp", 1, PORTRAIT_SIDE_MAX_PIXELS + 1), false},
        {"a bitmap file over the bound", files.WriteBitmap(L"large.bmp", 600, 600), false},  // 1,080,054 bytes
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Stage stage;
        FeedNotices(stage.item, stage.First().hwnd(), {Notice{L"k", row.path, L"S", L"T", L"0"}});
        stage.Resize(240, 3 * kLineHeight);
        stage.Repaint();
        EXPECT_EQ(stage.model->link.notices.At(0)->portrait.get() != nullptr, row.loaded);
    }
    // A pipe whose server never writes: the paint does not wait on it.
    Stage stage;
    SilentPipe pipe;
    FeedNotices(stage.item, stage.First().hwnd(), {Notice{L"k", pipe.name, L"S", L"T", L"0"}});
    stage.Resize(240, 3 * kLineHeight);
    EXPECT_TRUE(PaintsAtOnceBefore(stage, pipe.Closed()));
}

// Which paths are opened at all: an absolute path of this machine's own storage, nothing that names a share, a
// pipe, a device or a stream; and no folder or device behind a drive path.
TEST(StrangersPortrait, OnlyAnAbsoluteLocalPathIsOpened) {
    const struct {
        const wchar_t* path;
        bool accepted;
    } paths[] = {
        {L"C:\\p.bmp", true},           {L"z:/data/p.bmp", true},          {L"\\\\host\\share\\p.bmp", false},
        {L"\\\\.\\pipe\\p", false},     {L"\\\\?\\C:\\p.bmp", false},     {L"C:\\*.bmp", false},
        {L"C:\\p?.bmp", false},         {L"C:\\p.bmp:stream", false},    {L"COM1:", false},
        {L"p.bmp", false},               {L"C:p.bmp", false},              {L"\\p.bmp", false},
    };
    for (const auto& p : paths) EXPECT_EQ(PortraitPathAccepted(p.path), p.accepted) << p.path;
    ScratchFolder files;
    EXPECT_FALSE(PortraitFileAccepted(files.Path(L"").c_str())) << "a folder";
    EXPECT_FALSE(PortraitFileAccepted(L"C:\\NUL")) << "a device";
}

// --- Paints that reach little ----------------------------------------------------------------------------

// A paint that reaches nothing shows nothing, so it notes nothing as on screen; one that reaches part of the
// window asks for the rest once, also when the rest can never be reached.
TEST(PaintsReachingLittle, NothingShownIsNotedAndAPartialPaintAsksForTheWholeOnce) {
    struct Row {
        const char* what;
        std::function<void(Stage&)> act;
        unsigned paints;  // paints the act leads to, once nothing is pending
    } rows[] = {
        {"another program sends a paint while nothing is invalid",
         [](Stage& s) { SendFromAnotherThread(s.item, WM_PAINT); }, 0},
        {"a corner is invalidated",
         [](Stage& s) {
             const RECT corner = {0, 0, 10, 10};
             InvalidateRect(s.item, &corner, FALSE);
         },
         2},
        {"the item, partly scrolled out of the host's view, is invalidated",
         [](Stage& s) {
             MoveWindow(s.item, 0, -20, 240, 60, FALSE);
             InvalidateRect(s.item, nullptr, FALSE);
         },
         2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Stage stage;
        ThreadedMainApplication& main = stage.Linked();  // k0 on screen
        stage.Resize(240, 60);
        UpdateWindow(stage.item);
        // A new notice the screen does not show yet, and nothing invalid.
        stage.Send(LINKM_MAIN_ATTACH, AsParam(main.hwnd()));
        SendNotice(stage.item, Keyed(L"new", 1)[0], main.hwnd());
        ValidateRect(stage.item, nullptr);
        const unsigned paintsBefore = stage.model->paints;
        row.act(stage);
        for (int i = 0; i < 4; ++i) UpdateWindow(stage.item);
        EXPECT_EQ(stage.model->paints - paintsBefore, row.paints);
        EXPECT_TRUE(stage.model->shownKey == std::wstring(row.paints ? L"new0" : L"k0"));
        EXPECT_EQ(stage.model->dirty, row.paints == 0) << "dirty until a paint shows the item";
        EXPECT_EQ(GetUpdateRect(stage.item, nullptr, FALSE), FALSE);
    }
}

// --- A flood of notices ------------------------------------------------------------------------------------

// A program that pushes notices in a loop fills the item up to its bounds, no further; a clear makes room again.
TEST(Flood, NoticesPastTheBoundsAreRefusedAndNotKept) {
    const Notice largest = {std::wstring(NOTICE_KEY_MAX_UNITS, L'k'), std::wstring(PORTRAIT_PATH_MAX_UNITS, L'p'),
                            std::wstring(DISPLAYED_TEXT_MAX_UNITS, L's'), std::wstring(DISPLAYED_TEXT_MAX_UNITS, L't'),
                            L"0"};
    const size_t largestBytes = (largest.key.size() + largest.portraitPath.size() + 2 * DISPLAYED_TEXT_MAX_UNITS) * 2;
    struct Row {
        const char* pushed;
        Notice notice;
        int kept;  // how many the bound lets in
    } rows[] = {
        {"small notices, past the count", Notice{L"k", L"", L"S", L"T", L"0"}, int(NOTICES_HELD_MAX)},
        {"the largest notices, past the bytes", largest, int(NOTICE_TEXTS_HELD_MAX_BYTES / largestBytes)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pushed);
        Stage stage;
        ThreadedMainApplication& main = stage.First();
        stage.Send(LINKM_MAIN_ATTACH, AsParam(main.hwnd()));
        int kept = 0;
        while (kept <= row.kept && SendNotice(stage.item, row.notice, main.hwnd()) == 1) ++kept;
        EXPECT_EQ(kept, row.kept);
        EXPECT_EQ(SendNotice(stage.item, row.notice, main.hwnd()), 0);
        EXPECT_EQ(stage.model->link.notices.Size(), row.kept);
        EXPECT_LE(stage.model->link.notices.TextBytes(), NOTICE_TEXTS_HELD_MAX_BYTES);
        stage.Send(LINKM_SORT);
        stage.Send(LINKM_CLEAR);
        EXPECT_EQ(SendNotice(stage.item, row.notice, main.hwnd()), 1) << "room again after a clear";
    }
}

// --- Direction controls in what is drawn --------------------------------------------------------------------

namespace {
// U+202E, then characters of the Basic Multilingual Plane and from beyond it: drawn as sent, the platform's text
// drawing overran a heap block with it.
const std::wstring kOverridingName =
    L"\x202E\x0055\x0074\x2FB9\xFFFF\x0025\x0064\xD8B9\xDDE9\xDA2F\xDF11\xD8D9\xDDFF\xD9BC\xDDCA";

// The item showing one notice from the given sender, three lines high and `width` wide, as painted.
Capture ShownWithSender(Stage& stage, const std::wstring& sender, int width = 240) {
    ThreadedMainApplication& main = stage.First();
    FeedNotices(stage.item, main.hwnd(), {Notice{L"k", L"", sender, sender, L"0"}});
    stage.Resize(width, 3 * kLineHeight);
    return stage.Painted();
}
}  // namespace

TEST(InChildDirection, TheOverridingNameIsDrawnAtSeveralWidths) {
    Stage stage;
    for (int width : {24, 60, 97, 160, 240}) ShownWithSender(stage, kOverridingName, width);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}

// A sender can put direction controls in a name or text; the item draws what it stores, in stored order.
TEST(Direction, ControlsAreDrawnAsReplacementCharactersAndNothingIsReordered) {
    EXPECT_TRUE(PassesInChildProcess("InChildDirection.TheOverridingNameIsDrawnAtSeveralWidths"));
    for (const wchar_t* control : {L"\x202A", L"\x202E", L"\x2066", L"\x2069"}) {
        SCOPED_TRACE(static_cast<int>(*control));
        Capture drawn, expected;
        {
            Stage overriding;
            drawn = ShownWithSender(overriding, control + std::wstring(L"abc def"));
            EXPECT_TRUE(overriding.model->link.notices.At(0)->senderName == std::wstring(L"\xFFFD" L"abc def"));
        }
        {
            Stage replaced;  // one item at a time: the module has one
            expected = ShownWithSender(replaced, L"\xFFFD" L"abc def");
        }
        EXPECT_FALSE(drawn.pixels.empty());
        EXPECT_EQ(drawn.pixels, expected.pixels);
    }
}

// --- A slow messenger ---------------------------------------------------------------------------------------

// A messenger that answers every ping late is left alone like a busy one, until it answers in time or talks.
TEST(SlowAnswers, APingAnsweredLateIsLeftOutAtTheNextRefresh) {
    struct Row {
        const char* messenger;
        DWORD answersAfterMs;
        int pingsOfTwoQueries;
    } rows[] = {
        {"answers the ping late", 700, 1},
        {"answers the ping in time", 0, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.messenger);
        Stage stage;
        ThreadedMainApplication& main = stage.Linked();
        stage.model->link.slowAnswerMs = 500;  // the in-time row keeps well inside it on a loaded machine
        const DWORD delay = row.answersAfterMs;
        // The messenger's own slowness, not a wait of the test's.
        main.ReactTo(LINKM_PING, [delay](ThreadedMainApplication&) { Sleep(delay); });
        stage.Query();
        stage.Query();
        EXPECT_EQ(main.Received(LINKM_PING), row.pingsOfTwoQueries);
        EXPECT_EQ(Lines(stage), 3) << "a slow messenger keeps its notices";
        stage.Push(main.hwnd(), L"talks", 1);  // a word from it ends the back-off
        stage.Query();
        EXPECT_EQ(main.Received(LINKM_PING), row.pingsOfTwoQueries + 1);
    }
}

// --- The other doors ----------------------------------------------------------------------------------------

namespace {
// Fails the creation of every window of this thread while it lives.
class RefusedWindows {
public:
    RefusedWindows() : hook(SetWindowsHookExW(WH_CBT, Refuse, nullptr, GetCurrentThreadId())) {}
    ~RefusedWindows() { UnhookWindowsHookEx(hook); }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
        return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook;
};

UINT_PTR hostsTimerFired = 0;
VOID CALLBACK HostsTimer(HWND, UINT, UINT_PTR timerId, DWORD) { hostsTimerFired = timerId; }
}  // namespace

// Timers, the published handle, the host's exclusion and the goodbye: each door a stranger may use, and what the
// item keeps.
TEST(OtherDoors, NoStrangerTakesTheHostsTimerThePublishedHandleOrTheLink) {
    struct Row {
        const char* what;
        std::function<void(Stage&, ThreadedMainApplication&)> check;
    } rows[] = {
        {"a timer message naming the host's own thread timer is posted to the item's look at its window",
         [](Stage& s, ThreadedMainApplication&) {
             const UINT_PTR hosts = SetTimer(nullptr, 0, 200, HostsTimer);
             PostMessageW(s.item, WM_DESTROY, 0, 0);  // the item's look is pending
             PostThreadMessageW(GetCurrentThreadId(), WM_TIMER, hosts,
                                reinterpret_cast<LPARAM>(ItemExistenceCheckProc));
             hostsTimerFired = 0;
             EXPECT_TRUE(PumpUntil([] { return hostsTimerFired != 0; }, 5000)) << "the host's timer was killed";
             KillTimer(nullptr, hosts);
         }},
        {"another program writes its own window into the published section",
         [](Stage& s, ThreadedMainApplication& main) {
             s.todaySection.WriteHandle(main.hwnd());
             s.Query();
             EXPECT_EQ(s.todaySection.ReadHandle(), static_cast<DWORD>(reinterpret_cast<UINT_PTR>(s.item)));
         }},
        {"the item window cannot be made while the section names the host's window",
         [](Stage& s, ThreadedMainApplication&) {
             s.mainSection.WriteHandle(s.host.hwnd());
             s.host.Clear();
             RefusedWindows refused;
             EXPECT_EQ(InitializeCustomItem(&s.record, s.host.hwnd()), nullptr);
             EXPECT_EQ(s.model->link.mainWindow, nullptr);
             EXPECT_TRUE(s.LinkMessagesToHost().empty());
         }},
        {"the messenger attaches again while its gone predecessor's notification is removed",
         [](Stage& s, ThreadedMainApplication& main) {
             ThreadedMainApplication& second = s.Second();
             const HWND item = s.item, successor = second.hwnd();
             s.notificationArea.onMessage = [item, successor](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                 if (m == WM_COPYDATA) SendMessageW(item, LINKM_MAIN_ATTACH, AsParam(successor), 0);
                 return std::nullopt;
             };
             main.End();
             s.Query();
             EXPECT_EQ(s.model->link.mainWindow, successor);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Stage stage;
        row.check(stage, stage.Linked());
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
