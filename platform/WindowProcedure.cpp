#include "WindowProcedure.h"

#ifndef UNDER_CE

void PlatformSetWindowProcedure(HWND window, WNDPROC procedure) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

#endif
