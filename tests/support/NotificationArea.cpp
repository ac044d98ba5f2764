#include "NotificationArea.h"
#include <cstring>

NotificationAreaWindow::NotificationAreaWindow() : RecordingWindow(SHELL_NOTIFICATION_AREA_CLASS, L"Notifications") {}

std::vector<NotificationCall> NotificationAreaWindow::Calls() const {
    std::vector<NotificationCall> calls;
    for (const RecordedMessage& m : Messages()) {
        if (!m.isCopyData || m.copyData.size() != sizeof(ShellNotificationRecord)) continue;
        ShellNotificationRecord record;
        memcpy(&record, m.copyData.data(), sizeof(record));
        calls.push_back({static_cast<ShellNotificationOp>(m.copyDataKind), record.clsid, record.id,
                         std::wstring(record.html, wcsnlen(record.html, ARRAYSIZE(record.html)))});
    }
    return calls;
}

std::vector<NotificationCall> NotificationAreaWindow::Removals() const {
    std::vector<NotificationCall> removals;
    for (const NotificationCall& call : Calls())
        if (call.op == ShellNotificationOpRemove) removals.push_back(call);
    return removals;
}

std::wstring NotificationAreaWindow::Shown() const {
    const std::vector<NotificationCall> calls = Calls();
    if (calls.empty() || calls.back().op != ShellNotificationOpAdd) return std::wstring();
    return calls.back().html;
}
