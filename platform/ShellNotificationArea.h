// How our shell helper library reaches the notification area: a top-level window of this class (the host
// simulator's, or a test's recording window) receives each add and remove as WM_COPYDATA. With no such
// window the calls still succeed, as the real shell queues them.
#pragma once
#include <windows.h>

constexpr wchar_t SHELL_NOTIFICATION_AREA_CLASS[] = L"ShellNotificationArea";

enum ShellNotificationOp : ULONG_PTR { ShellNotificationOpAdd = 1, ShellNotificationOpRemove = 2 };

// Fixed-size record; texts are cut to fit and always NUL-terminated.
struct ShellNotificationRecord {
    CLSID clsid;
    DWORD id;
    DWORD priority;
    DWORD durationSeconds;
    DWORD flags;
    DWORD sinkWindow;  // 32-bit handle value
    WCHAR title[128];
    WCHAR html[512];
};
