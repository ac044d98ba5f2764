// Setting a window's procedure: the handheld has no pointer-sized window longs, only SetWindowLongW with
// GWL_WNDPROC; the desktop's pointer-sized call is the one that stays right on 64-bit builds.
#pragma once
#include <windows.h>

#ifdef UNDER_CE

inline void PlatformSetWindowProcedure(HWND window, WNDPROC procedure) {
    SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG>(procedure));
}

#else

void PlatformSetWindowProcedure(HWND window, WNDPROC procedure);

#endif
