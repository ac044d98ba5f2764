// The link to the messenger's main application: the handshake through the two named sections, the
// inbound private messages, and every message the item sends it.
#include "../frame/MessengerItemModel.h"
#include "../platform/SendMessageTimeout.h"
#include "../platform/aygshell.h"
#include "LinkProtocol.h"
#include <new>

namespace {

DWORD HandleValue(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }

}  // namespace

LRESULT MessengerItemModel::SendToMainWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!PlatformSendMessageTimeout(mainWindow, message, wParam, lParam, MAIN_APPLICATION_REPLY_TIMEOUT_MS, &result)) {
        return 0;  // gone, hung or too slow: all count as no answer
    }
    return static_cast<LRESULT>(result);
}

int MessengerItemModel::OnWindowCreated() {
    mainWindow = nullptr;
    // A repeated initialisation publishes the current window through a freshly opened section.
    todaySection.Close();
    if (todaySection.Open(TODAY_SECTION_NAME)) {
        DWORD published = HandleValue(window);
        todaySection.Write(0, &published, sizeof(published));
    }
    SharedSection mainSection;
    if (mainSection.Open(MAIN_SECTION_NAME)) {
        DWORD handle = 0;
        if (mainSection.Read(0, &handle, sizeof(handle))) mainWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    }
    mainSection.Close();
    if (!mainWindow) return 0;
    return static_cast<int>(SendToMainWindow(LINKM_ITEM_ATTACH, reinterpret_cast<WPARAM>(window), 0));
}

bool MessengerItemModel::PingMainApplication() {
    if (SendToMainWindow(LINKM_PING, 0, 0)) return true;
    static const CLSID notificationClass = MAIN_NOTIFICATION_CLSID_INIT;
    SHNotificationRemove(&notificationClass, MAIN_NOTIFICATION_ID);
    PostMessageW(window, LINKM_MAIN_DETACH, 0, 0);
    return false;
}

bool MessengerItemModel::SendCopyData(ULONG_PTR dwData, const void* data, DWORD byteCount) {
    COPYDATASTRUCT record = {dwData, byteCount, const_cast<void*>(data)};
    return SendToMainWindow(WM_COPYDATA, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&record)) != 0;
}

void MessengerItemModel::ClearAll() {
    statusMode = false;
    notices.Clear();
    if (animationRunning) StopAnimation();
    dirty = true;
}

void MessengerItemModel::SortNotices() {
    statusMode = false;
    notices.SortByTime();
    Invalidate();
}

void MessengerItemModel::AddNotice(const COPYDATASTRUCT* record) {
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

BOOL MessengerItemModel::OnCustomMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COPYDATA: {
        const COPYDATASTRUCT* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (record && record->dwData == 0) AddNotice(record);
        return TRUE;
    }
    case LINKM_MAIN_ATTACH:
        ClearAll();
        mainWindow = reinterpret_cast<HWND>(wParam);
        return TRUE;
    case LINKM_MAIN_DETACH:
        statusMode = false;
        mainWindow = nullptr;
        ClearAll();
        Invalidate();
        return TRUE;
    case LINKM_CLEAR:
        ClearAll();
        Invalidate();
        return TRUE;
    case LINKM_STATUS:
        ClearAll();
        statusMode = true;
        Invalidate();
        return TRUE;
    case LINKM_SORT:
        SortNotices();
        return TRUE;
    default:
        return FALSE;
    }
}
