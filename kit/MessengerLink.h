// The messenger's side of the link to its Today item, in one header: publishing the main application's window,
// finding the item, pushing notices to it (encoded exactly as the item reads them, within its bounds), and
// taking what the item sends back. README.md beside this file shows the five steps; docs/protocol.md is the
// link itself.
//
// Written for the handheld's compilers: C++03, no exceptions, no run-time type information, no standard library,
// fixed buffers; Win32 calls the handheld offers. Every function is inline, so the header is all a messenger
// includes. One MessengerLink per program, used from the thread that owns the main application's window.
#ifndef ARDENO_KIT_MESSENGER_LINK_H
#define ARDENO_KIT_MESSENGER_LINK_H
#include "LinkWire.h"

// How a call of the kit ended.
enum LinkResult {
    LINK_DONE = 0,      // the item answered non-zero: it took the message
    LINK_NO_ITEM,       // no item is published, or its window is gone: nothing was sent
    LINK_ITEM_BUSY,     // the item did not answer within LINK_REPLY_TIMEOUT_MS; try again later
    LINK_REFUSED,       // the item answered 0
    LINK_KEY_TOO_LONG,  // not sent: a key over NOTICE_KEY_MAX_UNITS, which the item would refuse
    LINK_BAD_TIME,      // not sent: the notice's SYSTEMTIME is no date
    LINK_NO_SECTION     // the main application's section could not be made or written
};

// One notice as the messenger describes it. Null strings count as empty. Only the first
// DISPLAYED_TEXT_MAX_UNITS units of the sender and of the text are sent (never half a surrogate pair): the item
// keeps no more. A portrait path longer than PORTRAIT_PATH_MAX_UNITS is left out: the item could not load it.
struct LinkNotice {
    const wchar_t* key;       // your identifier: handed back unchanged when the user acts on the notice
    const wchar_t* portrait;  // full path of a BMP file, or empty
    const wchar_t* sender;
    const wchar_t* text;
    SYSTEMTIME time;  // local time: the item shows its hour and minute as they are
};

// The longest notice the kit sends: every field at its bound, the 20 digits of the largest FILETIME count, and the
// four separators. Far within the item's payload bound, which the kit therefore never reaches.
static const DWORD LINK_TIME_MAX_DIGITS = 20;
static const DWORD LINK_PAYLOAD_MAX_UNITS = NOTICE_KEY_MAX_UNITS + PORTRAIT_PATH_MAX_UNITS +
                                            2 * DISPLAYED_TEXT_MAX_UNITS + LINK_TIME_MAX_DIGITS +
                                            (NOTICE_FIELD_COUNT - 1);
// Does not compile should the bounds ever change so that it would.
typedef char
    LinkPayloadWithinTheItemsBound[LINK_PAYLOAD_MAX_UNITS * sizeof(wchar_t) <= NOTICE_PAYLOAD_MAX_BYTES ? 1 : -1];

// A notice encoded for the wire: `count` UTF-16 units, the fields separated by NOTICE_FIELD_SEPARATOR.
struct LinkPayload {
    wchar_t units[LINK_PAYLOAD_MAX_UNITS];
    DWORD count;
};

// What the item's message was, once MessengerLink::TakeMessage has taken it.
enum LinkEventKind {
    LINK_EVENT_ITEM_ATTACHED,  // the item came up: push your notices now, before you return the answer
    LINK_EVENT_ITEM_LEFT,      // the item said goodbye: nothing is sent until it attaches again
    LINK_EVENT_PINGED,         // the item asked whether you still run: nothing to do
    LINK_EVENT_ACTIVATED,      // the user acted on the item: your window was brought to the front
    LINK_EVENT_KEY,            // the user acted on a notice: open the one with `key`; set answer 0 if you cannot
    LINK_EVENT_STRANGER        // a message of the link that does not come from the item: answered 0, ignored
};

struct LinkEvent {
    LinkEventKind kind;
    LRESULT answer;  // what your window procedure returns; you may change it for LINK_EVENT_KEY (1 taken, 0 refused)
    wchar_t key[NOTICE_KEY_MAX_UNITS + 1];  // LINK_EVENT_KEY: the key handed back, terminated
    DWORD keyUnits;                         // its length (a key holding U+0000 is longer than the terminated text)
};

// --- Encoding ------------------------------------------------------------------------------------------------------

// The length of `text` up to `limit` units: longer texts are not scanned further. Null has length 0.
inline DWORD LinkTextLength(const wchar_t* text, DWORD limit) {
    DWORD length = 0;
    if (text)
        while (length < limit && text[length]) ++length;
    return length;
}

