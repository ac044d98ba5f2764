#include "SendMessageTimeout.h"

#ifndef UNDER_CE

LRESULT PlatformSendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs,
                                   DWORD_PTR* result) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, result);
}

#endif
