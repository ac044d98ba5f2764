// The shell's notification area as our shell helper library reaches it: a recording window of its class,
// whose copy-data are read back as the adds and removes they carry.
#pragma once
#include "RecordingWindow.h"
#include "platform/ShellNotificationArea.h"
#include <string>
#include <vector>

struct NotificationCall {
    ShellNotificationOp op;
    CLSID clsid;
    DWORD id;
    std::wstring html;
};

class NotificationAreaWindow : public RecordingWindow {
public:
    NotificationAreaWindow();
    // Every add and remove received so far, in order.
    std::vector<NotificationCall> Calls() const;
    std::vector<NotificationCall> Removals() const;
    // The body of the entry now up ("" when none is): what a person reads in the area.
    std::wstring Shown() const;
};
