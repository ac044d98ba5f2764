// The link to the messenger's main application: the handshake through the two named sections, the notices
// it sends and what the item sends it. It owns the link state and the notice list and knows nothing of the
// item object: each inbound message tells the caller what else to do.
#pragma once
#include "../kit/LinkWire.h"
#include "MessageList.h"
#include "SharedSection.h"

// After a send timed out while the main application's window still existed, the refresh query's ping is left
// out for this long, unless the main application sends the item something first: a busy application then
// costs the host's refreshes at most one reply bound in this time, and its link and notices are kept. What
// the user asks for (the activation, the key) is tried every time all the same.
const DWORD MAIN_APPLICATION_BUSY_BACKOFF_MS = 30000;
// A ping answered later than this counts as busy all the same: an application that answers every ping just
// inside the reply bound would otherwise hold the host that long at every refresh.
const DWORD MAIN_APPLICATION_SLOW_ANSWER_MS = 1000;
// How one message to the main application ended.
struct SendOutcome {
    enum Value {
        Answered,  // the value is its answer
        Busy,      // its window exists but it did not answer within the bound (or the back-off is running)
        Gone       // no usable window: none known, destroyed, or a handle the item never sends to
    };
};
struct MainAnswer {
    SendOutcome::Value outcome;
    LRESULT value;  // 0 unless answered
    HWND window;    // the window it was sent to: the outcome is about that one
    bool Done() const { return outcome == SendOutcome::Answered && value != 0; }
};

// What an inbound message asks of the item beyond the link's own state.
struct LinkReply {
    LinkReply() : handled(false), cleared(false), repaint(false), dirty(false) {}
    // The message belongs to the link: answer 1. A notice refused (over a bound, or no memory to keep it) is
    // not handled, and the default window procedure answers its WM_COPYDATA with 0.
    bool handled;
    bool cleared;  // the notice list was emptied: stop the animation and mark the item dirty
    bool repaint;  // the notice view changed: repaint now
    bool dirty;    // what the item shows changed without a repaint: the host learns it at its refresh
};

// The notices held before a key was handed back, so that a failed hand-back drops those and no others.
struct HeldNotices {
    unsigned clears;       // the list's clears so far: after another, none of these is left
    int count;             // how many there were
    unsigned lastArrival;  // the arrival number of the last of them
};

class MainLink {
public:
    MainLink();

    // Publishes the item window in "TodayFileMapping", learns the main application's window from
    // "ArdenoFileMapping" and announces the item to it. The result of that announcement, or 0. The host's window
    // and the windows inside it are never taken for the main application, also without an item window.
    int Connect(HWND itemWindow, HWND host);
    // Tells a known main application that the item goes away, without waiting for it to take that in.
    void SayGoodbye();
    // The item window was destroyed (by its host, say): its handle is no longer published, and a known main
    // application is told the item went away and forgotten.
    void ItemWindowDestroyed();
    // Zeroes the published window handle and closes the item's section.
    void Unpublish();
    // Publishes the item window in "TodayFileMapping" if that could not be done before (memory was short), or
    // again if the section no longer names it (anyone can write it).
    void PublishIfNot();
    // The liveness ping of the host's refresh query. False when the main application is gone: its shell
    // notification is removed and it is forgotten with the notices, at once. A busy one is alive; while it is
    // left alone, only whether its window still exists is checked. The verdict is about the link as it was when
    // the ping was sent: after an attach during the wait (whatever window it named) it undoes nothing.
    bool Ping();
    // The private protocol and copy-data notices; anything else is not handled.
    LinkReply OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Leaves status mode and empties the list (the link's half of clearing everything).
    void ClearNotices();
    // Leaves status mode and sorts the list by time; the cursor keeps its index.
    void SortNotices();
    // Parses a copy-data notice and appends it. A record that cannot be read, a payload over
    // NOTICE_PAYLOAD_MAX_BYTES, a refused notice, one past NOTICES_HELD_MAX or NOTICE_TEXTS_HELD_MAX_BYTES, or one
    // that memory cannot hold adds nothing. True when appended.
    bool AddNotice(const COPYDATASTRUCT* record);
    // Hands a notice's key back (dwData 0, no terminator); Done() when it was taken.
    MainAnswer HandBackKey(const wchar_t* key, size_t length);
    // What the list holds now, for DropHeld after a hand-back.
    HeldNotices Held() const;
    // Drops the notices of `held` that are still in the list and leaves status mode; true when any was. Those
    // that arrived since stay; none is dropped after a clear (an attach, say) since.
    bool DropHeld(const HeldNotices& held);
    // Asks the main application to come to the front; an answer of 1 means it did.
    MainAnswer RequestActivation();
    // True while the pings leave a busy main application alone.
    bool BackingOff() const;

    SharedSection todaySection;
    HWND mainWindow;  // null: no main application is linked
    bool statusMode;
    MessageList notices;
    // The bounds above; tests of the link itself shorten them.
    DWORD replyTimeoutMs;
    DWORD slowAnswerMs;
    DWORD busyBackoffMs;

private:
    MainLink(const MainLink&);
    MainLink& operator=(const MainLink&);
    // Every message to the main application goes through here: one bounded wait.
    MainAnswer Send(UINT message, WPARAM wParam, LPARAM lParam);
    MainAnswer CopyData(ULONG_PTR dwData, const void* data, DWORD byteCount);
    // A handle from the section or from an attach is anyone's to write: the broadcast handle, handles that are
    // no window, and the Today host's window and every window inside it (the item's own, a sibling item's)
    // count as no main application.
    HWND Trusted(HWND candidate) const;
    // The ping found the linked window gone: its notification goes, and the window and the notices with it.
    void ForgetGone();
    // Publishes 0 as the item window; the section stays open.
    void WithdrawPublishedWindow();
    void Forget();

    HWND itemWindow;     // the window published and named as the sender
    HWND hostWindow;     // the item window's parent from initialisation
    bool published;      // ...and written into the section
    bool busy;           // the linked window timed out without a word from it...
    DWORD busySince;     // ...at this tick count
    unsigned heard;      // messages taken from the main application so far
    unsigned clears;     // times the list was emptied so far
    unsigned attaches;   // attach messages taken so far, whatever window they named
};
