#include "MainLink.h"
#include "../platform/SendMessageTimeout.h"
#include "../platform/aygshell.h"
#include "LinkProtocol.h"
#include "NoticePayload.h"
#include <new>

namespace {

DWORD HandleValue(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }
HWND WindowFromValue(DWORD value) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)); }
WPARAM AsWParam(HWND window) { return reinterpret_cast<WPARAM>(window); }

}  // namespace

HWND MainLink::Trusted(HWND candidate) const {
    if (!candidate || candidate == HWND_BROADCAST || candidate == itemWindow || !IsWindow(candidate)) return nullptr;
    return candidate;
}

bool MainLink::BackingOff() const { return busy && GetTickCount() - busySince < busyBackoffMs; }

MainAnswer MainLink::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    // The handle was checked when it arrived; a window destroyed since fails the send and is found gone below.
    if (!mainWindow || mainWindow == HWND_BROADCAST || mainWindow == itemWindow) return {SendOutcome::Gone, 0};
    if (BackingOff()) return {SendOutcome::Busy, 0};
    busy = false;
    DWORD_PTR result = 0;
    if (PlatformSendMessageTimeout(mainWindow, message, wParam, lParam, replyTimeoutMs, &result))
        return {SendOutcome::Answered, static_cast<LRESULT>(result)};
    // A window that still exists did not answer in time: slow or hung, but not gone.
    if (!IsWindow(mainWindow)) return {SendOutcome::Gone, 0};
    busy = true;
    busySince = GetTickCount();
    return {SendOutcome::Busy, 0};
}

int MainLink::Connect(HWND window) {
    itemWindow = window;
    mainWindow = nullptr;
    busy = false;
    // A repeated initialisation publishes the current window through a freshly opened section.
    todaySection.Close();
    if (todaySection.Open(TODAY_SECTION_NAME)) {
        DWORD published = HandleValue(itemWindow);
        todaySection.Write(0, &published, sizeof(published));
    }
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
    if (mainWindow) Send(LINKM_ITEM_DETACH, AsWParam(itemWindow), 0);
}

void MainLink::Unpublish() {
    if (!todaySection.IsOpen()) return;
    const DWORD none = 0;
    todaySection.Write(0, &none, sizeof(none));
    todaySection.Close();
}

bool MainLink::Ping() {
    MainAnswer answer = Send(LINKM_PING, 0, 0);
    // A busy application keeps its link and notices; the back-off keeps the next pings from waiting on it.
    if (answer.outcome == SendOutcome::Busy || answer.Done()) return true;
    SHNotificationRemove(&MAIN_NOTIFICATION_CLSID, MAIN_NOTIFICATION_ID);
    PostMessageW(itemWindow, LINKM_MAIN_DETACH, 0, 0);
    return false;
}

MainAnswer MainLink::CopyData(ULONG_PTR dwData, const void* data, DWORD byteCount) {
    COPYDATASTRUCT record = {dwData, byteCount, const_cast<void*>(data)};
    return Send(WM_COPYDATA, AsWParam(itemWindow), reinterpret_cast<LPARAM>(&record));
}

bool MainLink::SendCopyData(ULONG_PTR dwData, const void* data, DWORD byteCount) {
    return CopyData(dwData, data, byteCount).Done();
}

MainAnswer MainLink::HandBackCurrentKey() {
    const std::wstring& key = notices.Current().key;
    return CopyData(0, key.data(), static_cast<DWORD>(key.size() * sizeof(wchar_t)));
}

MainAnswer MainLink::RequestActivation() { return Send(LINKM_ACTIVATE, AsWParam(itemWindow), 0); }

void MainLink::ClearNotices() {
    statusMode = false;
    notices.Clear();
}

void MainLink::SortNotices() {
    statusMode = false;
    notices.SortByTime();
}

void MainLink::AddNotice(const COPYDATASTRUCT* record) {
    // The payload is another process's data: never trust the pointer beyond cbData, nor a null one.
    if (!record) return;
    if (!record->lpData && record->cbData != 0) return;
    const wchar_t* text = static_cast<const wchar_t*>(record->lpData);
    size_t units = record->cbData / sizeof(wchar_t);
    try {
        notices.Append(ParseNotice(units ? text : L"", units));
    } catch (const std::bad_alloc&) {
        // Out of memory: the notice is dropped, the list stays as it was.
    }
}

LinkReply MainLink::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LinkReply reply;
    reply.handled = true;
    switch (message) {
    case WM_COPYDATA: {
        // Appended behind the others; nothing on screen changes until the next repaint.
        const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (record && record->dwData == 0) AddNotice(record);
        break;
    }
    case LINKM_MAIN_ATTACH:
        ClearNotices();
        reply.cleared = true;
        mainWindow = Trusted(reinterpret_cast<HWND>(wParam));
        break;
    case LINKM_MAIN_DETACH:
        mainWindow = nullptr;
        ClearNotices();
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
        break;
    }
    // The main application is answering again: it may be sent to at once.
    if (reply.handled) busy = false;
    return reply;
}
