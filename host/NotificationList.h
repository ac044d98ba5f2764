// The shell notifications currently posted, as our aygshell.dll reports them to the notification area.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "platform/ShellNotificationArea.h"

struct ShellNotification {
    CLSID clsid;
    DWORD id;
    DWORD priority;
    DWORD flags;
    HWND sink;
    std::wstring title;
    std::wstring text;  // the HTML body as plain text
};

class NotificationList {
public:
    // Applies one add or remove record; true when what the area shows changed.
    bool Apply(ShellNotificationOp op, const ShellNotificationRecord& record);
    bool Add(const ShellNotificationRecord& record);
    bool Remove(const CLSID& clsid, DWORD id);

    const std::vector<ShellNotification>& Items() const { return items; }
    // The newest notification that pops up a bubble (not sent straight to the tray); null when none.
    const ShellNotification* Bubble() const;

private:
    std::vector<ShellNotification> items;  // oldest first
};

// Notification bodies are HTML; the bar shows their text: tags dropped, the common entities decoded,
// runs of white space collapsed.
std::wstring PlainTextOfHtml(const std::wstring& html);
