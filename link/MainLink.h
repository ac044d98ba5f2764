// The link to the messenger's main application: the handshake through the two named sections, the notices
// it sends and what the item sends it. It owns the link state and the notice list and knows nothing of the
// item object: each inbound message tells the caller what else to do.
#pragma once
#include "MessageList.h"
#include "SharedSection.h"

// How long the item waits for the main application to answer one message before taking the answer as 0,
// so that a hung application never freezes the Today screen.
constexpr DWORD MAIN_APPLICATION_REPLY_TIMEOUT_MS = 3000;

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
    // notification is removed and a detach is posted to the item window.
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
    // Hands the current notice's key back (dwData 0, no terminator): true when it was taken.
    bool HandBackCurrentKey();
    // Asks the main application to come to the front: its answer (1 = done).
    LRESULT RequestActivation();

    SharedSection todaySection;
    HWND mainWindow = nullptr;  // null: no main application is linked
    bool statusMode = false;
    MessageList notices;

private:
    // Every message to the main application goes through here: a bounded wait, 0 when it fails.
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND itemWindow = nullptr;  // the window published and named as the sender
};