// How much of a sender or text the item keeps: DISPLAYED_TEXT_MAX_UNITS, one fewer where the cut would split a
// surrogate pair.
inline DWORD LinkShownUnits(const wchar_t* text) {
    const DWORD length = LinkTextLength(text, DISPLAYED_TEXT_MAX_UNITS + 1);
    if (length <= DISPLAYED_TEXT_MAX_UNITS) return length;
    const wchar_t last = text[DISPLAYED_TEXT_MAX_UNITS - 1], next = text[DISPLAYED_TEXT_MAX_UNITS];
    const bool splitsPair = last >= 0xD800 && last <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF;
    return splitsPair ? DISPLAYED_TEXT_MAX_UNITS - 1 : DISPLAYED_TEXT_MAX_UNITS;
}

inline void LinkAppend(LinkPayload* payload, const wchar_t* text, DWORD units) {
    for (DWORD i = 0; i < units; ++i) payload->units[payload->count++] = text[i];
}

// The FILETIME count in decimal, as the item reads its time field.
inline void LinkAppendDecimal(LinkPayload* payload, ULONGLONG value) {
    wchar_t digits[LINK_TIME_MAX_DIGITS];
    DWORD count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    while (count > 0) payload->units[payload->count++] = digits[--count];
}

// Encodes a notice as the item parses it: key, portrait path, sender, text, time. LINK_DONE, or why it cannot be
// sent (LINK_KEY_TOO_LONG, LINK_BAD_TIME); the payload is then empty.
inline LinkResult EncodeLinkNotice(const LinkNotice& notice, LinkPayload* payload) {
    payload->count = 0;
    const DWORD keyUnits = LinkTextLength(notice.key, NOTICE_KEY_MAX_UNITS + 1);
    if (keyUnits > NOTICE_KEY_MAX_UNITS) return LINK_KEY_TOO_LONG;
    FILETIME time;
    if (!SystemTimeToFileTime(&notice.time, &time)) return LINK_BAD_TIME;
    DWORD portraitUnits = LinkTextLength(notice.portrait, PORTRAIT_PATH_MAX_UNITS + 1);
    if (portraitUnits > PORTRAIT_PATH_MAX_UNITS) portraitUnits = 0;

    LinkAppend(payload, notice.key, keyUnits);
    payload->units[payload->count++] = NOTICE_FIELD_SEPARATOR;
    LinkAppend(payload, notice.portrait, portraitUnits);
    payload->units[payload->count++] = NOTICE_FIELD_SEPARATOR;
    LinkAppend(payload, notice.sender, LinkShownUnits(notice.sender));
    payload->units[payload->count++] = NOTICE_FIELD_SEPARATOR;
    LinkAppend(payload, notice.text, LinkShownUnits(notice.text));
    payload->units[payload->count++] = NOTICE_FIELD_SEPARATOR;
    LinkAppendDecimal(payload, (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return LINK_DONE;
}

// --- The window messages -------------------------------------------------------------------------------------------

// Every message to the item waits at most LINK_REPLY_TIMEOUT_MS for its answer, so a hung item never freezes the
// messenger. True when the item answered in time (its answer in *answer).
inline bool LinkSendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer) {
#ifdef UNDER_CE
    // The handheld's bounded send takes SMTO_NORMAL only.
    return SendMessageTimeout(window, message, wParam, lParam, SMTO_NORMAL, LINK_REPLY_TIMEOUT_MS, answer) != 0;
#else
    // Desktop: SMTO_ABORTIFHUNG also gives up at once on a window the system already knows to be hung.
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, LINK_REPLY_TIMEOUT_MS, answer) != 0;
#endif
}

inline HWND LinkWindowFromValue(DWORD value) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)); }
inline DWORD LinkValueOfWindow(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }

// The window the item published in "TodayFileMapping", when it is a live window of the item's class: a handle
// left behind by an item that crashed may since name someone else's window, which must not get the link's
// messages (1124 is the Today host's own "get colour", say).
inline HWND LinkPublishedItem() {
    HANDLE section =
        CreateFileMappingW(INVALID_HANDLE_VALUE, 0, PAGE_READWRITE, 0, LINK_SECTION_SIZE, TODAY_SECTION_NAME);
    if (!section) return 0;
    DWORD value = 0;
    if (void* view = MapViewOfFile(section, FILE_MAP_READ, 0, 0, sizeof(value))) {
        value = *static_cast<volatile DWORD*>(view);
        UnmapViewOfFile(view);
    }
    CloseHandle(section);
    const HWND window = LinkWindowFromValue(value);
    wchar_t className[sizeof(ITEM_WINDOW_CLASS) / sizeof(wchar_t) + 1];
    if (!window || !IsWindow(window) || !GetClassNameW(window, className, sizeof(className) / sizeof(wchar_t)))
        return 0;
    for (DWORD i = 0; i < sizeof(ITEM_WINDOW_CLASS) / sizeof(wchar_t); ++i)
        if (className[i] != ITEM_WINDOW_CLASS[i]) return 0;
    return window;
}

