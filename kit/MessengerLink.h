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
// The strings are read during the call that sends the notice, and need to live no longer.
//
// Fill it by name, from an empty one, so that no two strings can change places unnoticed:
//     LinkNotice notice = LinkNotice().SetKey(key).SetSender(sender).SetText(text).SetTime(localTime);
// An empty notice has null strings and a zero time, which is no date (LINK_BAD_TIME until SetTime). It stays an
// aggregate, so braces fill it too, in the order of its fields.
struct LinkNotice {
    const wchar_t* key;       // your identifier: handed back unchanged when the user acts on the notice
    const wchar_t* portrait;  // full path of a BMP file, or empty
    const wchar_t* sender;
    const wchar_t* text;
    SYSTEMTIME time;  // local time: the item shows its hour and minute as they are

    LinkNotice& SetKey(const wchar_t* value) {
        key = value;
        return *this;
    }
    LinkNotice& SetPortrait(const wchar_t* value) {
        portrait = value;
        return *this;
    }
    LinkNotice& SetSender(const wchar_t* value) {
        sender = value;
        return *this;
    }
    LinkNotice& SetText(const wchar_t* value) {
        text = value;
        return *this;
    }
    LinkNotice& SetTime(const SYSTEMTIME& value) {
        time = value;
        return *this;
    }
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

// Small enough for every window-procedure call, nested sends included: the key stays in the link.
struct LinkEvent {
    LinkEventKind kind;
    LRESULT answer;  // what your window procedure returns; you may change it for LINK_EVENT_KEY (1 taken, 0 refused)
    // LINK_EVENT_KEY: the key handed back, terminated, in a buffer of the MessengerLink that stays valid until its
    // next LINK_EVENT_KEY; "" for every other event. Never null.
    const wchar_t* key;
    DWORD keyUnits;  // its length (a key holding U+0000 is longer than the terminated text)
};

// --- Words for logs ------------------------------------------------------------------------------------------------

// The result's name and what it means, as a constant text. Never null: a value outside the enum has a text too.
inline const wchar_t* LinkResultText(LinkResult result) {
    // No default: the build warns about a result without a text.
    switch (result) {
    case LINK_DONE:
        return L"LINK_DONE: the item took it";
    case LINK_NO_ITEM:
        return L"LINK_NO_ITEM: no item runs, nothing was sent; it attaches when it starts";
    case LINK_ITEM_BUSY:
        return L"LINK_ITEM_BUSY: the item did not answer in time; try again at its next ping";
    case LINK_REFUSED:
        return L"LINK_REFUSED: the item answered 0";
    case LINK_KEY_TOO_LONG:
        return L"LINK_KEY_TOO_LONG: not sent, the key is over 1,024 units";
    case LINK_BAD_TIME:
        return L"LINK_BAD_TIME: not sent, the notice's time is no date";
    case LINK_NO_SECTION:
        return L"LINK_NO_SECTION: the main application's section could not be made or written";
    }
    return L"not a LinkResult";
}

// The event's name and what it means, as a constant text. Never null: a value outside the enum has a text too.
inline const wchar_t* LinkEventText(LinkEventKind kind) {
    switch (kind) {
    case LINK_EVENT_ITEM_ATTACHED:
        return L"LINK_EVENT_ITEM_ATTACHED: the item came up; push now";
    case LINK_EVENT_ITEM_LEFT:
        return L"LINK_EVENT_ITEM_LEFT: the item said goodbye";
    case LINK_EVENT_PINGED:
        return L"LINK_EVENT_PINGED: the item asked whether you run";
    case LINK_EVENT_ACTIVATED:
        return L"LINK_EVENT_ACTIVATED: the user acted on the item; your window came forward";
    case LINK_EVENT_KEY:
        return L"LINK_EVENT_KEY: the user acted on a notice; open the one with the key";
    case LINK_EVENT_STRANGER:
        return L"LINK_EVENT_STRANGER: a message of the link not from the item, answered 0";
    }
    return L"not a LinkEventKind";
}

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
    MessengerLink() : mainWindow(0), item(0), leftItem(0), mainSection(0), mainView(0), keyUnits(0) { key[0] = 0; }
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
    // there since). Safe to call twice. Answers how the goodbye went: LINK_NO_ITEM when there was no item to
    // tell (nothing published, or withdrawn already); the section is emptied either way.
    LinkResult Withdraw() {
        LinkResult goodbye = LINK_NO_ITEM;
        if (mainView) {
            if (item) goodbye = Detach();
            volatile DWORD* published = static_cast<volatile DWORD*>(mainView);
            if (*published == LinkValueOfWindow(mainWindow)) *published = 0;
        }
        CloseSection();
        mainWindow = 0;
        return goodbye;
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
    // The item drops its notices and keeps its height until the next push ("signing in", say). The item does not
    // read the value: pass 0, which keeps it free for a later item to give a meaning.
    LinkResult Status(WPARAM value = 0) { return Send(LINKM_STATUS, value, 0); }
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
        event->key = L"";
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
                ComeForward();
                Answer(event, LINK_EVENT_ACTIVATED, LINK_ACTIVATION_DONE);
            }
        } else if (message == WM_COPYDATA) {
            const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            // Copy-data of other kinds is the application's own.
            if (!data || data->dwData != LINK_COPYDATA_KIND) return false;
            if (TakeKey(sender, *data)) {
                event->key = key;
                event->keyUnits = keyUnits;
                Answer(event, LINK_EVENT_KEY, 1);
            }
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

    // Copies a handed-back key into the link's buffer; a refused one leaves the last key as it was.
    bool TakeKey(HWND sender, const COPYDATASTRUCT& data) {
        if (!sender || sender != LinkPublishedItem() || data.cbData % sizeof(wchar_t) != 0) return false;
        const DWORD units = data.cbData / sizeof(wchar_t);
        if (units > NOTICE_KEY_MAX_UNITS || (units != 0 && !data.lpData)) return false;
        const wchar_t* received = static_cast<const wchar_t*>(data.lpData);
        for (DWORD i = 0; i < units; ++i) key[i] = received[i];
        key[units] = 0;
        keyUnits = units;
        return true;
    }

    // Brings the main window forward as it is (a maximized one stays maximized). Only a minimized window is
    // restored, and a hidden one shown in its own size: the handheld's ShowWindow knows SW_SHOWNORMAL and
    // SW_SHOW, not SW_RESTORE.
    void ComeForward() {
        const LONG style = GetWindowLongW(mainWindow, GWL_STYLE);
        if (style & WS_MINIMIZE) ShowWindow(mainWindow, SW_SHOWNORMAL);
        else if (!(style & WS_VISIBLE)) ShowWindow(mainWindow, SW_SHOW);
        SetForegroundWindow(mainWindow);
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
    // The key handed back last, terminated: LinkEvent::key points here.
    wchar_t key[NOTICE_KEY_MAX_UNITS + 1];
    DWORD keyUnits;
};

#endif
