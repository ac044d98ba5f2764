// The object a window procedure works for: handed to CreateWindowExW as its last parameter, kept in the window's
// GWLP_USERDATA from WM_NCCREATE on, and let go at WM_NCDESTROY, the window's last message.
#pragma once
#include <windows.h>

// The object behind the window for this message (null before WM_NCCREATE, after WM_NCDESTROY, and once let go).
// Only for windows of classes whose procedure uses it: another window's user data is not ours to read.
template <typename Object>
Object* WindowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* object = static_cast<Object*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        return object;
    }
    auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Still handed to this last message, so that the object can forget its window.
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return object;
}

// The object behind a window outside its procedure (a message taken from the queue), on the same terms.
template <typename Object>
Object* WindowObject(HWND window) {
    return reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// An object that goes before its window lets go of it first: the window's last messages find none.
inline void LetGoOfWindowObject(HWND window) { SetWindowLongPtrW(window, GWLP_USERDATA, 0); }