class MessengerLink {
public:
    MessengerLink() : mainWindow(0), item(0), leftItem(0), mainSection(0), mainView(0) {}
    // Withdraws the window if the program did not.
    ~MessengerLink() { Withdraw(); }

    // Publishes the main application's window in "ArdenoFileMapping" (call it once the window exists), so the
    // item finds it when it starts, and finds an item that runs already: push your notices right after.
    LinkResult Publish(HWND window) {
        if (!mainSection) {
            mainSection =
                CreateFileMappingW(INVALID_HANDLE_VALUE, 0, PAGE_READWRITE, 0, LINK_SECTION_SIZE, MAIN_SECTION_NAME);
            if (mainSection) mainView = MapViewOfFile(mainSection, FILE_MAP_WRITE, 0, 0, sizeof(DWORD));
            if (!mainView) {
                CloseSection();
                return LINK_NO_SECTION;
            }
        }
        mainWindow = window;
        *static_cast<volatile DWORD*>(mainView) = LinkValueOfWindow(window);
        FindItem();
        return LINK_DONE;
    }

    // The normal exit: the goodbye to the item, then 0 in the section (unless another window was published
    // there since). Safe to call twice.
    void Withdraw() {
        if (mainView) {
            if (item) Detach();
            volatile DWORD* published = static_cast<volatile DWORD*>(mainView);
            if (*published == LinkValueOfWindow(mainWindow)) *published = 0;
        }
        CloseSection();
        mainWindow = 0;
    }

    // Reads the item's window from its section; null when no item runs, or when the window published there has
    // said goodbye (its section may not be empty yet).
    HWND FindItem() {
        const HWND published = LinkPublishedItem();
        return item = published == leftItem ? 0 : published;
    }
    // The item window the link sends to: found by Publish and Push, named by the item's attach; null while none is
    // known, and then nothing is sent.
    HWND Item() const { return item; }

    // The full push that shows your pending notices: attach (the item forgets what it held), one notice each,
    // sort. Stops at an item that is gone or busy. LINK_DONE when every notice was taken; otherwise the first
    // problem, and in each[i] (when given, count entries) what came of notices[i].
    LinkResult Push(const LinkNotice* notices, UINT count, LinkResult* each = 0) {
        LinkResult stop = FindItem() ? Attach() : LINK_NO_ITEM;
        LinkResult first = stop;
        for (UINT i = 0; i < count; ++i) {
            const LinkResult added = Stops(stop) ? stop : Add(notices[i]);
            if (Stops(added)) stop = added;
            if (each) each[i] = added;
            if (first == LINK_DONE) first = added;
        }
        const LinkResult sorted = Stops(stop) ? stop : Sort();
        return first == LINK_DONE ? sorted : first;
    }

    // The three steps of a push, for a messenger that sends its notices its own way.
    LinkResult Attach() { return Send(LINKM_MAIN_ATTACH, reinterpret_cast<WPARAM>(mainWindow), 0); }
    // One notice, appended behind those the item holds (no attach, no sort): the item shows the new count at its
    // host's next refresh, and orders it at the next sort. *sent, when given, receives what was encoded.
    LinkResult Add(const LinkNotice& notice, LinkPayload* sent = 0) {
        LinkPayload own;
        LinkPayload* payload = sent ? sent : &own;
        const LinkResult encoded = EncodeLinkNotice(notice, payload);
        if (encoded != LINK_DONE) return encoded;
        COPYDATASTRUCT data;
        data.dwData = LINK_COPYDATA_KIND;
        data.cbData = payload->count * sizeof(wchar_t);
        data.lpData = payload->units;
        return Send(WM_COPYDATA, reinterpret_cast<WPARAM>(mainWindow), reinterpret_cast<LPARAM>(&data));
    }
    LinkResult Sort() { return Send(LINKM_SORT, 0, 0); }

