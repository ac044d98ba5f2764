// The item window's procedure: every message reaches the one item through a named handler.
#include "../platform/ScopedHandles.h"
#include "MessengerTodayItem.h"
#include "ModuleState.h"

namespace {

LRESULT OnPaintMessage(MessengerTodayItem& item, HWND window) {
    PaintDC paint(window);  // EndPaint however the paint ends
    // Another window of the class is only validated.
    if (window == item.window) item.PaintReached(paint.get(), paint.Dirty());
    return 1;
}

LRESULT OnStylusDown(MessengerTodayItem& item, WPARAM keyFlags, LPARAM position) {
    item.selected = true;
    // The host learns that this item took the selection before the tap is acted on.
    // Never a null window: that would post to this thread.
    if (item.parentWindow)
        PostMessageW(item.parentWindow, TODAYM_TOOKSELECTION, reinterpret_cast<WPARAM>(item.window), 0);
    item.OnReceivedSelection();
    item.OnTapDown(static_cast<UINT>(keyFlags), LOWORD(position), HIWORD(position));
    return 1;
}

LRESULT OnStylusUp(MessengerTodayItem& item, WPARAM keyFlags, LPARAM position) {
    item.OnTapUp(static_cast<UINT>(keyFlags), LOWORD(position), HIWORD(position));
    return 1;
}

// Committed memory of this process, writable in every byte of [start, start + size).
bool WritableThroughout(const void* start, size_t size) {
    const UINT_PTR first = reinterpret_cast<UINT_PTR>(start);
    if (first + size < first) return false;  // wraps around the address space
    const UINT_PTR end = first + size;
    for (UINT_PTR at = first; at < end;) {
        MEMORY_BASIC_INFORMATION region;
        if (VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof(region)) != sizeof(region) ||
            region.State != MEM_COMMIT)
            return false;
        const DWORD writable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        if (!(region.Protect & writable) || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS))) return false;
        const UINT_PTR regionEnd = reinterpret_cast<UINT_PTR>(region.BaseAddress) + region.RegionSize;
        if (regionEnd <= at) return false;
        at = regionEnd;
    }
    return true;
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
// vouches for is written through. A query another thread sends (from another process, where the number names
// nothing of ours) is believed only when it names the record the host gave at initialisation, as the host's does
// when it queries inside a message that another thread sent it. A query on the item window's own thread is the
// host's, or was posted by anyone: besides that record, it may name another record of the host's, which is then
// memory of this process, writable throughout, that names the item's window.
bool VouchedRecord(const TODAYLISTITEM* record, HWND itemWindow) {
    if (!record) return false;
    if (record == hostItemRecord) return true;
    if (InSendMessage()) return false;
    // Looked at only once the memory is known to be there.
    return WritableThroughout(record, sizeof(*record)) && itemWindow && record->hwndCustom == itemWindow;
}

LRESULT OnRefreshQuery(MessengerTodayItem& item, WPARAM wParam) {
    TODAYLISTITEM* record = reinterpret_cast<TODAYLISTITEM*>(wParam);
    if (!VouchedRecord(record, item.window)) return 0;  // never dereferenced, and no ping, no verdict
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
