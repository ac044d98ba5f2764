// The item window's procedure: every message reaches the one item through a named handler.
#include "../platform/ScopedHandles.h"
#include "MessengerTodayItem.h"
#include "ModuleState.h"

namespace {

LRESULT OnPaintMessage(MessengerTodayItem& item, HWND window) {
    PaintDC paint(window);  // EndPaint however the paint ends
    if (window == item.window) item.Paint(paint.get());  // another window of the class is only validated
    return 1;
}

LRESULT OnStylusDown(MessengerTodayItem& item, WPARAM keyFlags, LPARAM position) {
    item.selected = true;
    // The host learns that this item took the selection before the tap is acted on.
    PostMessageW(GetParent(item.window), TODAYM_TOOKSELECTION, reinterpret_cast<WPARAM>(item.window), 0);
    item.OnReceivedSelection();
    item.OnTapDown(static_cast<UINT>(keyFlags), LOWORD(position), HIWORD(position));
    return 1;
}

LRESULT OnStylusUp(MessengerTodayItem& item, WPARAM keyFlags, LPARAM position) {
    item.OnTapUp(static_cast<UINT>(keyFlags), LOWORD(position), HIWORD(position));
    return 1;
}

LRESULT OnSelectionReceived(MessengerTodayItem& item) {
    item.selected = true;
    item.OnReceivedSelection();
    return 1;
}

LRESULT OnSelectionLost(MessengerTodayItem& item) {
    item.selected = false;
    item.OnLostSelection();
    return 1;
}

// The query writes the item's height through the record its first parameter names: only a record the host
// vouches for is written through. The host's own queries come on the item window's thread; a query another
// thread sends (from another process, where the number names nothing of ours) is believed only when it names
// the record the host gave at initialisation, as the host's does when it queries inside a message that another
// thread sent it.
bool VouchedRecord(const TODAYLISTITEM* record) {
    if (!record) return false;
    return record == hostItemRecord || !InSendMessage();
}

LRESULT OnRefreshQuery(MessengerTodayItem& item, WPARAM wParam) {
    TODAYLISTITEM* record = reinterpret_cast<TODAYLISTITEM*>(wParam);
    if (!VouchedRecord(record)) return 0;  // never dereferenced, and no ping, no verdict
    return item.OnQueryRefreshCache(record);
}

LRESULT Dispatch(MessengerTodayItem& item, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        return 0;  // anyone may send it; only the item destroys its window
    case WM_DESTROY:
        item.OnDestroyMessage(window);  // changes nothing now, whoever sent it
        return 1;
    case WM_PAINT:
        return OnPaintMessage(item, window);
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole item; erasing first would flicker
    case WM_LBUTTONDOWN:
        return OnStylusDown(item, wParam, lParam);
    case WM_LBUTTONUP:
        return OnStylusUp(item, wParam, lParam);
    case WM_TODAYCUSTOM_CLEARCACHE:
        item.OnClearCache();
        return 1;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
        return OnRefreshQuery(item, wParam);
    case WM_TODAYCUSTOM_RECEIVEDSELECTION:
        return OnSelectionReceived(item);
    case WM_TODAYCUSTOM_LOSTSELECTION:
        return OnSelectionLost(item);
    case WM_TODAYCUSTOM_USERNAVIGATION:
        return item.OnNavigationKey(static_cast<UINT>(wParam));
    case WM_TODAYCUSTOM_ACTION:
        item.OnAction();
        return 1;
    default:
        if (item.OnCustomMessage(message, wParam, lParam)) return 1;
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK ItemWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MessengerTodayItem* item = itemPointer;
    if (!item) return DefWindowProcW(window, message, wParam, lParam);
    return Dispatch(*item, window, message, wParam, lParam);
}
