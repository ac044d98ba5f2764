#include "MainLink.h"
#include "../platform/ItemMemory.h"
#include "../platform/SendMessageTimeout.h"
#include "../platform/aygshell.h"
#include "../kit/LinkWire.h"
#include "NoticePayload.h"
#include <string.h>
namespace {

MainAnswer Outcome(SendOutcome::Value outcome, LRESULT value, HWND window) {
    MainAnswer answer = {outcome, value, window};
    return answer;
}

DWORD HandleValue(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }
HWND WindowFromValue(DWORD value) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)); }
WPARAM AsWParam(HWND window) { return reinterpret_cast<WPARAM>(window); }

}  // namespace

MainLink::MainLink()
    : mainWindow(NULL),
      statusMode(false),
      replyTimeoutMs(LINK_REPLY_TIMEOUT_MS),
      slowAnswerMs(MAIN_APPLICATION_SLOW_ANSWER_MS),
      busyBackoffMs(MAIN_APPLICATION_BUSY_BACKOFF_MS),
      itemWindow(NULL),
      hostWindow(NULL),
      published(false),
      busy(false),
      busySince(0),
      heard(0),
      clears(0),
      attaches(0) {}

HWND MainLink::Trusted(HWND candidate) const {
    if (!candidate || candidate == HWND_BROADCAST || candidate == itemWindow || !IsWindow(candidate)) return NULL;
    // The host would take the protocol's numbers for its own messages (1126 is its "took selection").
    if (hostWindow && (candidate == hostWindow || IsChild(hostWindow, candidate))) return NULL;
    return candidate;
}

bool MainLink::BackingOff() const { return busy && GetTickCount() - busySince < busyBackoffMs; }

MainAnswer MainLink::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    // The handle was checked when it arrived; a window destroyed since fails the send and is found gone below.
    const HWND target = mainWindow;
    if (!target || target == HWND_BROADCAST || target == itemWindow) return Outcome(SendOutcome::Gone, 0, target);
    const unsigned heardBefore = heard;
    DWORD_PTR result = 0;
    if (PlatformSendMessageTimeout(target, message, wParam, lParam, replyTimeoutMs, &result)) {
        if (target == mainWindow) busy = false;
        return Outcome(SendOutcome::Answered, static_cast<LRESULT>(result), target);
    }
    // The verdict is about the window sent to, which the messages taken during the wait may have replaced.
    if (!IsWindow(target)) return Outcome(SendOutcome::Gone, 0, target);
    // Slow or hung, not gone. Left alone only if it is still the linked one and said nothing meanwhile.
    if (target == mainWindow && heard == heardBefore) {
        busy = true;
        busySince = GetTickCount();
    }
    return Outcome(SendOutcome::Busy, 0, target);
}

int MainLink::Connect(HWND window, HWND host) {
    itemWindow = window;
    hostWindow = host;
    mainWindow = NULL;
    busy = false;
    // A repeated initialisation publishes the current window through a freshly opened section.
    todaySection.Close();
    published = false;
    PublishIfNot();
    SharedSection mainSection;
    if (mainSection.Open(MAIN_SECTION_NAME)) {
        DWORD handle = 0;
        if (mainSection.Read(0, &handle, sizeof(handle))) mainWindow = Trusted(WindowFromValue(handle));
    }
    mainSection.Close();
    if (!mainWindow) return 0;
    return static_cast<int>(Send(LINKM_ITEM_ATTACH, AsWParam(itemWindow), 0).value);
}

void MainLink::SayGoodbye() {
    // Sent without waiting: a busy main application takes it in when it answers again, and the unload is
    // never held up by it.
    if (mainWindow && mainWindow != HWND_BROADCAST && mainWindow != itemWindow)
        SendNotifyMessageW(mainWindow, LINKM_ITEM_DETACH, AsWParam(itemWindow), 0);
}

void MainLink::ItemWindowDestroyed() {
    SayGoodbye();
    mainWindow = NULL;
    busy = false;
    WithdrawPublishedWindow();
    itemWindow = NULL;
}

void MainLink::PublishIfNot() {
    // The item's window (0 when it could not be made). One the section could not be opened or written for (memory
    // was short) is published at a later call, so a messenger that starts later still finds the item.
    if (published) {
        // Anyone can write the section: a handle that no longer names the item window is written again.
        DWORD handle = 0;
        if (todaySection.Read(0, &handle, sizeof(handle)) && handle == HandleValue(itemWindow)) return;
        published = false;
    }
    if (!todaySection.IsOpen() && !todaySection.Open(TODAY_SECTION_NAME)) return;
    const DWORD handle = HandleValue(itemWindow);
    published = todaySection.Write(0, &handle, sizeof(handle));
}

void MainLink::WithdrawPublishedWindow() {
    published = false;
    if (!todaySection.IsOpen()) return;
    const DWORD none = 0;
    todaySection.Write(0, &none, sizeof(none));
}

void MainLink::Unpublish() {
    WithdrawPublishedWindow();
    todaySection.Close();
}

