// The few calls whose handheld meaning desktop Win32 does not share. The item calls these names; on the
// device they are the plain platform calls, on desktop they map the difference. Nothing else in the item
// knows it runs on a desktop.
#pragma once
#include <windows.h>

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
// program's window waits until that program takes the change in, and its default window procedure handles no
// system command that shows a window), and never waiting wins: the window is brought forward only, and the
// activation request the item sent first asks the messenger to show itself.
inline BOOL PlatformShowMaximizedWithoutWaiting(HWND) { return FALSE; }

#else

// The desktop registry refuses a sub-key path with a leading backslash (error 161); the handheld one
// accepts it. Strip it here so the item keeps its paths as the device writes them. Full access becomes
// read access, which is all the item uses and all a non-elevated desktop process gets under HKLM.
LONG PlatformRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);

// Activates another program's window and brings it to the top (SetForegroundWindow).
BOOL PlatformSetForegroundWindow(HWND window);
// Shows another program's window maximized without waiting for that program (ShowWindowAsync).
BOOL PlatformShowMaximizedWithoutWaiting(HWND window);

#endif
