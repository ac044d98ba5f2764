// The few calls whose handheld meaning desktop Win32 does not share. The item calls these names; on the
// device they are the plain platform calls, on desktop they map the difference. Nothing else in the item
// knows it runs on a desktop.
#pragma once
#include <windows.h>

#ifdef UNDER_CE

inline LONG PlatformRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    return RegOpenKeyExW(root, subKey, options, access, result);
}
// Shows another program's window maximized without waiting for that program: a plain ShowWindow waits until
// the window's thread has taken the change in, for as long as that program is busy. The handheld has no
// asynchronous show; a notify message returns at once for a window of another thread.
inline BOOL PlatformShowMaximizedWithoutWaiting(HWND window) {
    return SendNotifyMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

#else

// The desktop registry refuses a sub-key path with a leading backslash (error 161); the handheld one
// accepts it. Strip it here so the item keeps its paths as the device writes them. Full access becomes
// read access, which is all the item uses and all a non-elevated desktop process gets under HKLM.
LONG PlatformRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);

// Shows another program's window maximized without waiting for that program (ShowWindowAsync).
BOOL PlatformShowMaximizedWithoutWaiting(HWND window);

#endif
