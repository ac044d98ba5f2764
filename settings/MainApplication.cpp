#include "MainApplication.h"
#include "../platform/handheld.h"

bool LaunchMainApplication(const std::wstring& installPath) {
    return PlatformCreateProcessW(installPath.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                                  nullptr) != FALSE;
}

HWND FindMainApplicationWindow(const wchar_t* windowClass, const wchar_t* firstTitle, const wchar_t* secondTitle) {
    HWND found = FindWindowW(windowClass, firstTitle);
    if (!found) found = FindWindowW(windowClass, secondTitle);
    return found;
}

void ShowMainApplicationWindow(HWND window) {
    SetForegroundWindow(window);
    PlatformShowWindow(window, HANDHELD_SW_SHOWMAXIMIZED);
}
