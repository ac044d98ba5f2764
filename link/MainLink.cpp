#include "MainLink.h"
#include "../platform/aygshell.h"
#include "LinkProtocol.h"
#include "NoticePayload.h"
#include <new>

namespace {

DWORD HandleValue(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }
HWND WindowFromValue(DWORD value) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)); }
WPARAM AsWParam(HWND window) { return reinterpret_cast<WPARAM>(window); }

}  // namespace

LRESULT MainLink::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(mainWindow, message, wParam, lParam, SMTO_ABORTIFHUNG, MAIN_APPLICATION_REPLY_TIMEOUT_MS,
                             &result)) {
        return 0;  // gone, hung or too slow: all count as no answer
    }
    return static_cast<LRESULT>(result);
}

int MainLink::Connect(HWND window) {
    itemWindow = window;
    mainWindow = nullptr;
    // A repeated initialisation publishes the current window through a freshly opened section.
    todaySection.Close();
    if (todaySection.Open(TODAY_SECTION_NAME)) {
        DWORD published = HandleValue(itemWindow);
        todaySection.Write(0, &published, sizeof(published));
    }
    SharedSection mainSection;
    if (mainSection.Open(MAIN_SECTION_NAME)) {
        DWORD handle = 0;
        if (mainSection.Read(0, &handle, sizeof(handle))) mainWindow = WindowFromValue(handle);
    }
    mainSection.Close();
    if (!mainWindow) return 0;
    return static_cast<int>(Send(LINKM_ITEM_ATTACH, AsWParam(itemWindow), 0));
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
    if (Send(LINKM_PING, 0, 0)) return true;
    SHNotificationRemove(&MAIN_NOTIFICATION_CLSID, MAIN_NOTIFICATION_ID);
    PostMessageW(itemWindow, LINKM_MAIN_DETACH, 0, 0);
    return false;
}

bool MainLink::SendCopyData(ULONG_PTR dwData, const void* data, DWORD byteCount) {
    COPYDATASTRUCT record = {dwData, byteCount, const_cast<void*>(data)};
    return Send(WM_COPYDATA, AsWParam(itemWindow), reinterpret_cast<LPARAM>(&record)) != 0;
}

bool MainLink::HandBackCurrentKey() {
    const std::wstring& key = notices.Current().key;
    return SendCopyData(0, key.data(), static_cast<DWORD>(key.size() * sizeof(wchar_t)));
}

LRESULT MainLink::RequestActivation() { return Send(LINKM_ACTIVATE, AsWParam(itemWindow), 0); }

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
        mainWindow = reinterpret_cast<HWND>(wParam);
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
    return reply;
}
