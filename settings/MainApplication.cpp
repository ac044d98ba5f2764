#include "MainApplication.h"
#include "../platform/StartProcess.h"
#include "../platform/handheld.h"

bool LaunchMainApplication(const std::wstring& installPath) {
    return PlatformStartProcess(installPath.c_str()) != FALSE;
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
