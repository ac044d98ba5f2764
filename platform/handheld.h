// The few calls whose handheld meaning desktop Win32 does not share. The item calls these names; on the
// device they are the plain platform calls, on desktop they map the difference. Nothing else in the item
// knows it runs on a desktop.
#pragma once
#include <windows.h>

// Handheld show command 11 is "show maximized"; desktop 11 is SW_FORCEMINIMIZE.
constexpr int HANDHELD_SW_SHOWMAXIMIZED = 11;

#ifdef UNDER_CE

inline LONG PlatformRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    return RegOpenKeyExW(root, subKey, options, access, result);
}
inline BOOL PlatformShowWindow(HWND window, int handheldCommand) { return ShowWindow(window, handheldCommand); }

#else

// The desktop registry refuses a sub-key path with a leading backslash (error 161); the handheld one
// accepts it. Strip it here so the item keeps its paths as the device writes them. Full access becomes
// read access, which is all the item uses and all a non-elevated desktop process gets under HKLM.
LONG PlatformRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);

// Maps handheld show commands to their desktop numbers.
BOOL PlatformShowWindow(HWND window, int handheldCommand);

#endif
