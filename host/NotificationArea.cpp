#include "NotificationArea.h"
#include "toolbox/WindowObject.h"

NotificationArea::NotificationArea(Listener listener) : listener(std::move(listener)) {}

NotificationArea::~NotificationArea() {
    if (window) DestroyWindow(window);
}

bool NotificationArea::Create() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    if (!GetClassInfoW(instance, SHELL_NOTIFICATION_AREA_CLASS, &windowClass)) {
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = SHELL_NOTIFICATION_AREA_CLASS;
        if (!RegisterClassW(&windowClass)) return false;
    }
    // Top-level (FindWindowW does not see message-only windows) and never shown: the host draws the area.
    window = CreateWindowExW(WS_EX_TOOLWINDOW, SHELL_NOTIFICATION_AREA_CLASS, L"Notifications", WS_POPUP, 0, 0, 0, 0,
                             nullptr, nullptr, instance, this);
    return window != nullptr;
}

LRESULT CALLBACK NotificationArea::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto area = WindowObject<NotificationArea>(window, message, lParam);
    if (area && message == WM_COPYDATA) return area->OnCopyData(*reinterpret_cast<COPYDATASTRUCT*>(lParam));
    if (area && message == WM_NCDESTROY) area->window = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT NotificationArea::OnCopyData(const COPYDATASTRUCT& data) {
    if (data.cbData != sizeof(ShellNotificationRecord) || !data.lpData) return FALSE;
    if (data.dwData != ShellNotificationOpAdd && data.dwData != ShellNotificationOpRemove) return FALSE;
    // The sender's buffer is only valid during this call: copy it before anything else runs.
    ShellNotificationRecord record;
    memcpy(&record, data.lpData, sizeof(record));
    if (listener) listener(static_cast<ShellNotificationOp>(data.dwData), record);
    return TRUE;
}
