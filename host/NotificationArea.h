// The receiving end of SHNotificationAdd/Remove: a hidden top-level window of the notification-area class
// (our aygshell.dll finds it by class) that hands each record to its listener.
#pragma once
#include <windows.h>
#include <functional>
#include "platform/ShellNotificationArea.h"

class NotificationArea {
public:
    using Listener = std::function<void(ShellNotificationOp, const ShellNotificationRecord&)>;

    explicit NotificationArea(Listener listener);
    ~NotificationArea();
    NotificationArea(const NotificationArea&) = delete;
    NotificationArea& operator=(const NotificationArea&) = delete;

    bool Create();
    HWND Window() const { return window; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCopyData(const COPYDATASTRUCT& data);

    Listener listener;
    HWND window = nullptr;
};
