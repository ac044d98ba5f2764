// The link to the messenger's main application: the handshake through the two named sections, the notices
// it sends and what the item sends it. It owns the link state and the notice list and knows nothing of the
// item object: each inbound message tells the caller what else to do.
#pragma once
#include "MessageList.h"
#include "SharedSection.h"

// How long the item waits for the main application to answer one message, so that a busy or hung
// application never freezes the Today screen for long.
constexpr DWORD MAIN_APPLICATION_REPLY_TIMEOUT_MS = 3000;
// After a send timed out while the main application's window still existed, the item sends it nothing for
// this long, unless the main application sends the item something first: a busy application then costs the
// Today screen at most one reply bound in this time, and its link and notices are kept meanwhile.
constexpr DWORD MAIN_APPLICATION_BUSY_BACKOFF_MS = 30000;

// How one message to the main application ended.
enum class SendOutcome {
    Answered,  // the value is its answer
    Busy,      // its window exists but it did not answer within the bound (or the back-off is running)
    Gone,      // no usable window: none known, destroyed, or a handle the item never sends to
};
struct MainAnswer {
    SendOutcome outcome;
    LRESULT value;  // 0 unless answered
    bool Done() const { return outcome == SendOutcome::Answered && value != 0; }
};

// What an inbound message asks of the item beyond the link's own state.
struct LinkReply {
    bool handled = false;  // the message belongs to the link: answer 1
    bool cleared = false;  // the notice list was emptied: stop the animation and mark the item dirty
    bool repaint = false;  // the notice view changed: repaint now
};

class MainLink {
public:
    // Publishes the item window in "TodayFileMapping", learns the main application's window from
    // "ArdenoFileMapping" and announces the item to it. The result of that announcement, or 0.
    int Connect(HWND itemWindow);
    // Tells a known main application that the item goes away; the item window still exists.
    void SayGoodbye();
    // Zeroes the published window handle and closes the item's section.
    void Unpublish();
    // The liveness ping of the host's refresh query. False when the main application is gone: its shell
    // notification is removed and a detach is posted to the item window. A busy one is alive.
    bool Ping();
    // The private protocol and copy-data notices; anything else is not handled.
    LinkReply OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Leaves status mode and empties the list (the link's half of clearing everything).
    void ClearNotices();
    // Leaves status mode and sorts the list by time; the cursor keeps its index.
    void SortNotices();
    // Parses a copy-data notice and appends it; a record that cannot be read adds nothing.
    void AddNotice(const COPYDATASTRUCT* record);
    // WM_COPYDATA to the main application: true when it answered non-zero.
    bool SendCopyData(ULONG_PTR dwData, const void* data, DWORD byteCount);
    // Hands the current notice's key back (dwData 0, no terminator); Done() when it was taken.
    MainAnswer HandBackCurrentKey();
    // Asks the main application to come to the front; an answer of 1 means it did.
    MainAnswer RequestActivation();
    // True while a busy main application is left alone.
    bool BackingOff() const;

    SharedSection todaySection;
    HWND mainWindow = nullptr;  // null: no main application is linked
    bool statusMode = false;
    MessageList notices;
    // The bounds above; tests of the link itself shorten them.
    DWORD replyTimeoutMs = MAIN_APPLICATION_REPLY_TIMEOUT_MS;
    DWORD busyBackoffMs = MAIN_APPLICATION_BUSY_BACKOFF_MS;

private:
    // Every message to the main application goes through here: one bounded wait, and none while backing off.
    MainAnswer Send(UINT message, WPARAM wParam, LPARAM lParam);
    MainAnswer CopyData(ULONG_PTR dwData, const void* data, DWORD byteCount);
    // A handle from the section or from an attach is anyone's to write: the broadcast handle, the item's own
    // window and handles that are no window count as no main application.
    HWND Trusted(HWND candidate) const;

    HWND itemWindow = nullptr;  // the window published and named as the sender
    bool busy = false;          // the last send timed out on an existing window...
    DWORD busySince = 0;        // ...at this tick count
};