    // The item drops its notices and shows one line.
    LinkResult Clear() { return Send(LINKM_CLEAR, 0, 0); }
    // The item drops its notices and keeps its height until the next push ("signing in", say).
    LinkResult Status(WPARAM value) { return Send(LINKM_STATUS, value, 0); }
    // The item forgets your window and its notices; nothing more is sent until the next push, or until the item
    // attaches.
    LinkResult Detach() {
        const LinkResult result = Send(LINKM_MAIN_DETACH, 0, 0);
        item = 0;
        return result;
    }

    // Call first in your main window's procedure. False: the message is not the link's, handle it yourself.
    // True: act on *event, then return event->answer. Keys, activations and attaches count only from the item
    // window that "TodayFileMapping" names; a key only as copy-data of kind 0 within NOTICE_KEY_MAX_UNITS.
    bool TakeMessage(UINT message, WPARAM wParam, LPARAM lParam, LinkEvent* event) {
        const HWND sender = reinterpret_cast<HWND>(wParam);
        event->kind = LINK_EVENT_STRANGER;
        event->answer = 0;
        event->key[0] = 0;
        event->keyUnits = 0;
        if (message == LINKM_PING) {
            Answer(event, LINK_EVENT_PINGED, 1);
        } else if (message == LINKM_ITEM_ATTACH) {
            if (sender && sender == LinkPublishedItem()) {
                item = sender;
                leftItem = 0;
                Answer(event, LINK_EVENT_ITEM_ATTACHED, 1);
            }
        } else if (message == LINKM_ITEM_DETACH) {
            // Sent without waiting: the item's section may already be empty, so the window it named is compared.
            if (sender && sender == item) {
                item = 0;
                leftItem = sender;
                Answer(event, LINK_EVENT_ITEM_LEFT, 1);
            }
        } else if (message == LINKM_ACTIVATE) {
            if (sender && sender == LinkPublishedItem()) {
                SetForegroundWindow(mainWindow);
                ShowWindow(mainWindow, SW_SHOWNORMAL);
                Answer(event, LINK_EVENT_ACTIVATED, LINK_ACTIVATION_DONE);
            }
        } else if (message == WM_COPYDATA) {
            const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            // Copy-data of other kinds is the application's own.
            if (!data || data->dwData != LINK_COPYDATA_KIND) return false;
            if (TakeKey(sender, *data, event)) Answer(event, LINK_EVENT_KEY, 1);
        } else {
            return false;
        }
        return true;
    }

private:
    MessengerLink(const MessengerLink&);
    MessengerLink& operator=(const MessengerLink&);

    // A push goes no further once the item is gone or busy: each message would only wait again.
    static bool Stops(LinkResult result) { return result == LINK_NO_ITEM || result == LINK_ITEM_BUSY; }

    static void Answer(LinkEvent* event, LinkEventKind kind, LRESULT answer) {
        event->kind = kind;
        event->answer = answer;
    }

    static bool TakeKey(HWND sender, const COPYDATASTRUCT& data, LinkEvent* event) {
        if (!sender || sender != LinkPublishedItem() || data.cbData % sizeof(wchar_t) != 0) return false;
        const DWORD units = data.cbData / sizeof(wchar_t);
        if (units > NOTICE_KEY_MAX_UNITS || (units != 0 && !data.lpData)) return false;
        const wchar_t* key = static_cast<const wchar_t*>(data.lpData);
        for (DWORD i = 0; i < units; ++i) event->key[i] = key[i];
        event->key[units] = 0;
        event->keyUnits = units;
        return true;
    }

    // Every message to the item: one bounded wait. A window gone since is forgotten; the item's section names
    // its next one.
    LinkResult Send(UINT message, WPARAM wParam, LPARAM lParam) {
        if (!item) return LINK_NO_ITEM;
        // The item's goodbye or a new attach may arrive while this send waits.
        const HWND target = item;
        DWORD_PTR answer = 0;
        if (LinkSendBounded(target, message, wParam, lParam, &answer)) return answer ? LINK_DONE : LINK_REFUSED;
        if (IsWindow(target)) return LINK_ITEM_BUSY;
        if (item == target) item = 0;
        return LINK_NO_ITEM;
    }

    void CloseSection() {
        if (mainView) UnmapViewOfFile(mainView);
        if (mainSection) CloseHandle(mainSection);
        mainView = 0;
        mainSection = 0;
    }

    HWND mainWindow;
    HWND item;
    HWND leftItem;  // the item window that said goodbye last
    HANDLE mainSection;
    void* mainView;
};

#endif
