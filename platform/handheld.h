// The few calls whose handheld meaning desktop Win32 does not share. The item calls these names; on the
// device they are the plain platform calls, on desktop they map the difference. Nothing else in the item
// knows it runs on a desktop.
#pragma once
#include <windows.h>
#include "SendMessageTimeout.h"

#ifdef UNDER_CE

inline LONG PlatformRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    return RegOpenKeyExW(root, subKey, options, access, result);
}
// Activates another program's window and brings it to the top. The handheld's reference documents the handle
// ORed with 0x01 as restoring the window and reactivating its last active (owned) window, so a messenger that
// shows a dialog comes back with it.
inline BOOL PlatformSetForegroundWindow(HWND window) {
    return SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG>(window) | 0x01));
}
// The handheld has no show that returns without waiting for the window's thread (its ShowWindow on another
// program's window waits until that program takes the change in). Its newer reference says a window that is not
// visible needs ShowWindow after SetForegroundWindow; the older says the 0x01 form restores it. A window that is
// not visible is shown only after it has answered WM_NULL within the bound, so a hung messenger never holds the
// item past it; a visible one is left to the activation request and SetForegroundWindow.
inline BOOL PlatformShowMaximizedWithoutWaiting(HWND window, UINT answerBoundMs) {
    if (IsWindowVisible(window)) return FALSE;
    DWORD_PTR answer = 0;
    if (!PlatformSendMessageTimeout(window, WM_NULL, 0, 0, answerBoundMs, &answer)) return FALSE;
    return ShowWindow(window, SW_SHOW);
}

#else

// The desktop registry refuses a sub-key path with a leading backslash (error 161); the handheld one
// accepts it. Strip it here so the item keeps its paths as the device writes them. The handheld's access
// mask is 0 (it takes none); desktop reads with KEY_READ, which is all the item uses.
LONG PlatformRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);

// Activates another program's window and brings it to the top (SetForegroundWindow).
BOOL PlatformSetForegroundWindow(HWND window);
// Shows another program's window maximized without waiting for that program (ShowWindowAsync): the bound is
// the device's.
BOOL PlatformShowMaximizedWithoutWaiting(HWND window, UINT answerBoundMs);

#endif
