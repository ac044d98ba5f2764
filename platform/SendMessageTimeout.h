// The bounded send: a message to another program's window that waits a limited time for the answer, so a
// hung program never freezes the caller.
#pragma once
#include <windows.h>

// Returns what the platform's call returns: non-zero when the window answered in time (its answer in
// *result), zero when it did not. After a zero, GetLastError is as the platform call left it: ERROR_TIMEOUT
// when the window exists but did not answer in time (busy or hung), another code when the send could not
// be made (ERROR_INVALID_WINDOW_HANDLE: the window is gone).
#ifdef UNDER_CE

// The handheld's call takes SMTO_NORMAL only.
inline LRESULT PlatformSendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs,
                                          DWORD_PTR* result) {
    return SendMessageTimeout(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, result);
}

#else

// Desktop: SMTO_ABORTIFHUNG also gives up at once on a window the system already knows to be hung.
LRESULT PlatformSendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs,
                                   DWORD_PTR* result);

#endif
