// The item window's procedure: every message reaches the one item through a named handler.
#include "../platform/ScopedHandles.h"
#include "MessengerTodayItem.h"
#include "ModuleState.h"

namespace {

LRESULT OnPaintMessage(MessengerTodayItem& item, HWND window) {
    PaintDC paint(window);  // EndPaint however the paint ends
    item.Paint(paint.get());
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

LRESULT Dispatch(MessengerTodayItem& item, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        return 0;  // anyone may send it; only the item destroys its window
    case WM_DESTROY:
        item.OnWindowDestroyed(window);
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
        return item.OnQueryRefreshCache(reinterpret_cast<TODAYLISTITEM*>(wParam));
    case WM_TODAYCUSTOM_RECEIVEDSELECTION:
        item.selected = true;
        item.OnReceivedSelection();
        return 1;
    case WM_TODAYCUSTOM_LOSTSELECTION:
        item.selected = false;
        item.OnLostSelection();
        return 1;
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
    try {
        return Dispatch(*item, window, message, wParam, lParam);
    } catch (...) {
        // No exception may reach the host's message loop: answer as for an unhandled message.
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
