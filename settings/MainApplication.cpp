#include "MainApplication.h"
#include "../platform/handheld.h"

HWND FindMainApplicationWindow(const wchar_t* windowClass, const wchar_t* firstTitle, const wchar_t* secondTitle) {
    HWND found = FindWindowW(windowClass, firstTitle);
    if (!found) found = FindWindowW(windowClass, secondTitle);
    return found;
}

void ShowMainApplicationWindow(HWND window, UINT answerBoundMs) {
    PlatformSetForegroundWindow(window);
    PlatformShowMaximizedWithoutWaiting(window, answerBoundMs);
}

void BringWindowForward(HWND window) { PlatformSetForegroundWindow(window); }