bool MainLink::Ping() {
    const HWND pinged = mainWindow;
    if (BackingOff()) {
        // Left alone while busy, but a window that no longer exists is gone now, not when the back-off ends.
        if (IsWindow(pinged)) return true;
        ForgetGone();
        return false;
    }
    const unsigned attachesBefore = attaches;
    const DWORD sent = GetTickCount();
    MainAnswer answer = Send(LINKM_PING, 0, 0);
    // An attach (a restart, a reused handle) or a detach arrived while the ping waited: the answer is about a
    // link that no longer is.
    if (attaches != attachesBefore || mainWindow != pinged) return true;
    if (answer.outcome == SendOutcome::Answered && GetTickCount() - sent > slowAnswerMs) {
        busy = true;  // left alone like a busy one, until it answers in time or sends the item something
        busySince = GetTickCount();
    }
    // A busy application keeps its link and notices; the back-off keeps the next pings from waiting on it.
    if (answer.outcome == SendOutcome::Busy || answer.Done()) return true;
    ForgetGone();
    return false;
}

void MainLink::ForgetGone() {
    // Applied here, inside the query: a message to the item window would be one anybody could post. Forgotten
    // before the removal, which may take messages meanwhile: an attach among them then stands.
    Forget();
    SHNotificationRemove(&MAIN_NOTIFICATION_CLSID, MAIN_NOTIFICATION_ID);
}

MainAnswer MainLink::CopyData(ULONG_PTR dwData, const void* data, DWORD byteCount) {
    COPYDATASTRUCT record = {dwData, byteCount, const_cast<void*>(data)};
    return Send(WM_COPYDATA, AsWParam(itemWindow), reinterpret_cast<LPARAM>(&record));
}

MainAnswer MainLink::HandBackKey(const wchar_t* key, size_t length) {
    return CopyData(LINK_COPYDATA_KIND, key, static_cast<DWORD>(length * sizeof(wchar_t)));
}

HeldNotices MainLink::Held() const {
    HeldNotices held = {clears, notices.Size(), notices.LastArrival()};
    return held;
}

bool MainLink::DropHeld(const HeldNotices& held) {
    if (held.clears != clears || held.count == 0) return false;
    if (notices.LastArrival() == held.lastArrival) ClearNotices();  // nothing arrived since
    else {
        statusMode = false;
        notices.RemoveArrivedUpTo(held.lastArrival);
    }
    return true;
}

MainAnswer MainLink::RequestActivation() { return Send(LINKM_ACTIVATE, AsWParam(itemWindow), 0); }

void MainLink::ClearNotices() {
    statusMode = false;
    notices.Clear();
    ++clears;
}

void MainLink::Forget() {
    mainWindow = NULL;
    ClearNotices();
}

void MainLink::SortNotices() {
    statusMode = false;
    notices.SortByTime();
}

bool MainLink::AddNotice(const COPYDATASTRUCT* record) {
    // The payload is another process's data: never trust the pointer beyond cbData, nor a null one.
    if (!record || record->cbData > NOTICE_PAYLOAD_MAX_BYTES) return false;
    if (!record->lpData && record->cbData != 0) return false;
    // Anyone can push notices in a loop: what the item holds is bounded, in number and in bytes.
    if (notices.Size() >= static_cast<int>(NOTICES_HELD_MAX)) return false;
    const size_t units = record->cbData / sizeof(wchar_t);
    // A sender's buffer may lie at an odd address, and the handheld's ARM processors fault on a misaligned read:
    // such a payload is copied byte by byte to the item's own (aligned) memory and read there.
    const void* payload = record->lpData;
    void* aligned = NULL;
    if (reinterpret_cast<UINT_PTR>(payload) % sizeof(wchar_t) != 0) {
        aligned = AllocateItemMemory(units * sizeof(wchar_t));
        if (!aligned) return false;
        memcpy(aligned, payload, units * sizeof(wchar_t));
        payload = aligned;
    }
    MessageEntry* entry = ParseNotice(static_cast<const wchar_t*>(payload), units);
    FreeItemMemory(aligned);
    if (!entry) return false;
    const bool fits = notices.TextBytes() + entry->TextBytes() <= NOTICE_TEXTS_HELD_MAX_BYTES;
    if (fits && notices.Append(entry)) return true;
    delete entry;  // past the bound, or no room in the list: it stays as it was
    return false;
}

LinkReply MainLink::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LinkReply reply;
    reply.handled = true;
    switch (message) {
    case WM_COPYDATA: {
        // Appended behind the others, with no repaint: the count changes at the host's next refresh. Other
        // kinds of copy-data are answered and ignored.
        const COPYDATASTRUCT* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!record || record->dwData == LINK_COPYDATA_KIND) reply.handled = reply.dirty = AddNotice(record);
        break;
    }
    case LINKM_MAIN_ATTACH:
        ++attaches;
        ClearNotices();
        reply.cleared = true;
        mainWindow = Trusted(reinterpret_cast<HWND>(wParam));
        break;
    case LINKM_MAIN_DETACH:
        Forget();
        reply.cleared = reply.repaint = true;
        break;
    case LINKM_CLEAR:
        ClearNotices();
        reply.cleared = reply.repaint = true;
        break;
    case LINKM_STATUS:
        ClearNotices();
        statusMode = true;
        reply.cleared = reply.repaint = true;
        break;
    case LINKM_SORT:
        SortNotices();
        reply.repaint = true;
        break;
    default:
        reply.handled = false;
        return reply;
    }
    // The main application is answering again: it may be sent to at once.
    busy = false;
    ++heard;
    return reply;
}
