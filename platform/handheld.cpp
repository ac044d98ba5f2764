#include "handheld.h"

#ifndef UNDER_CE

LONG PlatformRegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    while (subKey && *subKey == L'\\') ++subKey;
    // The handheld's registry takes no access mask: the item asks for 0, which desktop refuses; the item
    // only ever reads, so 0 is asked as read access. Any other mask is passed on as asked.
    if (access == 0) access = KEY_READ;
    return RegOpenKeyExW(root, subKey, options, access, result);
}

BOOL PlatformSetForegroundWindow(HWND window) { return SetForegroundWindow(window); }

BOOL PlatformShowMaximizedWithoutWaiting(HWND window, UINT) { return ShowWindowAsync(window, SW_SHOWMAXIMIZED); }

#endif
