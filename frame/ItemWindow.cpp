#include "ItemWindow.h"
#include "ModuleState.h"
#include "../platform/WindowProcedure.h"

ItemWindow::ItemWindow()
    : window(NULL),
      parentWindow(NULL),
      windowProc(NULL),
      className(NULL),
      windowName(NULL),
      animationStartTick(0),
      animationRunning(false),
      animationTickCount(0),
      highlightTimerRunning(false),
      dirty(true),
      classRegistered(false) {}

ItemWindow::~ItemWindow() {
    // The item's own teardown destroyed the window already; this only finds the handle null.
    DestroyItemWindow();
}

void ItemWindow::OnOtherTimer(UINT, UINT_PTR, DWORD) {}

bool ItemWindow::CreateItemWindow(WNDPROC procedure, HWND parent, const wchar_t* newClassName,
                                  const wchar_t* newWindowName, bool visible) {
    windowProc = procedure;
    className = newClassName;
    windowName = newWindowName;
    parentWindow = parent;
    HINSTANCE instance = GetModuleHandleW(NULL);

    // A class left registered by an earlier window (a soft reset, a reload) would keep the old procedure.
    UnregisterClassW(className, instance);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    classRegistered = RegisterClassW(&windowClass) != 0;

    DWORD style = 0;
    if (parent) style |= WS_CHILD;
    if (visible) style |= WS_VISIBLE;
    window = CreateWindowExW(0, className, windowName, style, CW_USEDEFAULT, CW_USEDEFAULT, 20, 20,
                             parent, NULL, instance, NULL);
    if (!window) return false;
    PlatformSetWindowProcedure(window, windowProc);
    if (visible) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    return true;
}

int ItemWindow::DestroyItemWindow() {
    if (window) {
        // Forgotten first: the destroy message then tells the item's own teardown from anyone else's.
        HWND destroying = window;
        window = NULL;
        DestroyWindow(destroying);
    } else if (!classRegistered) {
        return 1;
    }
    // Also when the window went with its host: the class must not outlive the module's procedure.
    UnregisterClassW(className, GetModuleHandleW(NULL));
    classRegistered = false;
    return 1;
}

UINT_PTR ItemWindow::StartHighlightTimer(UINT intervalMs) {
    if (highlightTimerRunning) {
        highlightTimerRunning = false;
        KillTimer(window, HIGHLIGHT_TIMER_ID);
    }
    // Never without a window: SetTimer would make a thread timer that nobody kills.
    if (!window) return 0;
    const UINT_PTR started = SetTimer(window, HIGHLIGHT_TIMER_ID, intervalMs, ItemTimerProc);
    highlightTimerRunning = started != 0;
    return started;
}
