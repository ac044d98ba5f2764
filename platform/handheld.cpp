#include "handheld.h"

#ifndef UNDER_CE

LONG PlatformRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    while (subKey && *subKey == L'\\') ++subKey;
    // Full access to HKEY_LOCAL_MACHINE is refused to a desktop process that is not elevated; the item
    // only ever reads, so reading is what it asks for here.
    if (access == KEY_ALL_ACCESS) access = KEY_READ;
    return RegOpenKeyExW(root, subKey, options, access, result);
}

BOOL PlatformSetForegroundWindow(HWND window) { return SetForegroundWindow(window); }

BOOL PlatformShowMaximizedWithoutWaiting(HWND window) { return ShowWindowAsync(window, SW_SHOWMAXIMIZED); }

#endif
